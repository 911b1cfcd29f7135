#include "shell/import_command.h"

#include <memory>

#include "importers/import_dispatch.h"
#include "platform/command_ids.h"
#include "shell/dialogs/file_type_dialog.h"
#include "shell/main_window.h"

namespace tesvar {

void connectImportCommand(MainWindow& window)
{
    // Shared, since the command table runs a copy of its handler.
    auto flags = std::make_shared<FileTypeFlags>();
    window.connectCommand(cmd::Import, [&window, flags] {
        QtFileTypeDialog dialog(&window);
        const bool imported =
            importCommand(window.document(), *flags, dialog, window.ui(), window);
        window.activateWindow();
        window.setFocus();
        return imported;
    });
}

}  // namespace tesvar
