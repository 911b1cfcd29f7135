#include "analysis/report_printer.h"

#include "platform/canvas.h"
#include "platform/ui.h"

namespace tesvar {

void printReport(ReportPrinter& printer, Ui& ui, const std::string& documentName,
                 const std::vector<ReportLine>& lines)
{
    const int copies = printer.choosePrinter();
    if (copies <= 0)
        return;
    Canvas* canvas = printer.beginDocument(documentName);
    if (!canvas) {
        ui.message(kReportPrintErrorText, kReportPrintErrorCaption, Buttons::Ok, Icon::Error);
        return;
    }
    const TextMetrics metrics = canvas->textMetrics();
    const int lineHeight = metrics.height + metrics.externalLeading;
    for (int copy = 0; copy < copies; ++copy) {
        printer.startPage();
        int y = 0;
        for (const ReportLine& line : lines) {
            canvas->textOut(0, y, line.text);
            y += line.advance * lineHeight;
        }
        printer.endPage();
    }
    if (!printer.endDocument())
        ui.message(kReportPrintErrorText, kReportPrintErrorCaption, Buttons::Ok, Icon::Error);
}

}  // namespace tesvar
