#include "shell/dialogs/view_dialog_views.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "document/parameter_lines.h"
#include "shell/dialogs/dialog_controls.h"

namespace tesvar {

FieldsDialog::FieldsDialog(QWidget* owner) : EditsDialog(owner)
{
    setModal(true);
}

void FieldsDialog::setText(int id, const std::string& text)
{
    if (const auto it = texts.find(id); it != texts.end())
        it->second->setText(QString::fromStdString(text));
    else
        EditsDialog::setText(id, text);
}

QLabel* FieldsDialog::addText(int id)
{
    auto* label = new QLabel(this);
    label->setObjectName(controlName(id));
    texts[id] = label;
    return label;
}

void FieldsDialog::setChecked(int id, bool checked)
{
    radios.at(id)->setChecked(checked);
}

bool FieldsDialog::isChecked(int id) const
{
    return radios.at(id)->isChecked();
}

QLineEdit* FieldsDialog::addField(int id, bool readOnly)
{
    QLineEdit* edit = addEdit(id);
    edit->setReadOnly(readOnly);
    return edit;
}

QRadioButton* FieldsDialog::addRadio(int id, const char* label)
{
    auto* radio = new QRadioButton(QString::fromLatin1(label), this);
    radio->setObjectName(controlName(id));
    radios[id] = radio;
    return radio;
}

SetLimitsDialogView::SetLimitsDialogView(SpectrumDocument& doc, Ui& ui, QWidget* owner)
    : FieldsDialog(owner)
{
    setObjectName(QStringLiteral("id10001"));
    setWindowTitle(QString::fromLatin1(view_text::kLimitsTitle));
    auto* label = new QLabel(QString::fromLatin1(view_text::kLimitsLabel), this);
    label->setObjectName(controlName(view_ids::LimitLabel));
    auto* row = new QHBoxLayout;
    row->addWidget(addField(view_ids::LimitFrom, false));
    row->addWidget(label);
    row->addWidget(addField(view_ids::LimitTo, false));
    row->addWidget(addText(view_ids::LimitUnit));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(okCancelButtons(this, QBoxLayout::LeftToRight));

    controller = std::make_unique<SetLimitsDialog>(doc, ui, *this);
    controller->open();
}

SetLimitsDialogView::~SetLimitsDialogView() = default;

void SetLimitsDialogView::accept()
{
    if (controller->accept())
        QDialog::accept();
}

ScaleFactorDialogView::ScaleFactorDialogView(SpectrumDocument& doc, QWidget* owner)
    : FieldsDialog(owner)
{
    setObjectName(QStringLiteral("ScaleDB"));
    setWindowTitle(QString::fromLatin1(view_text::kScaleTitle));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(addField(view_ids::ScaleStep, false));
    layout->addWidget(okButton(this));

    controller = std::make_unique<ScaleFactorDialog>(doc, *this);
    controller->open();
}

ScaleFactorDialogView::~ScaleFactorDialogView() = default;

void ScaleFactorDialogView::accept()
{
    controller->accept();
    QDialog::accept();
}

UnitsDialogView::UnitsDialogView(SpectrumDocument& doc, WindowPort& window, QWidget* owner)
    : FieldsDialog(owner)
{
    setObjectName(QStringLiteral("id131"));
    setWindowTitle(QString::fromLatin1(view_text::kUnitsTitle));
    auto* radios = new QVBoxLayout;
    // Automatic radio buttons: one group, so one choice at a time.
    radios->addWidget(addRadio(view_ids::UnitSeconds, "Seconds"));
    radios->addWidget(addRadio(view_ids::UnitPpm, "ppm"));
    radios->addWidget(addRadio(view_ids::UnitHertz, "Hertz"));
    radios->addWidget(addRadio(view_ids::UnitPoints, "Points"));
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(radios);
    layout->addLayout(okCancelButtons(this, QBoxLayout::TopToBottom));

    controller = std::make_unique<UnitsDialog>(doc, window, *this);
    controller->open();
}

UnitsDialogView::~UnitsDialogView() = default;

void UnitsDialogView::accept()
{
    controller->accept();
    QDialog::accept();
}

ParametersDialogView::ParametersDialogView(const SpectrumDocument& doc, QWidget* owner)
    : FieldsDialog(owner)
{
    setObjectName(QStringLiteral("id144"));
    setWindowTitle(QString::fromLatin1(view_text::kParametersTitle));
    auto* grid = new QGridLayout;
    struct Row {
        const char* label;
        int id;
        const char* unit;
    };
    const Row rows[] = {{text::kSfLabel, view_ids::ParamSf, text::kMhzUnit},
                        {text::kSwLabel, view_ids::ParamSw, text::kHzUnit},
                        {"", view_ids::ParamSwPpm, text::kPpmUnit},
                        {text::kAqLabel, view_ids::ParamAq, text::kSecondsUnit},
                        {text::kTdLabel, view_ids::ParamTd, text::kPointsUnit},
                        {text::kModeLabel, view_ids::ParamMode, ""}};
    int r = 0;
    for (const Row& row : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(row.label), this), r, 0);
        QLineEdit* edit = addField(row.id, true);
        edit->setAlignment(Qt::AlignRight);
        grid->addWidget(edit, r, 1);
        grid->addWidget(new QLabel(QString::fromLatin1(row.unit), this), r, 2);
        ++r;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton(this));
    layout->addLayout(buttons);

    showParameters(doc, *this);
}

}  // namespace tesvar
