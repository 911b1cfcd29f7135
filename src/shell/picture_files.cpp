#include "shell/picture_files.h"

#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/qt/qt_canvas.h"
#include "render/print_picture.h"
#include "shell/picture_export.h"

namespace tesvar {

namespace {

QString localPath(const std::string& path) { return QFile::decodeName(path.c_str()); }

}  // namespace

void recordPicture(QPicture& picture, const std::function<void(Canvas&)>& draw)
{
    QPainter painter(&picture);
    {
        QtCanvas canvas(painter);
        draw(canvas);
    }
    painter.end();
}

bool recordPictureFile(const QString& path, const std::function<void(Canvas&)>& draw)
{
    QPicture picture;
    recordPicture(picture, draw);
    return picture.save(path);
}

bool playPictureOnPage(QPainter& painter, const QPicture& picture, int pageWidth, int pageHeight)
{
    if (picture.isNull())
        return false;
    // The page is placed from the fixed canvas, not from what was drawn: an integral
    // outside a zoomed view neither moves nor shrinks the picture, and is cut off at
    // the canvas's edges.
    const IntRect frame = metafileFrame({0, 0, kPrintWidth, kPrintHeight}, picture.logicalDpiX(),
                                        picture.logicalDpiY());
    const auto target = pageTarget(frame, pageWidth, pageHeight);
    if (!target)
        return false;
    painter.save();
    painter.translate(target->left, target->top);
    painter.scale(double(target->right - target->left) / kPrintWidth,
                  double(target->bottom - target->top) / kPrintHeight);
    // The border lies on the canvas's edges: its lines stay whole.
    painter.setClipRect(QRectF(-1, -1, kPrintWidth + 2, kPrintHeight + 2));
    // Playback scales the picture by the device's resolution over the picture's; the
    // stretch above already maps picture units to device pixels.
    const QPaintDevice* device = painter.device();
    if (device && device->logicalDpiX() > 0 && device->logicalDpiY() > 0)
        painter.scale(double(picture.logicalDpiX()) / device->logicalDpiX(),
                      double(picture.logicalDpiY()) / device->logicalDpiY());
    painter.drawPicture(0, 0, picture);
    painter.restore();
    return true;
}

bool printPictureFile(const QString& path, QPrinter& printer)
{
    QPicture picture;
    if (!picture.load(path))
        return false;
    printer.setDocName(QStringLiteral("TesvarImprimiendo"));
    // The page is drawn at the page export's resolution: the picture's one-pixel lines
    // then come out as wide on paper as on the exported page, where a fine printer's
    // own pixel would leave them barely visible.
    printer.setResolution(kPageDpi);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const bool played = playPictureOnPage(painter, picture, printer.width(), printer.height());
    return painter.end() && played;
}

std::optional<std::string> QtPictureOutput::picturePath()
{
    // QTemporaryDir makes a fresh folder readable by its owner only.
    if (!folder.isValid())
        return std::nullopt;
    return QFile::encodeName(folder.filePath(QString::fromLatin1(kPrintMetafileName)))
        .toStdString();
}

bool QtPictureOutput::recordPicture(const std::string& path,
                                    const std::function<void(Canvas&)>& draw)
{
    return recordPictureFile(localPath(path), draw);
}

bool QtPictureOutput::printPicture(const std::string& path)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    QPrinter printer(info, QPrinter::HighResolution);
    return printPictureFile(localPath(path), printer);
}

bool QtPictureOutput::removeFile(const std::string& path) { return QFile::remove(localPath(path)); }

}  // namespace tesvar
