#include "shell/dialogs/baseline_dialog_view.h"

#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "document/spectrum_document.h"
#include "processing/baseline.h"
#include "processing/dialog_text.h"
#include "shell/client_area.h"
#include "shell/dialogs/dialog_controls.h"
#include "shell/dialogs/phase_dialog_view.h"
#include "shell/main_window.h"
#include "shell/plot_output.h"

namespace tesvar {

namespace {

// Slider notification codes: a thumb position while it moves, and the end of a drag.
constexpr int kThumbPosition = 4;
constexpr int kEndTrack = 8;

}  // namespace

BaselineDialogView::BaselineDialogView(MainWindow& w)
    : QDialog(&w, Qt::Dialog | Qt::FramelessWindowHint), window(w),
      controller(w.document(), w, *this)
{
    setObjectName(QStringLiteral("BaselineDB"));
    setWindowTitle(QString());
    setFixedSize(620, 98);
    // The arrows take their range when they are made; it is the sliders' range, which
    // the controller sets on opening.
    const BaselineSliders range = baselineSliders(window.document().maxAbsValue);

    for (int k = 0; k < baseline_ids::kOrders; ++k) {
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(QStringLiteral("trackbar%1").arg(k));
        slider->setAccessibleName(QStringLiteral("Trackbar"));
        slider->setGeometry(15, 10 + 20 * k, 380, 17);
        slider->setFocusPolicy(Qt::StrongFocus);
        sliders[k] = slider;

        auto* label = new QLabel(QStringLiteral("Order %1").arg(k), this);
        label->setGeometry(405, 10 + 20 * k, 50, 17);
        auto* edit = new QLineEdit(QStringLiteral("0"), this);
        edit->setObjectName(controlName(baseline_ids::Order0Edit + k));
        edit->setGeometry(455, 9 + 20 * k, 60, 19);
        edits[k] = edit;
        auto* arrow = new ArrowControl(edit, range.lower, range.upper, this);
        arrow->setObjectName(controlName(baseline_ids::Order0Arrow + k));
        arrow->setGeometry(516, 9 + 20 * k, 16, 18);
        arrows[k] = arrow;

        connect(slider, &QSlider::valueChanged, this,
                [this, k](int value) { sliderValueChanged(k, value); });
        connect(slider, &QSlider::sliderReleased, this,
                [this, k] { controller.sliderMoved(k, sliders[k]->value(), kEndTrack); });
        connect(arrow, &ArrowControl::clicked, this, [this, k] { controller.arrowClicked(k); });
    }

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(controlName(baseline_ids::Ok));
    ok->setGeometry(545, 10, 65, 24);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(controlName(baseline_ids::Cancel));
    cancel->setGeometry(545, 40, 65, 24);
    connect(ok, &QPushButton::clicked, this, &BaselineDialogView::accept);
    connect(cancel, &QPushButton::clicked, this, &BaselineDialogView::reject);

    // At the top left of the main window's client area.
    move(window.clientArea().viewport()->mapToGlobal(QPoint(0, 0)));
    controller.open();
}

void BaselineDialogView::setRange(int lower, int upper)
{
    for (int k = 0; k < baseline_ids::kOrders; ++k) {
        const QSignalBlocker quiet(sliders[k]);
        sliders[k]->setRange(lower, upper);
        sliders[k]->setPageStep(std::max(1, (upper - lower) / 10));
    }
}

void BaselineDialogView::setEditValue(int order, int value)
{
    edits[order]->setText(QString::number(value));
}

int BaselineDialogView::editValue(int order) const
{
    return readDialogInteger(edits[order]->text().toStdString());
}

void BaselineDialogView::setSliderPosition(int order, int position)
{
    const QSignalBlocker quiet(sliders[order]);
    sliders[order]->setValue(position);
}

void BaselineDialogView::drawOnWindow(const std::function<void(Canvas&)>& draw)
{
    tesvar::drawOnWindow(window, draw);
}

// A drag reports each position and its end separately; a key or a click beside the
// thumb moves the slider and ends its action at once.
void BaselineDialogView::sliderValueChanged(int order, int value)
{
    controller.sliderMoved(order, value, kThumbPosition);
    if (!sliders[order]->isSliderDown())
        controller.sliderMoved(order, value, kEndTrack);
}

void BaselineDialogView::accept()
{
    controller.accept();
    QDialog::accept();
}

void BaselineDialogView::reject()
{
    controller.cancel();
    QDialog::reject();
}

void runBaselineDialog(MainWindow& window)
{
    BaselineDialogView dialog(window);
    dialog.exec();
}

}  // namespace tesvar
