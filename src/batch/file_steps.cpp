// open PATH and save PATH: the Open and Save commands with PATH chosen in their file
// dialogs. Open asks the save question over a loaded spectrum; its Yes finds no file
// named to save to (the save dialog is cancelled), so a script keeps a spectrum with a
// save step.
#include "batch/batch_ui.h"
#include "batch/batch_window.h"
#include "batch/step_table.h"
#include "document/file_commands.h"
#include "document/spectrum_document.h"

namespace tesvar::batch {

namespace {

// A step whose one argument is the path its file dialog returns.
StepDefinition pathStep(std::string name, Chooser chooser, bool needsSpectrum,
                        std::function<bool(BatchSession&)> run)
{
    StepDefinition step;
    step.name = name;
    step.arguments = "PATH";
    step.needsSpectrum = needsSpectrum;
    step.parse = [name, chooser, run](StepArgs& args) -> StepParse {
        const auto path = args.next();
        if (!path || path->empty())
            return parseError(name + " needs a PATH");
        return parsed([path = *path, chooser, run](BatchSession& s) {
            s.ui.setChoice(s.fullPath(path), chooser);
            return run(s);
        });
    };
    return step;
}

}  // namespace

void addFileSteps(StepTable& table)
{
    // Only a native file opens: an instrument file gets the system's warning and the
    // step fails, since its type is named with an import step.
    table.add(pathStep("open", Chooser::Open, false, [](BatchSession& s) {
        return openCommand(s.doc, s.ui, s.window) == OpenOutcome::Opened;
    }));
    table.add(pathStep("save", Chooser::Save, true, [](BatchSession& s) {
        return saveSpectrum(s.doc, s.ui);
    }));
}

}  // namespace tesvar::batch
