#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/acquisition.h"
#include "document/file_bytes.h"

namespace tesvar {

// What an importer hands to the dispatch: a complete spectrum read into staging, so the
// document changes only when the whole import has succeeded.
struct ImportedSpectrum {
    AcquisitionParameters acq;   // td already cut to the capacity
    std::vector<double> values;  // acq.td values; those a short file does not hold are 0.0
    std::int32_t conjugateOnTransform = 0;
    double digitalFilterDelay = 0.0;  // complex points; 0 for data without a digital filter
    std::string note;  // a file holding fewer values than its count, or more than fit
    // A FID, or a spectrum (already transformed), and the Hertz a spectrum's frequency
    // axis is shifted by from the unreferenced scale.
    DataDomain domain = DataDomain::Time;
    double hzOffset = 0.0;
};

enum class ImportStatus {
    Ok,
    NotRead,    // the file cannot be opened, or it is not a file of this format
    Unusable,   // it holds no usable spectrum; problem() tells why
    BadValues,  // it holds values that are not finite numbers
    Refused,    // a text file whose contents break its format; reason() names the line
};

// What a reader hands back: the staged spectrum, or why the file gives none. It is used
// like an optional; a failed result dereferences to an empty spectrum.
class ImportResult {
public:
    ImportResult(ImportedSpectrum spectrum) : staged(std::move(spectrum)), how(ImportStatus::Ok) {}
    ImportResult(ImportStatus status, SpectrumProblem problem = SpectrumProblem::None)
        : how(status), why(problem)
    {
    }
    static ImportResult unusable(SpectrumProblem problem)
    {
        return {ImportStatus::Unusable, problem};
    }
    static ImportResult refused(std::string reason)
    {
        ImportResult result(ImportStatus::Refused);
        result.reasonText = std::move(reason);
        return result;
    }

    explicit operator bool() const { return how == ImportStatus::Ok; }
    ImportedSpectrum& operator*() { return staged; }
    const ImportedSpectrum& operator*() const { return staged; }
    ImportedSpectrum* operator->() { return &staged; }
    const ImportedSpectrum* operator->() const { return &staged; }
    ImportStatus status() const { return how; }
    SpectrumProblem problem() const { return why; }
    const std::string& reason() const { return reasonText; }

private:
    ImportedSpectrum staged;
    ImportStatus how;
    SpectrumProblem why = SpectrumProblem::None;
    std::string reasonText;
};

// Parameter files are small; anything beyond this is not read.
inline constexpr std::size_t kMaxParameterFileBytes = std::size_t{16} << 20;

std::optional<std::string> readTextFile(const std::string& path);

// The folder part of a path ("." for a bare name).
std::string folderOf(const std::string& path);

// Finds folder/parts[0]/parts[1]/... comparing every name without regard to letter case,
// since instruments and file transfers do not agree on it ("Acqus", "acqus"). A name
// spelt exactly as asked wins, then the first other match in name order. Returns the
// path found or nothing.
std::optional<std::string> findIgnoringCase(const std::string& folder,
                                            const std::vector<std::string>& parts);

// Makes room for the values of a file that counts `count` of them and holds `held`
// whole ones: td becomes the count cut to the capacity, every value starts at 0.0, and
// the note tells the user when the file and its count disagree. Returns how many values
// the reader decodes from the file.
std::size_t stageValues(ImportedSpectrum& staged, std::int64_t count, std::size_t held,
                        int capacity);

// The verdict on a spectrum staged from a file holding `held` values: its parameters
// first, then a file holding not one value, then values that are not finite numbers.
ImportResult finishImport(ImportedSpectrum staged, std::size_t held);

}  // namespace tesvar
