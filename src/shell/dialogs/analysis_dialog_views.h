#pragma once

#include <functional>
#include <map>
#include <memory>

#include <QDialog>

#include "analysis/coupling.h"
#include "analysis/edits_view.h"
#include "analysis/integral_dialogs.h"
#include "analysis/peak_dialog.h"
#include "analysis/referencing.h"

class QLineEdit;
class QListWidget;

namespace tesvar {

class ReportPrinter;
class Ui;
class WindowPort;
struct SpectrumDocument;

// Makes the printer a report is printed on, its print dialog owned by `owner`.
using ReportPrinterFactory = std::function<std::unique_ptr<ReportPrinter>(QWidget* owner)>;

// The edits of an analysis dialog, found by control id; the views below map them to
// their controllers.
class EditsDialog : public QDialog, public EditsView {
    Q_OBJECT
public:
    explicit EditsDialog(QWidget* owner) : QDialog(owner) {}

    void setText(int editId, const std::string& text) override;
    std::string text(int editId) const override;

protected:
    QLineEdit* addEdit(int id, bool enabled = true);

private:
    std::map<int, QLineEdit*> edits;
};

// A list whose lines line up in columns.
class ReportList : public ListView {
public:
    ReportList(QListWidget* list) : list(list) {}
    void appendLine(const std::string& line) override;
    void clearLines() override;

private:
    QListWidget* list;
};

// Dialog 107 "Number of Hydrogens": edit 1007, OK and Cancel.
class HydrogensDialogView : public EditsDialog {
    Q_OBJECT
public:
    HydrogensDialogView(SpectrumDocument& doc, WindowPort& window, QWidget* owner);
    void accept() override;
    void reject() override;

private:
    std::unique_ptr<HydrogensDialog> controller;
};

// Dialog 223 "Integral Factor Scale": edit 1090 and OK. Closing it otherwise keeps the
// step as it was.
class IntegralFactorDialogView : public EditsDialog {
    Q_OBJECT
public:
    IntegralFactorDialogView(SpectrumDocument& doc, QWidget* owner);
    void accept() override;

private:
    std::unique_ptr<IntegralFactorDialog> controller;
};

// Dialog 142 "Reference": the disabled edit 1035 with the current reading, edit 1034
// for the new one, OK and Cancel.
class ReferenceDialogView : public EditsDialog {
    Q_OBJECT
public:
    ReferenceDialogView(SpectrumDocument& doc, Ui& ui, WindowPort& window, QWidget* owner);
    void accept() override;
    void reject() override;

private:
    std::unique_ptr<ReferenceDialog> controller;
};

// Dialog 109 "PEAK PICKING": list 1009 under the header 1011, the disabled threshold
// edit 1031, "&Clear All" (1010), "&Print" (1013), OK and Cancel.
class PeakDialogView : public EditsDialog {
    Q_OBJECT
public:
    PeakDialogView(SpectrumDocument& doc, Ui& ui, ReportPrinterFactory printers, QWidget* owner);

private:
    ReportList lines;
    ReportPrinterFactory printers;
    std::unique_ptr<PeakDialog> controller;
};

// The modeless dialog 203 "Meassure J": list 1073, "OK" (1), "Clear All" (2), "Print"
// (3) and "Reset" (4). Closing it by its frame or Escape is its OK. It deletes itself
// when it closes.
class MeasureJDialogView : public QDialog, public MeasureJView {
    Q_OBJECT
public:
    MeasureJDialogView(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                       ReportPrinterFactory printers, QWidget* owner);

    void appendLine(const std::string& line) override;
    void clearLines() override;
    void closeDialog() override;

    void reject() override;

private:
    ReportList list;
    ReportPrinterFactory printers;
    Ui& ui;
    std::unique_ptr<MeasureJDialog> controller;
    bool closing = false;
};

// "DisplayDataPointsDB", "Display Data Points (Reals)": list 80 under the statics
// "Index" (1028) and "Value", and OK.
class DataPointsDialogView : public QDialog {
    Q_OBJECT
public:
    DataPointsDialogView(const SpectrumDocument& doc, QWidget* owner);

private:
    ReportList lines;
};

}  // namespace tesvar
