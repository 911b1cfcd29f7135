#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tesvar::batch {

// `--each PATTERN` and `--jobs N`: the steps once for every path the pattern matches,
// N spectra at a time.
struct EachOptions {
    std::optional<std::string> pattern;
    int jobs = 0;  // 0: as many as the cores this process may run on
};

// Reads --each or --jobs (with its value as the next word or after '=') at
// args[position] and moves past it. Returns false, reading nothing, for any other word;
// a bad value leaves its message in `error`.
bool readEachOption(const std::vector<std::string>& args, std::size_t& position,
                    EachOptions& each, std::string& error);

// The step words for one matched path: "{}" stands for the path, "{dir}" for its folder
// and "{name}" for that folder's last component.
std::vector<std::string> withPlaceholders(const std::vector<std::string>& steps,
                                          const std::string& path);

// A report written to standard output during an --each run: one line holding one JSON
// object that names the spectrum ("source") and the report, then the report's own
// members (a JSON report) or its lines (a text report, "text").
std::string sourcedReport(const std::string& source, const std::string& kind, bool asJson,
                          const std::string& rendered);

// Runs the steps for one spectrum: reports to `out`, messages to `err`, `source` being
// the matched path; returns the runner's exit status.
using SpectrumRun = std::function<int(const std::vector<std::string>& steps,
                                      const std::string& source, std::ostream& out,
                                      std::ostream& err)>;

// The spectra run in worker processes forked from this one, `jobs` at a time: a worker
// runs one spectrum after another from the folder the run started in, and a spectrum
// that crashes ends its worker only (a new one takes its place). Each spectrum's reports
// and messages are collected and written whole when it ends; a failed spectrum is named
// on `err` and the others go on. Returns 0 when every spectrum succeeded and 1
// otherwise, or when the pattern matches nothing.
int runEach(const EachOptions& each, const std::vector<std::string>& steps,
            const SpectrumRun& run, std::ostream& out, std::ostream& err);

}  // namespace tesvar::batch
