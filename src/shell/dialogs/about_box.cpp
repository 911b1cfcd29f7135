#include "shell/dialogs/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/brand_picture.h"
#include "shell/dialogs/dialog_controls.h"

namespace tesvar {

AboutBox::AboutBox(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("id197"));
    setWindowTitle(QString());
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("bitmap196"));
    picture->setPixmap(brandPicture(QSize(420, 230)));

    auto* name = new QLabel(QStringLiteral("<b>Tesvar Version 1.0</b>"), this);
    name->setObjectName(QStringLiteral("productName"));
    auto* credits = new QLabel(
        QStringLiteral("Processing and analysis of one-dimensional NMR spectra:\n"
                       "window functions, Fourier transform, phase and baseline\n"
                       "correction, integrals, peak picking, referencing and\n"
                       "coupling constants.\n\n"
                       "Written by the Tesvar developers with Qt %1.")
            .arg(QString::fromLatin1(qVersion())),
        this);
    credits->setObjectName(QStringLiteral("credits"));

    QPushButton* ok = okButton(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(name);
    layout->addWidget(credits);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace tesvar
