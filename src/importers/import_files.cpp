#include "importers/import_files.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace tesvar {

namespace fs = std::filesystem;

std::optional<std::string> readTextFile(const std::string& path)
{
    auto bytes = readFileBytes(path, kMaxParameterFileBytes);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

std::string folderOf(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::optional<fs::path> findEntry(const fs::path& folder, const std::string& name, bool wantFolder)
{
    std::error_code ec;
    auto fits = [&](const fs::path& p) {
        return wantFolder ? fs::is_directory(p, ec) : fs::is_regular_file(p, ec);
    };
    if (fits(folder / name))
        return folder / name;
    std::vector<fs::path> matches;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (sameIgnoringCase(it->path().filename().string(), name) && fits(it->path()))
            matches.push_back(it->path());
    }
    if (matches.empty())
        return std::nullopt;
    return *std::min_element(matches.begin(), matches.end());
}

}  // namespace

std::optional<std::string> findIgnoringCase(const std::string& folder,
                                            const std::vector<std::string>& parts)
{
    fs::path current(folder.empty() ? "." : folder);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        auto next = findEntry(current, parts[i], i + 1 < parts.size());
        if (!next)
            return std::nullopt;
        current = *next;
    }
    return current.string();
}

std::size_t stageValues(ImportedSpectrum& staged, std::int64_t count, std::size_t held,
                        int capacity)
{
    const std::int64_t td = std::clamp<std::int64_t>(count, 0, std::max(capacity, 0));
    staged.acq.td = static_cast<std::int32_t>(td);
    staged.values.assign(static_cast<std::size_t>(td), 0.0);
    if (td > 0)
        staged.note = valueCountNote(count, static_cast<std::int64_t>(held), capacity);
    return std::min(static_cast<std::size_t>(td), held);
}

ImportResult finishImport(ImportedSpectrum staged, std::size_t held)
{
    if (const SpectrumProblem problem = acquisitionProblem(staged.acq);
        problem != SpectrumProblem::None)
        return ImportResult::unusable(problem);
    if (held == 0)
        return ImportResult::unusable(SpectrumProblem::NoData);
    if (!allFinite(staged.values))
        return ImportStatus::BadValues;
    return staged;
}

}  // namespace tesvar
