#pragma once

#include <array>

#include <QDialog>

#include "processing/baseline_dialog.h"

class QLineEdit;
class QSlider;

namespace tesvar {

class ArrowControl;
class MainWindow;

// "BaselineDB": the captionless strip at the top left of the window's client area with
// four sliders, the edits 1081..1084 with their arrows 56777..56780, "Ok" and "Cancel".
// It maps its controls to the BaselineDialog controller.
class BaselineDialogView : public QDialog, public BaselineView {
    Q_OBJECT
public:
    explicit BaselineDialogView(MainWindow& window);

    void setRange(int lower, int upper) override;
    void setEditValue(int order, int value) override;
    int editValue(int order) const override;
    void setSliderPosition(int order, int position) override;
    void drawOnWindow(const std::function<void(Canvas&)>& draw) override;

    void accept() override;
    void reject() override;

private:
    void sliderValueChanged(int order, int value);

    MainWindow& window;
    BaselineDialog controller;
    std::array<QSlider*, 4> sliders{};
    std::array<QLineEdit*, 4> edits{};
    std::array<ArrowControl*, 4> arrows{};
};

// Command 43's dialog: opens it over the window and returns when it closes.
void runBaselineDialog(MainWindow& window);

}  // namespace tesvar
