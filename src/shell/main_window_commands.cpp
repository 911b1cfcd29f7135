#include <QScrollBar>
#include <QSignalBlocker>

#include "document/file_commands.h"
#include "document/spectrum_document.h"
#include "document/view_commands.h"
#include "platform/command_ids.h"
#include "shell/analysis_commands.h"
#include "shell/client_area.h"
#include "shell/import_command.h"
#include "shell/main_window.h"
#include "shell/plot_output.h"
#include "shell/processing_command.h"
#include "shell/view_commands_qt.h"

namespace tesvar {

// The commands the window runs itself. Each further command is one more line here (or
// a connectCommand call by the unit that owns it); until then its menu item is greyed
// and its toolbar button does nothing.
void MainWindow::connectCommands()
{
    connectCommand(cmd::Open, [this] { openCommand(doc, userInterface, *this); });
    connectImportCommand(*this);
    connectCommand(cmd::Save, [this] { return saveSpectrum(doc, userInterface); });
    connectCommand(cmd::Exit, [this] { return close(); });
    connectCommand(cmd::Undo, [this] { undoCommand(doc, *this); });
    connectCommand(cmd::Invert, [this] { invertCommand(doc, *this); });
    connectCommand(cmd::Full, [this] {
        fullCommand(doc, *this);
        // Moving the bar is not a scroll request: its signals stay quiet.
        const QSignalBlocker quiet(client->horizontalScrollBar());
        client->horizontalScrollBar()->setValue(doc.hScrollPos);
    });
    connectProcessingCommands(*this);
    connectCommand(cmd::Increase, [this] { increaseCommand(doc, *this); });
    connectCommand(cmd::Decrease, [this] { decreaseCommand(doc, *this); });
    connectPlotOutput(*this);
    connectViewCommands(*this);
    connectAnalysisCommands(*this);
}

}  // namespace tesvar
