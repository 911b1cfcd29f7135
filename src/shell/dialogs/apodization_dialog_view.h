#pragma once

#include <map>
#include <memory>

#include <QDialog>

#include "processing/apodization_dialog.h"

class QLineEdit;
class QRadioButton;

namespace tesvar {

class Ui;
class WindowPort;
struct SpectrumDocument;

// The modal dialog 143, "Window Function Parameters": five radio buttons, of which the
// first four exclude one another and "Sine squared Multiplication" (1071) stands alone,
// six edits for the remembered values, OK (1) and Cancel (2). The rules are the
// ApodizationDialog controller's.
class ApodizationDialogView : public QDialog, public ApodizationView {
    Q_OBJECT
public:
    ApodizationDialogView(SpectrumDocument& doc, Ui& ui, WindowPort& window, QWidget* owner);
    ~ApodizationDialogView() override;

    bool setText(int editId, const std::string& text) override;
    std::string text(int editId) const override;
    void setChecked(int radioId, bool checked) override;
    bool isChecked(int radioId) const override;

    void accept() override;

private:
    std::map<int, QRadioButton*> radios;
    std::map<int, QLineEdit*> edits;
    std::unique_ptr<ApodizationDialog> controller;
};

}  // namespace tesvar
