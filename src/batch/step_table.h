#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_session.h"

namespace tesvar::batch {

// Runs one parsed step; returns false when the step failed (its message printed).
using StepAction = std::function<bool(BatchSession&)>;

// The result of reading a step's arguments: the action to run, or why the arguments
// are wrong (a usage error).
struct StepParse {
    StepAction action;
    std::string error;
};
inline StepParse parsed(StepAction action) { return {std::move(action), {}}; }
inline StepParse parseError(std::string error) { return {{}, std::move(error)}; }

class StepTable;

// The arguments of the step being read, taken from the command line in order.
class StepArgs {
public:
    StepArgs(const std::vector<std::string>& words, std::size_t& position,
             const StepTable& table)
        : words(words), position(position), table(table) {}

    // The next word, whatever it is; nothing at the end of the line.
    std::optional<std::string> next();
    // The next word unless it starts another step (for optional trailing arguments).
    std::optional<std::string> nextUnlessStep();

private:
    const std::vector<std::string>& words;
    std::size_t& position;
    const StepTable& table;
};

struct StepDefinition {
    std::string name;
    std::string arguments;       // the synopsis shown in the usage, "PATH" for example
    bool needsSpectrum = false;  // refused with a message while no spectrum is loaded
    std::function<StepParse(StepArgs&)> parse;
};

class StepTable {
public:
    void add(StepDefinition step) { steps.push_back(std::move(step)); }
    const StepDefinition* find(std::string_view name) const;
    const std::vector<StepDefinition>& all() const { return steps; }

private:
    std::vector<StepDefinition> steps;
};

// Each family of steps adds its entries here; makeStepTable collects them in the
// order the usage lists them.
void addFileSteps(StepTable& table);
void addImportSteps(StepTable& table);
void addProcessingSteps(StepTable& table);
void addViewSteps(StepTable& table);
void addPlotSteps(StepTable& table);
void addAnalysisSteps(StepTable& table);
void addReportSteps(StepTable& table);

StepTable makeStepTable();

// A whole step argument as a finite decimal number ("7.26", "-0.5", "+2", "1e3").
std::optional<double> stepNumber(std::string_view word);

}  // namespace tesvar::batch
