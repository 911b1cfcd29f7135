#include "render/print_command.h"

#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "platform/ui.h"
#include "platform/window_port.h"
#include "render/print_picture.h"

namespace tesvar {

void printPlot(SpectrumDocument& doc, Ui& ui, WindowPort& window, PictureOutput& output)
{
    const bool recorded = output.recordPicture(
        kPrintMetafileName, [&doc](Canvas& canvas) { buildPrintMetafile(doc, canvas); });
    // A picture that could not be recorded cannot be printed either.
    const bool printed = recorded && output.printPicture(kPrintMetafileName);
    if (!printed)
        ui.message("Error printing", "Tesvar", Buttons::Ok, Icon::Information);
    window.invalidatePlot();
    if (!output.removeFile(kPrintMetafileName))
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
