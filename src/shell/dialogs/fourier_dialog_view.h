#pragma once

#include <functional>
#include <map>
#include <memory>

#include <QDialog>

#include "processing/fourier_dialog.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace tesvar {

class Ui;
struct SpectrumDocument;

// The modal dialog "FourierDB", "Fast Fourier Transform": check boxes "Real" (95),
// "Drift Correction" (90), "Quadrature" (96), "Inverse" (97), list 1042 of sizes under
// "Points", edit 1044 that shows the size, OK (1) and Cancel (2). The rules are the
// FourierDialog controller's; this window maps its controls to it.
class FourierDialogView : public QDialog, public FourierView {
    Q_OBJECT
public:
    // Sets the main window's horizontal scroll range without redrawing.
    using ScrollRangeSetter = std::function<bool(int minimum, int maximum)>;

    FourierDialogView(SpectrumDocument& doc, Ui& ui, ScrollRangeSetter setScrollRange,
                      QWidget* owner);
    ~FourierDialogView() override;

    void setChecked(int checkBoxId, bool checked) override;
    bool isChecked(int checkBoxId) const override;
    void fillSizeList(const std::vector<std::string>& entries) override;
    void showSize(int values) override;
    bool setMainScrollRange(int minimum, int maximum) override;

    void accept() override;
    void reject() override;

private:
    std::map<int, QCheckBox*> checks;
    QListWidget* sizes = nullptr;
    QLineEdit* sizeEdit = nullptr;
    ScrollRangeSetter scrollRange;
    std::unique_ptr<FourierDialog> controller;
};

}  // namespace tesvar
