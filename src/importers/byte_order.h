#pragma once

#include <cstdint>

namespace tesvar {

// Big-endian reads for the instrument formats written by big-endian computers.
inline std::uint16_t getBe16(const std::uint8_t* in)
{
    return static_cast<std::uint16_t>(in[0] << 8 | in[1]);
}

inline std::uint32_t getBe32(const std::uint8_t* in)
{
    return std::uint32_t{in[0]} << 24 | std::uint32_t{in[1]} << 16 | std::uint32_t{in[2]} << 8 |
           std::uint32_t{in[3]};
}

inline std::uint64_t getBe64(const std::uint8_t* in)
{
    return std::uint64_t{getBe32(in)} << 32 | getBe32(in + 4);
}

}  // namespace tesvar
