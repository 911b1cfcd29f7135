#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tesvar {

// Reads at most maxBytes of a regular file; nothing when it cannot be opened or read.
// A folder, pipe or device is never opened: a pipe would wait for a writer.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path,
                                                       std::size_t maxBytes);

}  // namespace tesvar
