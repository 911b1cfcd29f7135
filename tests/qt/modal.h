#pragma once

#include <functional>
#include <memory>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace tesvar::test {

// A widget that act left open (a failed assertion inside it, or a further box that
// nobody answers) is closed after a few seconds, together with anything opened over
// it, so that the test fails instead of hanging.
inline void closeIfLeftOpen(QWidget* modal)
{
    QPointer<QWidget> watched(modal);
    auto* watchdog = new QTimer;
    watchdog->setInterval(3000);
    QObject::connect(watchdog, &QTimer::timeout, [watchdog, watched] {
        if (!watched || !watched->isVisible()) {
            watchdog->stop();
            watchdog->deleteLater();
            return;
        }
        QWidget* top = QApplication::activeModalWidget();
        if (!top)
            top = watched.data();
        ADD_FAILURE() << "a modal " << top->metaObject()->className() << " was left open";
        if (auto* dialog = qobject_cast<QDialog*>(top))
            dialog->reject();
        else
            top->close();
        watchdog->setInterval(200);
    });
    watchdog->start();
}

// Arms a timer, before the call that opens a modal box or dialog, which waits for the
// modal widget of type T and hands it to act (which must close it). A modal widget of
// another type, or none within a few seconds, fails the test; the stray one is
// rejected so that the run cannot hang.
template <class T>
void whenModal(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (clock->elapsed() > 5000) {
                ADD_FAILURE() << "no modal widget appeared";
                timer->deleteLater();
                timer->stop();
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (auto* wanted = qobject_cast<T*>(modal)) {
            closeIfLeftOpen(modal);
            act(wanted);
            return;
        }
        ADD_FAILURE() << "unexpected modal widget " << modal->metaObject()->className();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    timer->start();
}

}  // namespace tesvar::test
