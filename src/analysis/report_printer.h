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
    virtual void startPage() = 0;
    virtual void endPage() = 0;
    // Returns false when the job failed.
    virtual bool endDocument() = 0;
};

// One line of a printed report, and how many line heights the next one goes down.
struct ReportLine {
    std::string text;
    int advance = 1;
};

inline constexpr const char* kReportPrintErrorText = "Error printing";
inline constexpr const char* kReportPrintErrorCaption = "Tesvar";

// Prints the lines at x 0 from the top of the page, one page for each copy asked for;
// the line height is the printer font's height plus its external leading. Nothing is
// printed when the print dialog is cancelled; a job that cannot start or fails shows
// "Error printing".
void printReport(ReportPrinter& printer, Ui& ui, const std::string& documentName,
                 const std::vector<ReportLine>& lines);

}  // namespace tesvar
