#include "analysis/report_printer.h"

#include <algorithm>

#include "platform/canvas.h"
#include "platform/ui.h"

namespace tesvar {

namespace {

// Lays the lines out page after page, keeping the current height.
class PageLayout {
public:
    PageLayout(const Report& report, int lineHeight, int pageHeight)
        : report(report), lineHeight(std::max(lineHeight, 1)), pageHeight(pageHeight)
    {
    }

    std::vector<std::vector<const ReportLine*>> run()
    {
        newPage();
        const std::vector<ReportLine>& body = report.body;
        for (std::size_t i = 0; i < body.size(); ++i) {
            const ReportLine& line = body[i];
            const bool opensSection = line.sectionHead && (i == 0 || !body[i - 1].sectionHead);
            if (opensSection)
                heads.clear();
            if (bodyOnPage && !fits(opensSection ? headRun(i) : 1)) {
                newPage();
                if (!line.sectionHead)
                    for (const ReportLine* head : heads)
                        put(*head);
            }
            put(line);
            bodyOnPage = true;
            if (line.sectionHead)
                heads.push_back(&line);
        }
        return std::move(pages);
    }

private:
    // The heads that open a section at i and the line after them: they go together.
    int headRun(std::size_t i) const
    {
        std::size_t end = i;
        while (end < report.body.size() && report.body[end].sectionHead)
            ++end;
        return static_cast<int>(std::min(end + 1, report.body.size()) - i);
    }
    bool fits(int lines) const { return y + lines * lineHeight <= pageHeight; }
    void newPage()
    {
        pages.emplace_back();
        y = 0;
        bodyOnPage = false;
        for (const ReportLine& line : report.heading)
            put(line);
    }
    void put(const ReportLine& line)
    {
        pages.back().push_back(&line);
        y += line.advance * lineHeight;
    }

    const Report& report;
    int lineHeight;
    int pageHeight;
    std::vector<std::vector<const ReportLine*>> pages;
    std::vector<const ReportLine*> heads;
    int y = 0;
    bool bodyOnPage = false;
};

}  // namespace

std::vector<std::vector<const ReportLine*>> reportPages(const Report& report, int lineHeight,
                                                        int pageHeight)
{
    return PageLayout(report, lineHeight, pageHeight).run();
}

void printReport(ReportPrinter& printer, Ui& ui, const std::string& documentName,
                 const Report& report)
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
    const auto pages = reportPages(report, lineHeight, printer.pageHeight());
    for (int copy = 0; copy < copies; ++copy) {
        for (const auto& page : pages) {
            printer.startPage();
            int y = 0;
            for (const ReportLine* line : page) {
                canvas->textOut(0, y, line->text);
                y += line->advance * lineHeight;
            }
            printer.endPage();
        }
    }
    if (!printer.endDocument())
        ui.message(kReportPrintErrorText, kReportPrintErrorCaption, Buttons::Ok, Icon::Error);
}

}  // namespace tesvar
