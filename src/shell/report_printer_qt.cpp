#include "shell/report_printer_qt.h"

#include <algorithm>

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/qt/qt_canvas.h"

namespace tesvar {

QtReportPrinter::QtReportPrinter(QWidget* owner)
    : owner(owner), device(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
}

QtReportPrinter::~QtReportPrinter()
{
    canvas.reset();
    if (painter && painter->isActive())
        painter->end();
}

int QtReportPrinter::choosePrinter()
{
    device->setCopyCount(1);
    QPrintDialog dialog(device.get(), owner);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    const int copies = std::max(device->copyCount(), 1);
    device->setCopyCount(1);
    return copies;
}

Canvas* QtReportPrinter::beginDocument(const std::string& name)
{
    device->setDocName(QString::fromStdString(name));
    painter = std::make_unique<QPainter>();
    if (!painter->begin(device.get()))
        return nullptr;
    canvas = std::make_unique<QtCanvas>(*painter);
    // The printer's own text font: a 10-point fixed-pitch face at the device's
    // resolution, so that the report's columns line up.
    canvas->setFont(Font{"Courier", std::max(1, device->resolution() * 10 / 72)});
    firstPage = true;
    return canvas.get();
}

// The painter draws in device pixels from the top of the printable area.
int QtReportPrinter::pageHeight() { return device->height(); }

void QtReportPrinter::startPage()
{
    if (!firstPage) {
        canvas->flush();
        failed = !device->newPage() || failed;
    }
    firstPage = false;
}

bool QtReportPrinter::endDocument()
{
    canvas.reset();
    const bool ended = painter->end();
    return ended && !failed;
}

}  // namespace tesvar
