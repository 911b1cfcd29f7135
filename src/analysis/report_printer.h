#pragma once

#include <string>
#include <vector>

namespace tesvar {

class Canvas;
class Ui;

// The printer as the peak and J reports use it: the print dialog, then a document of
// pages drawn on the printer's canvas.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    // The print dialog without a selection or page range, one copy preset. Returns the
    // number of copies asked for; 0 when the user cancelled.
    virtual int choosePrinter() = 0;
    // Starts the print document on the chosen printer; nullptr when it cannot start.
    // The canvas lives until endDocument.
    virtual Canvas* beginDocument(const std::string& name) = 0;
    // The height of a page's printable area in the canvas's units, once the document
    // has started.
    virtual int pageHeight() = 0;
    virtual void startPage() = 0;
    virtual void endPage() = 0;
    // Returns false when the job failed.
    virtual bool endDocument() = 0;
};

// One line of a printed report, and how many line heights the next one goes down. A
// section head (a region's FROM/TO line, its column header) is printed again at the
// top of a page that carries on its section.
struct ReportLine {
    std::string text;
    int advance = 1;
    bool sectionHead = false;
};

// A printed report: the heading opens every page, the body runs over as many pages as
// it needs.
struct Report {
    std::vector<ReportLine> heading;
    std::vector<ReportLine> body;
};

inline constexpr const char* kReportPrintErrorText = "Error printing";
inline constexpr const char* kReportPrintErrorCaption = "Tesvar";

// The lines of each page: the heading, the heads of a section the page carries on, and
// as many body lines as fit in `pageHeight` with the given line height. A section's
// heads are kept on the page of its first line, and every page takes at least one body
// line, however short it is.
std::vector<std::vector<const ReportLine*>> reportPages(const Report& report, int lineHeight,
                                                        int pageHeight);

// Prints the report at x 0 from the top of each page, all its pages for each copy asked
// for; the line height is the printer font's height plus its external leading. Nothing
// is printed when the print dialog is cancelled; a job that cannot start or fails shows
// "Error printing".
void printReport(ReportPrinter& printer, Ui& ui, const std::string& documentName,
                 const Report& report);

}  // namespace tesvar
