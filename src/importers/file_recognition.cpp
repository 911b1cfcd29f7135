#include "importers/file_recognition.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "document/file_bytes.h"
#include "importers/bruker_aspect_nuts.h"
#include "importers/import_files.h"
#include "importers/jcamp_reader.h"

namespace tesvar {

namespace {

// Enough of a file to find the labels that open a JCAMP-DX data table.
constexpr std::size_t kRecognitionBytes = std::size_t{1} << 20;

bool holdsJcampTable(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || text.substr(first, 2) != "##")
        return false;
    for (std::size_t at = first; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(at, end - at);
        if (line.starts_with("##")) {
            const std::string name = jcampLabel(line.substr(2, line.find('=') - 2));
            if (name == "XYDATA" || name == "NTUPLES")
                return true;
        }
        at = end + 1;
    }
    return false;
}

}  // namespace

std::optional<FileType> recogniseFileType(const std::string& path)
{
    const auto bytes = readFileBytes(path, kRecognitionBytes);
    if (!bytes)
        return std::nullopt;
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    if (holdsJcampTable(text))
        return FileType::Jcamp;
    if (bytes->size() >= 4 && getLe32(bytes->data()) == kNutsMagic)
        return FileType::Nuts;
    const std::string folder = folderOf(path);
    if (findIgnoringCase(folder, {"procpar"}))
        return FileType::Varian;
    if (findIgnoringCase(folder, {"acqus"}))
        return FileType::BrukerX32;
    if (bytes->size() >= 3 && std::equal(kAspectMagic, kAspectMagic + 3, bytes->begin()))
        return FileType::BrukerAspect;
    return std::nullopt;
}

std::string fileToOpen(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec))
        return path;
    return findIgnoringCase(path, {"fid"}).value_or(path);
}

}  // namespace tesvar
