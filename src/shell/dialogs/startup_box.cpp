#include "shell/dialogs/startup_box.h"

#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

#include "shell/brand_picture.h"
#include "shell/dialogs/dialog_controls.h"

namespace tesvar {

StartupBoxDialog::StartupBoxDialog(QWidget* owner, int ms)
    : QDialog(owner), controller(std::make_unique<StartupBox>(*this, ms))
{
    setObjectName(QStringLiteral("id217"));
    setWindowTitle(QString::fromLatin1(view_text::kStartupTitle));
    setModal(true);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("bitmap196"));
    picture->setPixmap(brandPicture(QSize(420, 230)));
    QPushButton* ok = okButton(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    // Timers run only in an event loop: the count starts when the box is shown.
    controller->open();
}

StartupBoxDialog::~StartupBoxDialog() = default;

void StartupBoxDialog::startTimer(int, int ms) { qtTimer = QObject::startTimer(ms); }

void StartupBoxDialog::stopTimer(int)
{
    if (qtTimer != 0)
        killTimer(qtTimer);
    qtTimer = 0;
}

void StartupBoxDialog::closeBox() { QDialog::accept(); }

void StartupBoxDialog::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == qtTimer)
        controller->timerFired(StartupBox::kTimerId);
    else
        QDialog::timerEvent(event);
}

void StartupBoxDialog::accept() { controller->ok(); }

// Escape or the window's close button end the box as OK does.
void StartupBoxDialog::reject() { controller->ok(); }

void runStartupBox(QWidget* owner, int milliseconds)
{
    StartupBoxDialog box(owner, milliseconds);
    box.exec();
}

}  // namespace tesvar
