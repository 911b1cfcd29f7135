#include "shell/dialogs/smooth_baseline_dialog_view.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

#include "processing/smooth_baseline.h"
#include "render/baseline_curve.h"
#include "render/screen_plot.h"
#include "shell/client_area.h"
#include "shell/dialogs/dialog_controls.h"
#include "shell/main_window.h"
#include "shell/plot_output.h"

namespace tesvar {

SmoothBaselineDialogView::SmoothBaselineDialogView(MainWindow& w)
    : QDialog(&w), window(w), controller(w.document(), w, *this)
{
    setObjectName(QStringLiteral("SmoothBaselineDB"));
    setWindowTitle(QStringLiteral("Smooth Baseline"));
    auto* label = new QLabel(QStringLiteral("Strength"), this);
    strength = new QDoubleSpinBox(this);
    strength->setObjectName(controlName(smooth_baseline_ids::Strength));
    strength->setRange(kMinimumBaselineStrength, kMaximumBaselineStrength);
    strength->setSingleStep(0.5);
    strength->setDecimals(1);
    strength->setKeyboardTracking(false);
    label->setBuddy(strength);
    connect(strength, &QDoubleSpinBox::valueChanged, this,
            [this](double value) { controller.strengthChanged(value); });

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(strength);
    layout->addLayout(okCancelButtons(this, QBoxLayout::LeftToRight));

    move(window.clientArea().viewport()->mapToGlobal(QPoint(0, 0)));
    controller.open();
}

void SmoothBaselineDialogView::showStrength(double value)
{
    const QSignalBlocker quiet(strength);
    strength->setValue(value);
}

void SmoothBaselineDialogView::showBaseline(const std::vector<double>& baseline)
{
    // The plot is drawn afresh under each curve, so the one shown before goes with it.
    drawOnWindow(window, [&](Canvas& screen) {
        renderPlot(window.document(), screen);
        drawBaselineCurve(window.document(), screen, baseline);
    });
}

void SmoothBaselineDialogView::accept()
{
    controller.accept();
    QDialog::accept();
}

void SmoothBaselineDialogView::reject()
{
    controller.cancel();
    QDialog::reject();
}

void runSmoothBaselineDialog(MainWindow& window)
{
    SmoothBaselineDialogView dialog(window);
    dialog.exec();
}

}  // namespace tesvar
