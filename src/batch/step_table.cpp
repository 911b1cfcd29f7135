#include "batch/step_table.h"

#include <charconv>
#include <cmath>


namespace tesvar::batch {

std::string BatchSession::fullPath(const std::string& path) const
{
    return (startFolder / path).lexically_normal().string();
}

bool BatchSession::fail(const std::string& text) const
{
    err << "tesvar-batch: " << text << '\n';
    err.flush();
    return false;
}

std::optional<std::string> StepArgs::next()
{
    if (position >= words.size())
        return std::nullopt;
    return words[position++];
}

std::optional<std::string> StepArgs::nextUnlessStep()
{
    if (position >= words.size() || table.find(words[position]))
        return std::nullopt;
    return words[position++];
}

const StepDefinition* StepTable::find(std::string_view name) const
{
    for (const auto& step : steps)
        if (step.name == name)
            return &step;
    return nullptr;
}

std::optional<double> stepNumber(std::string_view word)
{
    if (!word.empty() && word.front() == '+')
        word.remove_prefix(1);
    double value = 0.0;
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    if (word.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

StepTable makeStepTable()
{
    StepTable table;
    addFileSteps(table);
    addImportSteps(table);
    addProcessingSteps(table);
    addViewSteps(table);
    addPlotSteps(table);
    addAnalysisSteps(table);
    addReportSteps(table);
    return table;
}

}  // namespace tesvar::batch
