#include "document/file_bytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tesvar {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path,
                                                       std::size_t maxBytes)
{
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    // Grow in steps so that a small file does not cost the whole limit; the first step is
    // the file's size and one byte (to see its end), so that it costs no more than the file.
    constexpr std::size_t step = std::size_t{1} << 20;
    const std::uintmax_t size = fs::file_size(path, ec);
    std::size_t chunk =
        ec ? step : static_cast<std::size_t>(std::min<std::uintmax_t>(size, step)) + 1;
    while (bytes.size() < maxBytes) {
        const std::size_t old = bytes.size();
        const std::size_t want = std::min(chunk, maxBytes - old);
        chunk = step;
        bytes.resize(old + want);
        in.read(reinterpret_cast<char*>(bytes.data() + old), static_cast<std::streamsize>(want));
        const auto got = static_cast<std::size_t>(in.gcount());
        bytes.resize(old + got);
        if (in.bad())
            return std::nullopt;
        if (got < want)
            break;
    }
    return bytes;
}

}  // namespace tesvar
