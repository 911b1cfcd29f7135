#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tesvar {

// Reads at most maxBytes of a regular file; nothing when it cannot be opened or read.
// A folder, pipe or device is never opened: a pipe would wait for a writer.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path,
                                                       std::size_t maxBytes);

// Writes the file safely: through symbolic links (a link to a file not yet there creates
// it), into a temporary file beside the target that is synced, then renamed over it, and
// the folder synced. In a folder that takes no new files, an existing file the user may
// write is overwritten in place. A folder, pipe, device or a file marked read-only is
// refused. Every write and sync is checked; on failure false is returned and, apart from
// a failure while overwriting in place, the previous file is left intact.
bool writeFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace tesvar
