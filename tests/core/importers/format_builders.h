#pragma once

// Builders of small instrument files, written from the published layouts of the formats
// so that the tests do not depend on the readers' own code.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "document/acquisition.h"

namespace tesvar::test {

using Bytes = std::vector<std::uint8_t>;

inline void putBe16At(Bytes& b, std::size_t at, std::uint16_t v)
{
    b[at] = static_cast<std::uint8_t>(v >> 8);
    b[at + 1] = static_cast<std::uint8_t>(v);
}

inline void putBe32At(Bytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

inline void putLe32At(Bytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void putLeFloatAt(Bytes& b, std::size_t at, float v)
{
    putLe32At(b, at, std::bit_cast<std::uint32_t>(v));
}

// Bruker X32 data: 32-bit integers, little-endian unless bigEndian.
inline Bytes x32Ints(const std::vector<std::int32_t>& values, bool bigEndian = false)
{
    Bytes b(4 * values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto u = static_cast<std::uint32_t>(values[i]);
        bigEndian ? putBe32At(b, 4 * i, u) : putLe32At(b, 4 * i, u);
    }
    return b;
}

inline Bytes x32Doubles(const std::vector<double>& values, bool bigEndian)
{
    Bytes b(8 * values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto u = std::bit_cast<std::uint64_t>(values[i]);
        for (int k = 0; k < 8; ++k)
            b[8 * i + k] = static_cast<std::uint8_t>(bigEndian ? u >> (56 - 8 * k) : u >> (8 * k));
    }
    return b;
}

// An "Acqus" text as the spectrometer writes it: one "##$KEY= value" a line.
inline std::string acqusText(int td, double swH, double bf1, int aqMod)
{
    return "##TITLE= Parameter file\n##JCAMPDX= 5.0\n##$AQ_mod= " + std::to_string(aqMod) +
           "\n##$BF1= " + std::to_string(bf1) + "\n##$SW_h= " + std::to_string(swH) +
           "\n##$TD= " + std::to_string(td) + "\n##END=\n";
}

// The Aspect 48-bit float of a value: an 11-bit two's-complement exponent split over
// byte 3 and the top three bits of byte 4, a 37-bit two's-complement mantissa in
// bytes 0..2, the low five bits of byte 4 and byte 5.
inline std::array<std::uint8_t, 6> aspectFloatBytes(double value)
{
    std::array<std::uint8_t, 6> c{};
    if (value == 0.0)
        return c;
    int e = 0;
    const double m = std::frexp(value, &e);  // |m| in [0.5, 1)
    auto mantissa = static_cast<std::int64_t>(std::llround(std::ldexp(m, 36)));
    const std::uint64_t bits = static_cast<std::uint64_t>(mantissa) & ((std::uint64_t{1} << 37) - 1);
    const unsigned exponent = static_cast<unsigned>(e) & 2047u;
    c[0] = static_cast<std::uint8_t>(bits >> 29);
    c[1] = static_cast<std::uint8_t>(bits >> 21);
    c[2] = static_cast<std::uint8_t>(bits >> 13);
    c[3] = static_cast<std::uint8_t>(exponent >> 3);
    c[4] = static_cast<std::uint8_t>((exponent & 7) << 5 | ((bits >> 8) & 31));
    c[5] = static_cast<std::uint8_t>(bits);
    return c;
}

struct AspectHeader {
    std::uint32_t count = 0;
    double sw = 5000.0;
    std::uint16_t mode = 1;
    double sf = 250.0;
    std::uint16_t modeFlag = 7;
    double extra = 3.5;
};

// An Aspect file: magic 47 84 F5, the header words, then 24-bit values from byte 768.
inline Bytes aspectFile(const AspectHeader& h, const std::vector<std::int32_t>& values)
{
    Bytes b(768 + 3 * values.size(), 0);
    b[0] = 0x47, b[1] = 0x84, b[2] = 0xF5;
    b[129] = static_cast<std::uint8_t>(h.count >> 16);
    b[130] = static_cast<std::uint8_t>(h.count >> 8);
    b[131] = static_cast<std::uint8_t>(h.count);
    auto putFloat = [&](std::size_t at, double v) {
        const auto f = aspectFloatBytes(v);
        std::copy(f.begin(), f.end(), b.begin() + at);
    };
    putFloat(159, h.sw);
    putBe16At(b, 167, h.mode);
    putFloat(231, h.sf);
    putBe16At(b, 239, h.modeFlag);
    putFloat(471, h.extra);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto u = static_cast<std::uint32_t>(values[i]);
        b[768 + 3 * i] = static_cast<std::uint8_t>(u >> 16);
        b[769 + 3 * i] = static_cast<std::uint8_t>(u >> 8);
        b[770 + 3 * i] = static_cast<std::uint8_t>(u);
    }
    return b;
}

struct NutsHeader {
    std::int32_t count = 0;
    float sw = 4000.0f;
    float sf = 400.0f;
    std::uint16_t mode = 1;
    std::uint16_t modeFlag = 5;
};

// A NUTS file: magic 01 02 03 04, little-endian fields, 32-bit floats from byte 1036.
inline Bytes nutsFile(const NutsHeader& h, const std::vector<float>& values)
{
    Bytes b(1036 + 4 * values.size(), 0);
    putLe32At(b, 0, 0x04030201);
    b[388] = static_cast<std::uint8_t>(h.mode), b[389] = static_cast<std::uint8_t>(h.mode >> 8);
    b[390] = static_cast<std::uint8_t>(h.modeFlag);
    b[391] = static_cast<std::uint8_t>(h.modeFlag >> 8);
    putLeFloatAt(b, 448, h.sw);
    putLeFloatAt(b, 452, h.sf);
    putLe32At(b, 1032, static_cast<std::uint32_t>(h.count));
    for (std::size_t i = 0; i < values.size(); ++i)
        putLeFloatAt(b, 1036 + 4 * i, values[i]);
    return b;
}

// Varian data: the 32-byte file header (status word at 26) and a 28-byte block
// header, then big-endian values of 2 or 4 bytes.
inline Bytes varianFile(std::uint16_t status, const Bytes& values)
{
    Bytes b(60 + values.size(), 0);
    putBe32At(b, 0, 1);  // blocks
    putBe32At(b, 4, 1);  // traces
    putBe16At(b, 26, status);
    std::copy(values.begin(), values.end(), b.begin() + 60);
    return b;
}

inline Bytes be32Values(const std::vector<std::int32_t>& values)
{
    Bytes b(4 * values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        putBe32At(b, 4 * i, static_cast<std::uint32_t>(values[i]));
    return b;
}

inline Bytes be16Values(const std::vector<std::int16_t>& values)
{
    Bytes b(2 * values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        putBe16At(b, 2 * i, static_cast<std::uint16_t>(values[i]));
    return b;
}

inline Bytes beFloatValues(const std::vector<float>& values)
{
    Bytes b(4 * values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        putBe32At(b, 4 * i, std::bit_cast<std::uint32_t>(values[i]));
    return b;
}

// One procpar entry: the name line with its attributes, the values line, the
// enumeration line.
inline std::string procparEntry(const std::string& name, int basicType, const std::string& value)
{
    return name + " 1 " + std::to_string(basicType) + " 1e+09 0 0 2 1 11 1 64\n1 " + value +
           "\n0\n";
}

inline std::string procparText(double sfrq, double sw, int np, const std::string& dp)
{
    return procparEntry("sfrq", 1, std::to_string(sfrq)) + procparEntry("sw", 1, std::to_string(sw)) +
           procparEntry("np", 1, std::to_string(np)) + procparEntry("dp", 2, dp);
}

}  // namespace tesvar::test
