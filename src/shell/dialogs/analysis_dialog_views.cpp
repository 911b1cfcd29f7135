#include "shell/dialogs/analysis_dialog_views.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/data_points.h"
#include "analysis/peak_picking.h"
#include "analysis/report_printer.h"
#include "shell/dialogs/dialog_controls.h"

namespace tesvar {

namespace {

QPushButton* pushButton(QDialog* dialog, int id, const char* text)
{
    auto* button = new QPushButton(QString::fromLatin1(text), dialog);
    button->setObjectName(controlName(id));
    button->setAutoDefault(false);
    return button;
}

// The report lists are columns of numbers: they are shown in a fixed-pitch font.
QListWidget* reportListWidget(QDialog* dialog, int id, int minimumWidth)
{
    auto* list = new QListWidget(dialog);
    list->setObjectName(controlName(id));
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list->setSortingEnabled(false);
    list->setMinimumWidth(minimumWidth);
    return list;
}

QLabel* label(QDialog* dialog, const char* text, int id = 0)
{
    auto* l = new QLabel(QString::fromLatin1(text), dialog);
    if (id != 0)
        l->setObjectName(controlName(id));
    return l;
}

}  // namespace

void EditsDialog::setText(int editId, const std::string& text)
{
    if (auto it = edits.find(editId); it != edits.end())
        it->second->setText(QString::fromStdString(text));
}

std::string EditsDialog::text(int editId) const
{
    auto it = edits.find(editId);
    return it == edits.end() ? std::string() : it->second->text().toStdString();
}

QLineEdit* EditsDialog::addEdit(int id, bool enabled)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(controlName(id));
    edit->setMaxLength(79);
    edit->setEnabled(enabled);
    edits[id] = edit;
    return edit;
}

void ReportList::appendLine(const std::string& line) { list->addItem(QString::fromStdString(line)); }

void ReportList::clearLines() { list->clear(); }

HydrogensDialogView::HydrogensDialogView(SpectrumDocument& doc, WindowPort& window, QWidget* owner)
    : EditsDialog(owner)
{
    setObjectName(controlName(107));
    setWindowTitle(QString::fromLatin1(text::kHydrogensTitle));
    QLineEdit* edit = addEdit(integral_ids::HydrogensEdit);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(edit);
    layout->addLayout(okCancelButtons(this, QBoxLayout::TopToBottom));
    controller = std::make_unique<HydrogensDialog>(doc, window, *this);
    controller->open();
    edit->selectAll();
}

void HydrogensDialogView::accept()
{
    controller->accept();
    QDialog::accept();
}

void HydrogensDialogView::reject()
{
    controller->cancel();
    QDialog::reject();
}

IntegralFactorDialogView::IntegralFactorDialogView(SpectrumDocument& doc, QWidget* owner)
    : EditsDialog(owner)
{
    setObjectName(controlName(223));
    setWindowTitle(QString::fromLatin1(text::kIntegralFactorTitle));
    QLineEdit* edit = addEdit(integral_ids::FactorEdit);
    QPushButton* ok = okButton(this);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(edit);
    layout->addWidget(ok);
    controller = std::make_unique<IntegralFactorDialog>(doc, *this);
    controller->open();
    edit->selectAll();
}

void IntegralFactorDialogView::accept()
{
    controller->accept();
    QDialog::accept();
}

ReferenceDialogView::ReferenceDialogView(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                                         QWidget* owner)
    : EditsDialog(owner)
{
    setObjectName(controlName(142));
    setWindowTitle(QString::fromLatin1(text::kReferenceTitle));
    auto* grid = new QGridLayout;
    grid->addWidget(label(this, text::kCurrentReference), 0, 0);
    grid->addWidget(addEdit(reference_ids::CurrentEdit, false), 0, 1);
    QLabel* newLabel = label(this, text::kNewReference, reference_ids::NewLabel);
    QLineEdit* edit = addEdit(reference_ids::NewEdit);
    newLabel->setBuddy(edit);
    grid->addWidget(newLabel, 1, 0);
    grid->addWidget(edit, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(okCancelButtons(this, QBoxLayout::LeftToRight));
    controller = std::make_unique<ReferenceDialog>(doc, ui, window, *this);
    controller->open();
    edit->setFocus();
    edit->selectAll();
}

void ReferenceDialogView::accept()
{
    // A refused number keeps the dialog open for another.
    if (controller->accept())
        QDialog::accept();
}

void ReferenceDialogView::reject()
{
    controller->cancel();
    QDialog::reject();
}

PeakDialogView::PeakDialogView(SpectrumDocument& doc, Ui& ui, ReportPrinterFactory makePrinter,
                               QWidget* owner)
    : EditsDialog(owner), lines(nullptr), printers(std::move(makePrinter))
{
    setObjectName(controlName(109));
    setWindowTitle(QString::fromLatin1(text::kPeakDialogTitle));
    QListWidget* list = reportListWidget(this, peak_ids::List, 520);
    list->setMinimumHeight(320);
    lines = ReportList(list);
    QLabel* header = label(this, text::kPeakListHeader, peak_ids::Header);
    header->setFont(list->font());

    auto* threshold = new QHBoxLayout;
    threshold->addWidget(label(this, text::kThresholdLabel));
    threshold->addWidget(addEdit(peak_ids::ThresholdEdit, false));
    threshold->addStretch();

    QPushButton* clear = pushButton(this, peak_ids::ClearAll, "&Clear All");
    QPushButton* print = pushButton(this, peak_ids::Print, "&Print");
    QBoxLayout* buttons = okCancelButtons(this, QBoxLayout::TopToBottom);
    buttons->insertWidget(2, clear);
    buttons->insertWidget(3, print);
    connect(clear, &QPushButton::clicked, this, [this] {
        controller->clearAll();
        QDialog::accept();
    });
    connect(print, &QPushButton::clicked, this, [this] {
        std::unique_ptr<ReportPrinter> printer = printers(this);
        controller->print(*printer);
    });

    auto* column = new QVBoxLayout;
    column->addWidget(header);
    column->addWidget(list);
    column->addLayout(threshold);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column);
    layout->addLayout(buttons);

    controller = std::make_unique<PeakDialog>(doc, ui, *this, lines);
    controller->open();
}

MeasureJDialogView::MeasureJDialogView(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                                       ReportPrinterFactory makePrinter, QWidget* owner)
    : QDialog(owner), list(nullptr), printers(std::move(makePrinter)), ui(ui)
{
    setObjectName(controlName(203));
    setWindowTitle(QString::fromLatin1(text::kMeasureJTitle));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    QListWidget* lines = reportListWidget(this, measure_j_ids::List, 150);
    list = ReportList(lines);
    auto* buttons = new QVBoxLayout;
    const std::pair<int, const char*> entries[] = {{measure_j_ids::Ok, "OK"},
                                                   {measure_j_ids::ClearAll, "Clear All"},
                                                   {measure_j_ids::Print, "Print"},
                                                   {measure_j_ids::Reset, "Reset"}};
    QPushButton* made[4] = {};
    for (int i = 0; i < 4; ++i) {
        made[i] = pushButton(this, entries[i].first, entries[i].second);
        buttons->addWidget(made[i]);
    }
    buttons->addStretch();
    connect(made[0], &QPushButton::clicked, this, [this] { controller->accept(); });
    connect(made[1], &QPushButton::clicked, this, [this] { controller->clearAll(); });
    connect(made[2], &QPushButton::clicked, this, [this] {
        std::unique_ptr<ReportPrinter> printer = printers(this);
        controller->print(*printer, this->ui);
    });
    connect(made[3], &QPushButton::clicked, this, [this] { controller->reset(); });

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lines);
    layout->addLayout(buttons);

    controller = std::make_unique<MeasureJDialog>(doc, window, *this);
    controller->open();
}

void MeasureJDialogView::appendLine(const std::string& line) { list.appendLine(line); }

void MeasureJDialogView::clearLines() { list.clearLines(); }

void MeasureJDialogView::closeDialog()
{
    closing = true;
    QDialog::accept();
}

// The frame's close box and Escape end the measurement as OK does, so that no marker
// stays on the plot without its dialog.
void MeasureJDialogView::reject()
{
    if (closing)
        return QDialog::reject();
    controller->accept();
}

DataPointsDialogView::DataPointsDialogView(const SpectrumDocument& doc, QWidget* owner)
    : QDialog(owner), lines(nullptr)
{
    setObjectName(QStringLiteral("DisplayDataPointsDB"));
    setWindowTitle(QString::fromLatin1(text::kDataPointsTitle));
    QListWidget* list = reportListWidget(this, data_points_ids::List, 260);
    list->setMinimumHeight(360);
    lines = ReportList(list);
    auto* headers = new QHBoxLayout;
    headers->addWidget(label(this, text::kDataPointsIndexLabel, data_points_ids::IndexLabel));
    headers->addWidget(label(this, text::kDataPointsValueLabel));
    headers->addStretch();
    QPushButton* ok = okButton(this);
    auto* column = new QVBoxLayout;
    column->addLayout(headers);
    column->addWidget(list);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column);
    layout->addWidget(ok, 0, Qt::AlignTop);
    // A list of up to 524,288 lines (a point each) is added in one go.
    list->setUniformItemSizes(true);
    showDataPoints(doc, lines);
}

}  // namespace tesvar
