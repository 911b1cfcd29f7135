#pragma once

#include <vector>

#include <QDialog>

#include "processing/smooth_baseline_dialog.h"

class QDoubleSpinBox;

namespace tesvar {

class MainWindow;

// "Smooth Baseline": the strength (1090) with OK (1) and Cancel (2), at the top left of
// the window's client area so that the plot stays in sight; every strength draws its
// baseline over the plot. The rules are the SmoothBaselineDialog controller's.
class SmoothBaselineDialogView : public QDialog, public SmoothBaselineView {
    Q_OBJECT
public:
    explicit SmoothBaselineDialogView(MainWindow& window);

    void showStrength(double strength) override;
    void showBaseline(const std::vector<double>& baseline) override;

    void accept() override;
    void reject() override;

private:
    MainWindow& window;
    QDoubleSpinBox* strength = nullptr;
    SmoothBaselineDialog controller;
};

// The Smooth Baseline command's dialog: opens it over the window and returns when it
// closes.
void runSmoothBaselineDialog(MainWindow& window);

}  // namespace tesvar
