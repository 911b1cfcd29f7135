#include "shell/dialogs/phase_dialog_view.h"

#include <algorithm>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "processing/dialog_text.h"
#include "shell/dialogs/dialog_controls.h"

namespace tesvar {

ArrowControl::ArrowControl(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy(buddy), minimum(minimum), maximum(maximum)
{
    up = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    up->setAutoRepeat(true);
    down = new QToolButton(this);
    down->setArrowType(Qt::DownArrow);
    down->setAutoRepeat(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { step(1); });
    connect(down, &QToolButton::clicked, this, [this] { step(-1); });
}

void ArrowControl::step(int by)
{
    const int current = std::clamp(readDialogInteger(buddy->text().toStdString()), minimum, maximum);
    buddy->setText(QString::number(std::clamp(current + by, minimum, maximum)));
    emit clicked();
}

PhaseDialogView::PhaseDialogView(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                                 QWidget* owner)
    : QDialog(owner), ui(ui)
{
    setObjectName(controlName(122));
    setWindowTitle(QStringLiteral("Phase Correction"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* grid = new QGridLayout;
    const struct {
        int edit, arrow;
        const char* label;
        QLineEdit** field;
    } rows[] = {{phase_ids::Order0Edit, phase_ids::Order0Arrow, "Order 0", &order0},
                {phase_ids::Order1Edit, phase_ids::Order1Arrow, "Order 1", &order1}};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(QString::fromLatin1(rows[i].label), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(controlName(rows[i].edit));
        label->setBuddy(edit);
        auto* arrow = new ArrowControl(edit, phase_ids::kMinimum, phase_ids::kMaximum, this);
        arrow->setObjectName(controlName(rows[i].arrow));
        connect(arrow, &ArrowControl::clicked, this, [this] { controller->arrowClicked(); });
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(QStringLiteral("trackbar%1").arg(i));
        slider->setRange(phase_ids::kMinimum, phase_ids::kMaximum);
        slider->setFixedWidth(200);
        slider->setFocusPolicy(Qt::StrongFocus);
        // Every step of a drag, a click on the groove or a key previews; the release
        // that ends a drag changes nothing.
        connect(slider, &QSlider::valueChanged, this,
                [this, i](int position) { controller->sliderMoved(i, position, 0); });
        sliders[i] = slider;
        *rows[i].field = edit;
        grid->addWidget(slider, 2 * i, 0, 1, 3);
        grid->addWidget(label, 2 * i + 1, 0);
        grid->addWidget(edit, 2 * i + 1, 1);
        grid->addWidget(arrow, 2 * i + 1, 2);
    }

    QBoxLayout* buttons = okCancelButtons(this, QBoxLayout::TopToBottom);
    auto* automatic = new QPushButton(QStringLiteral("Auto"), this);
    automatic->setObjectName(controlName(phase_ids::Auto));
    automatic->setAutoDefault(false);
    connect(automatic, &QPushButton::clicked, this, &PhaseDialogView::autoPhase);
    buttons->insertWidget(2, automatic);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    controller = std::make_unique<PhaseDialog>(doc, window, *this);
    controller->open();
}

PhaseDialogView::~PhaseDialogView() = default;

void PhaseDialogView::setEditValue(int id, int value)
{
    (id == phase_ids::Order0Edit ? order0 : order1)->setText(QString::number(value));
}

int PhaseDialogView::editValue(int id) const
{
    return readDialogInteger((id == phase_ids::Order0Edit ? order0 : order1)->text().toStdString());
}

void PhaseDialogView::setSliderPosition(int index, int position)
{
    // Moving a slider from here is no user action: it does not preview again.
    const QSignalBlocker quiet(sliders[index]);
    sliders[index]->setValue(position);
}

void PhaseDialogView::autoPhase()
{
    controller->autoPhase(ui);
}

void PhaseDialogView::accept()
{
    controller->accept();
    QDialog::accept();
}

void PhaseDialogView::reject()
{
    controller->cancel();
    QDialog::reject();
}

}  // namespace tesvar
