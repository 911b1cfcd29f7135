#pragma once

#include <map>
#include <memory>

#include "document/view_dialogs.h"
#include "shell/dialogs/analysis_dialog_views.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace tesvar {

class Ui;
class WindowPort;
struct SpectrumDocument;

// A small modal dialog whose controls are edits and radio buttons found by control id;
// the edits are those of the analysis dialogs.
class FieldsDialog : public EditsDialog, public DialogFields {
    Q_OBJECT
public:
    explicit FieldsDialog(QWidget* owner);

    void setText(int id, const std::string& text) override;
    std::string text(int id) const override { return EditsDialog::text(id); }
    void setChecked(int id, bool checked) override;
    bool isChecked(int id) const override;

protected:
    QLineEdit* addField(int id, bool readOnly);
    QRadioButton* addRadio(int id, const char* label);
    // A static text that the controller fills in.
    QLabel* addText(int id);

private:
    std::map<int, QRadioButton*> radios;
    std::map<int, QLabel*> texts;
};

// Set limits (10001): edits 10001 (from) and 10002 (to) beside the label "From...to",
// the unit of the axis (10004), OK and Cancel. A refused OK keeps it open.
class SetLimitsDialogView : public FieldsDialog {
    Q_OBJECT
public:
    SetLimitsDialogView(SpectrumDocument& doc, Ui& ui, QWidget* owner);
    ~SetLimitsDialogView() override;
    void accept() override;

private:
    std::unique_ptr<SetLimitsDialog> controller;
};

// "ScaleDB", "SCALE Y FACTOR": edit 85 and OK.
class ScaleFactorDialogView : public FieldsDialog {
    Q_OBJECT
public:
    ScaleFactorDialogView(SpectrumDocument& doc, QWidget* owner);
    ~ScaleFactorDialogView() override;
    void accept() override;

private:
    std::unique_ptr<ScaleFactorDialog> controller;
};

// Units (131): radio buttons "Seconds", "ppm", "Hertz", "Points", OK and Cancel.
class UnitsDialogView : public FieldsDialog {
    Q_OBJECT
public:
    UnitsDialogView(SpectrumDocument& doc, WindowPort& window, QWidget* owner);
    ~UnitsDialogView() override;
    void accept() override;

private:
    std::unique_ptr<UnitsDialog> controller;
};

// Parameters (144), "Data Acquisition Parameters": read-only edits with their labels
// and units, and OK.
class ParametersDialogView : public FieldsDialog {
    Q_OBJECT
public:
    ParametersDialogView(const SpectrumDocument& doc, QWidget* owner);
};

}  // namespace tesvar
