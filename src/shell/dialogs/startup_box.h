#pragma once

#include <memory>

#include <QDialog>

#include "document/view_dialogs.h"

namespace tesvar {

// The start-up box 217, "Tesvar Version 1.0": the product picture (bitmap 196) and OK
// (1). It closes itself when its timer fires; the delay is a parameter so that tests
// need not wait the four seconds.
class StartupBoxDialog : public QDialog, public StartupBoxView {
    Q_OBJECT
public:
    explicit StartupBoxDialog(QWidget* owner,
                              int milliseconds = StartupBox::kDefaultMilliseconds);
    ~StartupBoxDialog() override;

    void startTimer(int timerId, int milliseconds) override;
    void stopTimer(int timerId) override;
    void closeBox() override;

    void accept() override;
    void reject() override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    std::unique_ptr<StartupBox> controller;
    int qtTimer = 0;  // Qt's id of the box's timer 3344
};

// Shows the start-up box modally over the window and returns when it has closed.
void runStartupBox(QWidget* owner, int milliseconds = StartupBox::kDefaultMilliseconds);

}  // namespace tesvar
