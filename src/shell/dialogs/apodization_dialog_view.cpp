#include "shell/dialogs/apodization_dialog_view.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_controls.h"

namespace tesvar {

namespace {

namespace ids = apodization_ids;

// One row of the dialog: a radio button and its edits with their labels.
struct WindowRow {
    int radio;
    const char* caption;
    std::vector<std::pair<int, const char*>> edits;
};

}  // namespace

ApodizationDialogView::ApodizationDialogView(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                                             QWidget* owner)
    : QDialog(owner)
{
    setObjectName(controlName(143));
    setWindowTitle(QStringLiteral("Window Function Parameters"));

    const WindowRow rows[] = {
        {ids::Exponential, "Exponential Multiplication", {{ids::ExpLB, "LB"}}},
        {ids::Gaussian, "Gaussian Multiplication", {{ids::GaussLB, "LB"}}},
        {ids::LorentzGauss, "Lorentzian/Gaussian resolution enhancement ",
         {{ids::LgLB, "LB"}, {ids::LgGB, "GB"}}},
        {ids::SineBell, "Sine bell Multiplication", {{ids::SineBellShift, "Degrees"}}},
        {ids::SineSquared, "Sine squared Multiplication", {{ids::SineSquaredShift, "Degrees"}}},
    };
    // The first four radio buttons form one exclusive group; "Sine squared
    // Multiplication" forms one of its own, so once chosen it cannot be cleared.
    auto* firstButtons = new QButtonGroup(this);
    auto* ownButtons = new QButtonGroup(this);
    auto* firstGroup = new QWidget(this);
    auto* firstLayout = new QGridLayout(firstGroup);
    firstLayout->setContentsMargins(0, 0, 0, 0);
    auto* ownGroup = new QWidget(this);
    auto* ownLayout = new QGridLayout(ownGroup);
    ownLayout->setContentsMargins(0, 0, 0, 0);
    int line = 0;
    for (const WindowRow& row : rows) {
        const bool alone = row.radio == ids::SineSquared;
        QWidget* parent = alone ? ownGroup : firstGroup;
        QGridLayout* grid = alone ? ownLayout : firstLayout;
        const int r = alone ? 0 : line++;
        auto* radio = new QRadioButton(QString::fromLatin1(row.caption), parent);
        radio->setObjectName(controlName(row.radio));
        radios[row.radio] = radio;
        (alone ? ownButtons : firstButtons)->addButton(radio);
        grid->addWidget(radio, r, 0);
        int column = 1;
        for (const auto& [id, label] : row.edits) {
            auto* caption = new QLabel(QString::fromLatin1(label), parent);
            auto* edit = new QLineEdit(parent);
            edit->setObjectName(controlName(id));
            edit->setMaxLength(79);
            caption->setBuddy(edit);
            grid->addWidget(caption, r, column++);
            grid->addWidget(edit, r, column++);
            edits[id] = edit;
        }
    }

    QBoxLayout* buttons = okCancelButtons(this, QBoxLayout::LeftToRight);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(firstGroup);
    layout->addWidget(ownGroup);
    layout->addLayout(buttons);

    controller = std::make_unique<ApodizationDialog>(doc, ui, window, *this);
    controller->open();
}

ApodizationDialogView::~ApodizationDialogView() = default;

bool ApodizationDialogView::setText(int id, const std::string& text)
{
    edits.at(id)->setText(QString::fromStdString(text));
    return true;
}

std::string ApodizationDialogView::text(int id) const
{
    return edits.at(id)->text().toStdString();
}

void ApodizationDialogView::setChecked(int id, bool checked)
{
    radios.at(id)->setChecked(checked);
}

bool ApodizationDialogView::isChecked(int id) const
{
    return radios.at(id)->isChecked();
}

void ApodizationDialogView::accept()
{
    // A message about LB or GB keeps the dialog open.
    if (controller->accept())
        QDialog::accept();
}

}  // namespace tesvar
