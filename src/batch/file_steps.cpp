// open PATH and save PATH: the Open and Save commands with PATH chosen in their file
// dialogs.
#include "batch/batch_ui.h"
#include "batch/batch_window.h"
#include "batch/step_table.h"
#include "document/file_commands.h"
#include "document/spectrum_document.h"

namespace tesvar::batch {

namespace {

// A step whose one argument is the path its file dialog returns.
StepDefinition pathStep(std::string name, bool needsSpectrum,
                        std::function<bool(BatchSession&)> run)
{
    StepDefinition step;
    step.name = name;
    step.arguments = "PATH";
    step.needsSpectrum = needsSpectrum;
    step.parse = [name, run](StepArgs& args) -> StepParse {
        const auto path = args.next();
        if (!path || path->empty())
            return parseError(name + " needs a PATH");
        return parsed([path = *path, run](BatchSession& s) {
            s.ui.setChoice(s.fullPath(path));
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
    table.add(pathStep("open", false, [](BatchSession& s) {
        return openSpectrum(s.doc, s.ui, s.window) == OpenOutcome::Opened;
    }));
    table.add(pathStep("save", true, [](BatchSession& s) {
        return saveSpectrum(s.doc, s.ui);
    }));
}

}  // namespace tesvar::batch
