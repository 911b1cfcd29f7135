#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tesvar {
struct SpectrumDocument;
}

namespace tesvar::batch {

class StepTable;

// Exit statuses of tesvar-batch.
inline constexpr int kExitOk = 0;
inline constexpr int kExitStepFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs `tesvar-batch [--answer yes|no|ok|cancel] STEP [STEP ...]` (args without the
// program name) on doc: every step is read before any runs, so a usage error changes
// nothing. Steps then run in order and the run stops at the first one that fails.
// Reports go to out, messages to err. The current folder is restored at the end.
// With --each PATTERN the steps run once per matching path instead, each time in a new
// document, in worker processes (see batch_each.h); doc is then left alone.
int runBatch(const std::vector<std::string>& args, SpectrumDocument& doc, std::ostream& out,
             std::ostream& err);
// The same with the steps of `table` instead of the program's own.
int runBatch(const std::vector<std::string>& args, const StepTable& table, SpectrumDocument& doc,
             std::ostream& out, std::ostream& err);

// The same on a document of its own, as the program starts: no spectrum loaded.
int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string usageText(const StepTable& table);

}  // namespace tesvar::batch
