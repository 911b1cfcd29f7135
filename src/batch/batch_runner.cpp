#include "batch/batch_runner.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "batch/batch_each.h"
#include "batch/batch_ui.h"
#include "batch/batch_window.h"
#include "batch/step_table.h"
#include "document/spectrum_document.h"

namespace tesvar::batch {

namespace {

// A document as the main window's creation leaves it (no spectrum whose loss needs a
// question), made without touching its large arrays, which the system gives zeroed: a
// short run maps only the pages it writes.
std::unique_ptr<SpectrumDocument> newDocument()
{
    auto doc = std::make_unique_for_overwrite<SpectrumDocument>();
    doc->nothingToSave = 1;
    return doc;
}

struct PlannedStep {
    const StepDefinition* definition;
    std::string words;  // the step as written, for messages
    StepAction action;
};

struct Plan {
    std::optional<Answer> answer;
    std::vector<PlannedStep> steps;
    bool help = false;
    EachOptions each;
    std::size_t firstStep = 0;  // where the steps begin in the words read
    std::string error;          // a usage error when not empty
};

std::optional<Answer> parseAnswer(const std::string& word)
{
    if (word == "yes")
        return Answer::Yes;
    if (word == "no")
        return Answer::No;
    if (word == "ok")
        return Answer::Ok;
    if (word == "cancel")
        return Answer::Cancel;
    return std::nullopt;
}

// Reads the options, then every step with its arguments.
Plan makePlan(const std::vector<std::string>& args, const StepTable& table)
{
    Plan plan;
    std::size_t position = 0;
    while (position < args.size() && args[position].starts_with("--")) {
        if (readEachOption(args, position, plan.each, plan.error)) {
            if (!plan.error.empty())
                return plan;
            continue;
        }
        const std::string& option = args[position++];
        if (option == "--help") {
            plan.help = true;
            return plan;
        }
        std::optional<std::string> value;
        if (option.starts_with("--answer="))
            value = option.substr(9);
        else if (option == "--answer" && position < args.size())
            value = args[position++];
        else if (option != "--answer") {
            plan.error = "unknown option " + option;
            return plan;
        }
        plan.answer = value ? parseAnswer(*value) : std::nullopt;
        if (!plan.answer) {
            plan.error = "--answer needs yes, no, ok or cancel";
            return plan;
        }
    }
    if (position == args.size()) {
        plan.error = "no steps given";
        return plan;
    }
    if (plan.each.jobs > 0 && !plan.each.pattern) {
        plan.error = "--jobs goes with --each";
        return plan;
    }
    plan.firstStep = position;
    while (position < args.size()) {
        const std::size_t start = position;
        const StepDefinition* step = table.find(args[position++]);
        if (!step) {
            plan.error = "unknown step " + args[start];
            return plan;
        }
        StepArgs stepArgs(args, position, table);
        StepParse result = step->parse(stepArgs);
        if (!result.action) {
            plan.error = result.error;
            return plan;
        }
        std::string words;
        for (std::size_t i = start; i < position; ++i)
            words += (i == start ? "" : " ") + args[i];
        plan.steps.push_back({step, words, std::move(result.action)});
    }
    return plan;
}

// The choosers change the current folder; a run leaves it as it found it.
class CurrentFolderGuard {
public:
    CurrentFolderGuard() : folder(std::filesystem::current_path(ec)) {}
    ~CurrentFolderGuard()
    {
        if (!ec)
            std::filesystem::current_path(folder, ec);
    }
    const std::filesystem::path& path() const { return folder; }

private:
    std::error_code ec;
    std::filesystem::path folder;
};

}  // namespace

std::string usageText(const StepTable& table)
{
    std::string text = "usage: tesvar-batch [--answer yes|no|ok|cancel] [--jobs N] [--each PATTERN]"
                       " STEP [STEP ...]\nsteps:\n";
    for (const auto& step : table.all())
        text += "  " + step.name + (step.arguments.empty() ? "" : " " + step.arguments) + "\n";
    text += "Steps run in order on one spectrum; the run stops at the first step that fails.\n"
            "--each PATTERN runs the steps once for every file the shell-style PATTERN matches,\n"
            "each spectrum on its own, N at a time (--jobs; default: one per core). In a\n"
            "step's PATH, {} stands for the matched path, {dir} for its folder and {name} for\n"
            "that folder's last component. Reports to standard output become one JSON object\n"
            "per line, naming the spectrum in \"source\"; a failed spectrum is named and the\n"
            "others go on.\n"
            "Exit status: 0 every step succeeded, 1 a step failed (with --each: a spectrum\n"
            "failed, or the pattern matched nothing), 2 usage error.\n";
    return text;
}

int runBatch(const std::vector<std::string>& args, SpectrumDocument& doc, std::ostream& out,
             std::ostream& err)
{
    return runBatch(args, makeStepTable(), doc, out, err);
}

namespace {

// Runs the steps in order; `source` names the spectrum of an --each run in its reports.
int runPlan(const Plan& plan, SpectrumDocument& doc, std::ostream& out, std::ostream& err,
            const std::string& source)
{
    const CurrentFolderGuard folderGuard;
    BatchUi ui(err);
    ui.forceAnswer(plan.answer);
    BatchWindow window(err);
    BatchSession session{doc, ui, window, out, err, folderGuard.path(), source};

    int number = 0;
    for (const auto& step : plan.steps) {
        ++number;
        ui.setChoice(std::nullopt);
        bool ok = false;
        if (step.definition->needsSpectrum && doc.hasSpectrum == 0)
            session.fail(step.definition->name + ": no spectrum is loaded (open one first)");
        else
            ok = step.action(session);
        if (!ok) {
            session.fail("step " + std::to_string(number) + " failed: " + step.words);
            return kExitStepFailed;
        }
    }
    return kExitOk;
}

}  // namespace

int runBatch(const std::vector<std::string>& args, const StepTable& table, SpectrumDocument& doc,
             std::ostream& out, std::ostream& err)
{
    const Plan plan = makePlan(args, table);
    if (plan.help) {
        out << usageText(table);
        return kExitOk;
    }
    if (!plan.error.empty()) {
        err << "tesvar-batch: " << plan.error << '\n' << usageText(table);
        return kExitUsage;
    }
    if (!plan.each.pattern)
        return runPlan(plan, doc, out, err, {});

    // Every spectrum starts from a new document, as a run of its own would.
    const std::vector<std::string> steps(args.begin() + plan.firstStep, args.end());
    return runEach(plan.each, steps,
                   [&](const std::vector<std::string>& words, const std::string& source,
                       std::ostream& o, std::ostream& e) {
                       Plan one = makePlan(words, table);
                       one.answer = plan.answer;
                       if (one.error.empty()) {
                           auto own = newDocument();
                           return runPlan(one, *own, o, e, source);
                       }
                       e << "tesvar-batch: " << one.error << '\n';
                       return kExitStepFailed;
                   },
                   out, err);
}

int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    auto doc = newDocument();
    return runBatch(args, *doc, out, err);
}

}  // namespace tesvar::batch
