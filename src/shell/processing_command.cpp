#include "shell/processing_command.h"

#include <memory>

#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>

#include "platform/command_ids.h"
#include "processing/processing_commands.h"
#include "processing/smooth_baseline_dialog.h"
#include "shell/client_area.h"
#include "shell/dialogs/apodization_dialog_view.h"
#include "shell/dialogs/fourier_dialog_view.h"
#include "shell/dialogs/phase_dialog_view.h"
#include "shell/dialogs/smooth_baseline_dialog_view.h"
#include "shell/main_window.h"

namespace tesvar {

namespace {

// The processing dialogs over the main window. The phase dialog is modeless: the host
// keeps it while it is open, so that keyboard focus can reach it and a second Phase
// Correction command brings it forward.
class QtProcessingDialogs : public ProcessingDialogs {
public:
    explicit QtProcessingDialogs(MainWindow& window) : window(window) {}

    void runApodizationDialog() override
    {
        ApodizationDialogView dialog(window.document(), window.ui(), window, &window);
        dialog.exec();
    }

    void runFourierDialog() override
    {
        FourierDialogView dialog(
            window.document(), window.ui(),
            [this](int minimum, int maximum) {
                QScrollBar* bar = window.clientArea().horizontalScrollBar();
                const QSignalBlocker quiet(bar);
                bar->setRange(minimum, maximum);
                return true;
            },
            &window);
        dialog.exec();
    }

    bool phaseDialogOpen() const override { return !phase.isNull(); }

    void openPhaseDialog() override
    {
        phase = new PhaseDialogView(window.document(), window.ui(), window, &window);
        phase->show();
    }

    void raisePhaseDialog() override
    {
        phase->show();
        phase->raise();
        phase->activateWindow();
    }

    void autoPhaseInDialog() override { phase->autoPhase(); }

private:
    MainWindow& window;
    QPointer<PhaseDialogView> phase;
};

}  // namespace

void connectProcessingCommands(MainWindow& window)
{
    // Shared, since the command table runs a copy of its handler.
    auto dialogs = std::make_shared<QtProcessingDialogs>(window);
    window.connectCommand(cmd::Apodize,
                          [&window, dialogs] { apodizeCommand(window.document(), window, *dialogs); });
    window.connectCommand(cmd::Fourier,
                          [&window, dialogs] { fourierCommand(window.document(), window, *dialogs); });
    window.connectCommand(cmd::PhaseCorrection,
                          [&window, dialogs] { phaseCommand(window.document(), window, *dialogs); });
    window.connectCommand(cmd::AutoBaseline,
                          [&window] { autoBaselineCommand(window.document(), window); });
    window.connectCommand(cmd::AutoPhase, [&window, dialogs] {
        return autoPhaseCommand(window.document(), window.ui(), window, *dialogs);
    });
    window.connectCommand(cmd::SmoothBaseline, [&window] {
        return smoothBaselineCommand(window.document(), window.ui(), window,
                                     [&window] { runSmoothBaselineDialog(window); });
    });
}

}  // namespace tesvar
