#include "shell/dialogs/fourier_dialog_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_controls.h"

namespace tesvar {

FourierDialogView::FourierDialogView(SpectrumDocument& doc, Ui& ui,
                                     ScrollRangeSetter setScrollRange, QWidget* owner)
    : QDialog(owner), scrollRange(std::move(setScrollRange))
{
    setObjectName(QStringLiteral("FourierDB"));
    setWindowTitle(QStringLiteral("Fast Fourier Transform"));

    auto* options = new QVBoxLayout;
    const std::pair<int, const char*> boxes[] = {{fourier_ids::Real, "Real"},
                                                 {fourier_ids::DriftCorrection, "Drift Correction"},
                                                 {fourier_ids::Quadrature, "Quadrature"},
                                                 {fourier_ids::Inverse, "Inverse"}};
    for (const auto& [id, label] : boxes) {
        auto* box = new QCheckBox(QString::fromLatin1(label), this);
        box->setObjectName(controlName(id));
        options->addWidget(box);
        checks[id] = box;
    }
    options->addStretch();

    auto* pointsLabel = new QLabel(QStringLiteral("Points"), this);
    sizes = new QListWidget(this);
    sizes->setObjectName(controlName(fourier_ids::SizeList));
    sizes->setSelectionMode(QAbstractItemView::SingleSelection);
    pointsLabel->setBuddy(sizes);
    // Only a double click chooses a size.
    connect(sizes, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { controller->sizeChosen(sizes->row(item)); });
    sizeEdit = new QLineEdit(this);
    sizeEdit->setObjectName(controlName(fourier_ids::SizeEdit));
    sizeEdit->setReadOnly(true);  // shows the size; the size is never read from it
    auto* sizeColumn = new QVBoxLayout;
    sizeColumn->addWidget(pointsLabel);
    sizeColumn->addWidget(sizes);
    sizeColumn->addWidget(sizeEdit);

    QBoxLayout* buttons = okCancelButtons(this, QBoxLayout::TopToBottom);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(options);
    layout->addLayout(sizeColumn);
    layout->addLayout(buttons);

    controller = std::make_unique<FourierDialog>(doc, ui, *this);
    controller->open();
}

FourierDialogView::~FourierDialogView() = default;

void FourierDialogView::setChecked(int id, bool checked)
{
    checks.at(id)->setChecked(checked);
}

bool FourierDialogView::isChecked(int id) const
{
    return checks.at(id)->isChecked();
}

void FourierDialogView::fillSizeList(const std::vector<std::string>& entries)
{
    sizes->clear();
    for (const std::string& e : entries)
        sizes->addItem(QString::fromStdString(e));
    sizes->setCurrentRow(-1);
}

void FourierDialogView::showSize(int values)
{
    sizeEdit->setText(QString::number(values));
}

bool FourierDialogView::setMainScrollRange(int minimum, int maximum)
{
    return scrollRange ? scrollRange(minimum, maximum) : false;
}

void FourierDialogView::accept()
{
    controller->accept();
    QDialog::accept();
}

void FourierDialogView::reject()
{
    controller->cancel();
    QDialog::reject();
}

}  // namespace tesvar
