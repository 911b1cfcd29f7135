#include "shell/dialogs/export_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tesvar {

namespace {

QRadioButton* radio(const char* text, const char* name, QWidget* parent)
{
    auto* button = new QRadioButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

ExportDialog::ExportDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Export"));
    setObjectName(QStringLiteral("exportDialog"));

    auto* pictureBox = new QGroupBox(QStringLiteral("Picture"), this);
    screen = radio("&Screen picture", "exportScreen", pictureBox);
    page = radio("Printed p&age", "exportPage", pictureBox);
    screen->setChecked(true);
    auto* pictureLayout = new QVBoxLayout(pictureBox);
    pictureLayout->addWidget(screen);
    pictureLayout->addWidget(page);

    auto* formatBox = new QGroupBox(QStringLiteral("File type"), this);
    png = radio("P&NG image", "exportPng", formatBox);
    svg = radio("S&VG drawing", "exportSvg", formatBox);
    pdf = radio("PD&F document", "exportPdf", formatBox);
    jcamp = radio("&JCAMP-DX (*.jdx *.dx)", "exportJcamp", formatBox);
    png->setChecked(true);
    auto* formatLayout = new QVBoxLayout(formatBox);
    formatLayout->addWidget(png);
    formatLayout->addWidget(svg);
    formatLayout->addWidget(pdf);
    formatLayout->addWidget(jcamp);
    // The spectrum file is no picture.
    connect(jcamp, &QRadioButton::toggled, pictureBox, &QWidget::setDisabled);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(pictureBox);
    boxes->addWidget(formatBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(buttons);
}

ExportPicture ExportDialog::picture() const
{
    return page->isChecked() ? ExportPicture::Page : ExportPicture::Screen;
}

bool ExportDialog::spectrumFile() const
{
    return jcamp->isChecked();
}

ExportFormat ExportDialog::format() const
{
    if (svg->isChecked())
        return ExportFormat::Svg;
    if (pdf->isChecked())
        return ExportFormat::Pdf;
    return ExportFormat::Png;
}

}  // namespace tesvar
