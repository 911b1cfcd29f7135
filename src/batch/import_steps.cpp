// import x32|aspect|nuts|varian|jcamp|auto PATH: the Import command with the type chosen
// in the "File type" dialog and PATH in its file dialog. For x32 PATH is the data file;
// its parameter file is looked for as the window does, beside it and in pdata/1. auto
// takes the type the file's contents show, and a folder's fid.
#include <map>

#include "batch/batch_ui.h"
#include "batch/batch_window.h"
#include "batch/step_table.h"
#include "document/file_commands.h"
#include "importers/file_recognition.h"
#include "importers/import_dispatch.h"

namespace tesvar::batch {

namespace {

const std::map<std::string, FileType, std::less<>>& typeNames()
{
    static const std::map<std::string, FileType, std::less<>> names = {
        {"x32", FileType::BrukerX32},
        {"aspect", FileType::BrukerAspect},
        {"nuts", FileType::Nuts},
        {"varian", FileType::Varian},
        {"jcamp", FileType::Jcamp},
    };
    return names;
}

}  // namespace

void addImportSteps(StepTable& table)
{
    StepDefinition step;
    step.name = "import";
    step.arguments = "x32|aspect|nuts|varian|jcamp|auto PATH";
    step.parse = [](StepArgs& args) -> StepParse {
        const auto typeName = args.next();
        const auto type = typeName ? typeNames().find(*typeName) : typeNames().end();
        const bool automatic = typeName == "auto";
        if (type == typeNames().end() && !automatic)
            return parseError("import needs a type: x32, aspect, nuts, varian, jcamp or auto");
        const auto path = args.next();
        if (!path || path->empty())
            return parseError("import needs a PATH");
        const std::optional<FileType> named =
            automatic ? std::nullopt : std::optional(type->second);
        return parsed([named, path = *path](BatchSession& s) {
            // The data file is named on the command line; a parameter file the search
            // does not find cannot be chosen by hand, so that question ends the step.
            // The save question comes first, as in the Import command; its Yes finds
            // no file named to save to.
            // A type that cannot be told stops the step before anything is asked.
            const std::string file = fileToOpen(s.fullPath(path));
            const std::optional<FileType> type = named ? named : recogniseFileType(file);
            if (!type)
                return s.fail("The type of " + file + " cannot be told from its contents");
            s.ui.setChoice(std::nullopt);
            if (askToSave(s.doc, s.ui) != SaveAnswer::GoOn)
                return false;
            const bool imported = importFile(s.doc, *type, file, s.ui, s.window);
            endFileCommand(s.doc, s.window);
            return imported;
        });
    };
    table.add(std::move(step));
}

}  // namespace tesvar::batch
