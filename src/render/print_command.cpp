#include "render/print_command.h"

#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "platform/ui.h"
#include "platform/window_port.h"
#include "render/print_picture.h"

namespace tesvar {

void printPlot(SpectrumDocument& doc, Ui& ui, WindowPort& window, PictureOutput& output)
{
    // The picture file lives in a private folder: a file of the user's that happens to
    // bear its name is never touched, and a read-only data folder does not matter.
    const std::optional<std::string> path = output.picturePath();
    const bool recorded =
        path && output.recordPicture(
                    *path, [&doc](Canvas& canvas) { buildPrintMetafile(doc, canvas); });
    // A picture that could not be recorded cannot be printed either.
    const bool printed = recorded && output.printPicture(*path);
    if (!printed)
        ui.message("Error printing", "Tesvar", Buttons::Ok, Icon::Information);
    window.invalidatePlot();
    if (path && !output.removeFile(*path))
        ui.message("Error removing metafile", "Error", Buttons::Ok, Icon::Warning);
}

void printCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window, PictureOutput& output)
{
    printPlot(doc, ui, window, output);
    window.setPrompt(" ");
    doc.referenceArmed = 0;
    doc.interactionMode = cmd::ModeNone;
}

}  // namespace tesvar
