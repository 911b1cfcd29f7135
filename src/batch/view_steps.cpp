// Commands without arguments that change the data or the view: undo, invert, full.
#include "batch/batch_window.h"
#include "batch/step_table.h"
#include "document/spectrum_document.h"
#include "document/view_commands.h"

namespace tesvar::batch {

namespace {

StepDefinition commandStep(std::string name, void (*command)(SpectrumDocument&, WindowPort&))
{
    StepDefinition step;
    step.name = std::move(name);
    step.needsSpectrum = true;
    step.parse = [command](StepArgs&) {
        return parsed([command](BatchSession& s) {
            command(s.doc, s.window);
            return true;
        });
    };
    return step;
}

}  // namespace

void addViewSteps(StepTable& table)
{
    table.add(commandStep("undo", undoCommand));
    table.add(commandStep("invert", invertCommand));
    table.add(commandStep("full", fullCommand));
}

}  // namespace tesvar::batch
