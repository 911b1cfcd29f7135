#include "shell/picture_export.h"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QSvgGenerator>

#include <array>
#include <memory>

#include "document/spectrum_document.h"
#include "platform/qt/qt_canvas.h"
#include "render/print_picture.h"
#include "render/screen_plot.h"
#include "shell/picture_files.h"

namespace tesvar {

namespace {

constexpr double kPointsPerInch = 72.0;
// Beyond this a picture would take gigabytes of memory to draw.
constexpr int kLargestSide = 20000;

// The view fields a picture of another window size changes, kept to be put back.
class WindowGeometry {
public:
    explicit WindowGeometry(SpectrumDocument& d)
        : doc(d), clientWidth(d.clientWidth), clientHeight(d.clientHeight),
          baselineY(d.baselineY), integralBaseY(d.integralBaseY), plotRect(d.plotRect),
          labelLeft(d.integrals.labelLeft), labelRight(d.integrals.labelRight)
    {
    }
    ~WindowGeometry()
    {
        doc.clientWidth = clientWidth;
        doc.clientHeight = clientHeight;
        doc.baselineY = baselineY;
        doc.integralBaseY = integralBaseY;
        doc.plotRect = plotRect;
        doc.integrals.labelLeft = labelLeft;
        doc.integrals.labelRight = labelRight;
    }
    WindowGeometry(const WindowGeometry&) = delete;
    WindowGeometry& operator=(const WindowGeometry&) = delete;

    // A client area of another size, as a resize of the window leaves it: both zero
    // lines at half the height.
    void resize(int width, int height)
    {
        if (width == doc.clientWidth && height == doc.clientHeight)
            return;
        doc.clientWidth = width;
        doc.clientHeight = height;
        doc.baselineY = height / 2;
        doc.integralBaseY = height / 2;
        doc.plotRect = {0, 28, width, height - 23};
    }

private:
    SpectrumDocument& doc;
    int clientWidth, clientHeight, baselineY, integralBaseY;
    PlotRect plotRect;
    std::array<std::int32_t, kMaxIntegrals> labelLeft, labelRight;
};

QString localPath(const std::string& path) { return QFile::decodeName(path.c_str()); }

// A PDF writer whose page is exactly width x height device pixels at `dpi`.
std::unique_ptr<QPdfWriter> pdfWriter(const std::string& path, int width, int height, int dpi)
{
    auto writer = std::make_unique<QPdfWriter>(localPath(path));
    writer->setResolution(dpi);
    const QSizeF points(width * kPointsPerInch / dpi, height * kPointsPerInch / dpi);
    writer->setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    writer->setCreator(QStringLiteral("Tesvar"));
    return writer;
}

// Runs `draw` on a painter over the requested kind of file of width x height pixels.
std::optional<std::string> paintFile(const ExportRequest& r, int width, int height, int dpi,
                                     const std::function<void(QPainter&)>& draw)
{
    const std::string cannotWrite = "Cannot write " + r.path;
    switch (r.format) {
    case ExportFormat::Png: {
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull())
            return "Not enough memory for a picture of this size";
        image.fill(Qt::white);
        const int dotsPerMetre = static_cast<int>(dpi / 0.0254 + 0.5);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        {
            QPainter painter(&image);
            draw(painter);
        }
        if (!image.save(localPath(r.path), "PNG"))
            return cannotWrite;
        return std::nullopt;
    }
    case ExportFormat::Svg: {
        QSvgGenerator svg;
        svg.setFileName(localPath(r.path));
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setResolution(dpi);
        svg.setTitle(QStringLiteral("Tesvar"));
        QPainter painter;
        if (!painter.begin(&svg))
            return cannotWrite;
        painter.fillRect(QRect(0, 0, width, height), Qt::white);
        draw(painter);
        if (!painter.end())
            return cannotWrite;
        return std::nullopt;
    }
    case ExportFormat::Pdf: {
        auto writer = pdfWriter(r.path, width, height, dpi);
        QPainter painter;
        if (!painter.begin(writer.get()))
            return cannotWrite;
        draw(painter);
        if (!painter.end())
            return cannotWrite;
        return std::nullopt;
    }
    }
    return cannotWrite;
}

}  // namespace

std::optional<std::string> exportPicture(SpectrumDocument& doc, const ExportRequest& request)
{
    if (doc.hasSpectrum != 1)
        return "There is no spectrum to export";
    if (request.path.empty())
        return "No file named for the picture";
    if (request.width < 0 || request.height < 0 || request.width > kLargestSide ||
        request.height > kLargestSide || (request.width == 0) != (request.height == 0))
        return "The picture size must be WIDTHxHEIGHT, each from 1 to 20000";

    WindowGeometry geometry(doc);
    // A document without a window (the batch runner) is drawn as in a window of the
    // default size.
    if (doc.clientWidth <= 0 || doc.clientHeight <= 0)
        geometry.resize(kDefaultScreenWidth, kDefaultScreenHeight);

    if (request.picture == ExportPicture::Screen) {
        if (request.width > 0)
            geometry.resize(request.width, request.height);
        const int width = doc.clientWidth;
        const int height = doc.clientHeight;
        // The screen picture keeps screen pixels at the usual 96 per inch.
        return paintFile(request, width, height, 96, [&doc](QPainter& painter) {
            QtCanvas canvas(painter);
            renderPlot(doc, canvas);
        });
    }

    QPicture picture;
    recordPicture(picture, [&doc](Canvas& canvas) { buildPrintMetafile(doc, canvas); });
    const int width = request.width > 0 ? request.width : kDefaultPageWidth;
    const int height = request.height > 0 ? request.height : kDefaultPageHeight;
    return paintFile(request, width, height, kPageDpi, [&](QPainter& painter) {
        playPictureOnPage(painter, picture, width, height);
    });
}

}  // namespace tesvar
