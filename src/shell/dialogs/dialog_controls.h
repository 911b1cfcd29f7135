#pragma once

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>
#include <QString>

namespace tesvar {

// Every control of a dialog carries its resource id as its object name, "id<number>".
inline QString controlName(int id)
{
    return QStringLiteral("id%1").arg(id);
}

// The push button OK (id 1, the default), wired to the dialog's accept.
inline QPushButton* okButton(QDialog* dialog)
{
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(controlName(1));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    return ok;
}

// The push buttons OK (id 1, the default) and Cancel (id 2), wired to the dialog's
// accept and reject, in a column (or a row) ready to be added to its layout.
inline QBoxLayout* okCancelButtons(QDialog* dialog, QBoxLayout::Direction direction)
{
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(controlName(1));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(controlName(2));
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QBoxLayout(direction);
    if (direction == QBoxLayout::LeftToRight)
        buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    if (direction == QBoxLayout::TopToBottom)
        buttons->addStretch();
    return buttons;
}

}  // namespace tesvar
