#pragma once

#include <memory>

#include <QString>

#include "analysis/report_printer.h"

class QPainter;
class QPrinter;
class QWidget;

namespace tesvar {

class QtCanvas;

// The reports' printer on Qt: the print dialog owned by the report's dialog, then a
// QPainter on the chosen printer. Copies are drawn one page each, so the printer is
// told to make one.
class QtReportPrinter : public ReportPrinter {
public:
    explicit QtReportPrinter(QWidget* owner);
    ~QtReportPrinter() override;

    int choosePrinter() override;
    Canvas* beginDocument(const std::string& name) override;
    int pageHeight() override;
    void startPage() override;
    void endPage() override {}
    bool endDocument() override;

    QPrinter& printer() { return *device; }

private:
    QWidget* owner;
    std::unique_ptr<QPrinter> device;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<QtCanvas> canvas;
    bool firstPage = true;
    bool failed = false;
};

}  // namespace tesvar
