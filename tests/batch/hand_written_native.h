#pragma once

// Native spectrum files built byte by byte, independently of the application's writer,
// so that the batch tests compare the application against the layout itself.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace tesvar::test {

static_assert(std::endian::native == std::endian::little, "the layout is little-endian");

struct HandWrittenSpectrum {
    std::int16_t acqMode = 1;
    std::int16_t acqModeFlag = 7;
    std::array<std::uint8_t, 4> reserved1{0xDE, 0xAD, 0xBE, 0xEF};
    double sw = 4096.0;  // a power of two, so aq = td / (2 sw) is exact
    double sf = 400.13;
    double extra = -1234.5;
    std::int32_t td = 0;
    std::array<std::uint8_t, 4> reserved2{0x01, 0x80, 0x7F, 0xFE};
    double aq = 0.0;
    std::vector<double> values;
};

template <typename T>
void putRaw(std::vector<std::uint8_t>& bytes, std::size_t offset, const T& v)
{
    std::memcpy(bytes.data() + offset, &v, sizeof v);
}

// "TVX", "0" filler, the 48-byte block at 256, "0" filler, the doubles from 1024 and
// "0" filler up to 2048 bytes.
inline std::vector<std::uint8_t> handWrittenNative(const HandWrittenSpectrum& s)
{
    const std::size_t size = std::max<std::size_t>(2048, 1024 + 8 * s.values.size());
    std::vector<std::uint8_t> bytes(size, '0');
    bytes[0] = 'T';
    bytes[1] = 'V';
    bytes[2] = 'X';
    putRaw(bytes, 256, s.acqMode);
    putRaw(bytes, 258, s.acqModeFlag);
    putRaw(bytes, 260, s.reserved1);
    putRaw(bytes, 264, s.sw);
    putRaw(bytes, 272, s.sf);
    putRaw(bytes, 280, s.extra);
    putRaw(bytes, 288, s.td);
    putRaw(bytes, 292, s.reserved2);
    putRaw(bytes, 296, s.aq);
    for (std::size_t i = 0; i < s.values.size(); ++i)
        putRaw(bytes, 1024 + 8 * i, s.values[i]);
    return bytes;
}

// n values with awkward bit patterns among ordinary ones: negative zero, a subnormal,
// the largest double, the smallest normal one and one with every fraction bit set.
inline HandWrittenSpectrum awkwardSpectrum(int n)
{
    HandWrittenSpectrum s;
    s.td = n;
    s.aq = n / (2.0 * s.sw);
    s.values.resize(n);
    for (int i = 0; i < n; ++i)
        s.values[i] = (i % 2 ? -1.0 : 1.0) * (i * 0.1 + 1.0 / 3.0) *
                      ((i * std::int64_t{7919}) % 13 + 1);
    s.values[2] = -0.0;
    s.values[4] = std::numeric_limits<double>::denorm_min() * 3;
    s.values[6] = -std::numeric_limits<double>::max();
    s.values[7] = std::numeric_limits<double>::min();
    s.values[9] = std::bit_cast<double>(std::uint64_t{0xBFFF'FFFF'FFFF'FFFF});
    return s;
}

}  // namespace tesvar::test
