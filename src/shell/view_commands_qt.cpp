#include "shell/view_commands_qt.h"

#include <memory>

#include "document/view_dialogs.h"
#include "platform/command_ids.h"
#include "shell/brand_picture.h"
#include "shell/clipboard_commands.h"
#include "shell/dialogs/about_box.h"
#include "shell/dialogs/view_dialog_views.h"
#include "shell/help_viewer.h"
#include "shell/main_window.h"

namespace tesvar {

namespace {

// Each dialog runs modally over the main window.
class QtViewDialogs : public ViewDialogs {
public:
    explicit QtViewDialogs(MainWindow& w) : window(w) {}

    void runSetLimits() override
    {
        SetLimitsDialogView dialog(window.document(), window.ui(), &window);
        dialog.exec();
    }
    void runScaleFactor() override
    {
        ScaleFactorDialogView dialog(window.document(), &window);
        dialog.exec();
    }
    void runUnits() override
    {
        UnitsDialogView dialog(window.document(), window, &window);
        dialog.exec();
    }
    void runParameters() override
    {
        ParametersDialogView dialog(window.document(), &window);
        dialog.exec();
    }
    void runAbout() override
    {
        AboutBox dialog(&window);
        dialog.exec();
    }

private:
    MainWindow& window;
};

}  // namespace

void connectViewCommands(MainWindow& window)
{
    window.setWindowIcon(applicationIcon());
    // Shared, since the command table runs a copy of its handler.
    auto dialogs = std::make_shared<QtViewDialogs>(window);
    window.connectCommand(cmd::SetLimits, [&window, dialogs] {
        setLimitsCommand(window.document(), window, *dialogs);
    });
    window.connectCommand(cmd::ScaleUnits, [dialogs] { dialogs->runUnits(); });
    window.connectCommand(cmd::ScaleFactor,
                          [&window, dialogs] { scaleFactorCommand(window.document(), *dialogs); });
    window.connectCommand(cmd::Parameters, [dialogs] { dialogs->runParameters(); });
    window.connectCommand(cmd::About, [dialogs] { dialogs->runAbout(); });
    window.connectCommand(cmd::Help, [&window] { showHelp(window); });
    connectClipboardCommands(window);
}

}  // namespace tesvar
