#include "importers/bruker_aspect_nuts.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace tesvar {

namespace {

// Header positions of the Aspect file, in bytes. The two mode words are read one byte
// past their word boundaries (165 and 237), as the format's writers put them.
constexpr std::size_t kAspectCount = 129;
constexpr std::size_t kAspectSweepWidth = 159;
constexpr std::size_t kAspectMode = 166;
constexpr std::size_t kAspectFrequency = 231;
constexpr std::size_t kAspectModeFlag = 238;
constexpr std::size_t kAspectExtra = 471;

constexpr std::size_t kNutsMode = 388;
constexpr std::size_t kNutsSweepWidth = 448;
constexpr std::size_t kNutsFrequency = 452;
constexpr std::size_t kNutsCount = 1032;

std::int16_t modeWord(const std::uint8_t* word)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(word[1] << 8 | word[2]));
}

double aspectValue(const std::uint8_t* b)
{
    const std::int32_t unsignedValue = b[0] << 16 | b[1] << 8 | b[2];
    return b[0] >= 128 ? unsignedValue - 16777216 : unsignedValue;
}

float getLeFloat(const std::uint8_t* in)
{
    return std::bit_cast<float>(getLe32(in));
}

}  // namespace

double aspectFloat(const std::uint8_t* c)
{
    int e = c[3] * 8 + (c[4] >> 5);
    if (e > 1023)
        e -= 2048;
    // The low five bits of the fifth byte continue the mantissa of the first three
    // bytes, and the sixth byte continues it further.
    double m = c[0] / 128.0 + c[1] / 32768.0 + c[2] / 8388608.0 + (c[4] & 31) / 268435456.0 +
               c[5] / 68719476736.0;
    if (m > 1.0)
        m -= 2.0;
    return std::ldexp(m, e);
}

ImportResult parseAspect(std::span<const std::uint8_t> bytes, int capacity)
{
    if (bytes.size() < 3 || !std::equal(kAspectMagic, kAspectMagic + 3, bytes.begin()))
        return ImportStatus::NotRead;
    if (bytes.size() < kAspectDataOffset)
        return ImportResult::unusable(SpectrumProblem::HeaderCut);
    const std::uint8_t* p = bytes.data();
    ImportedSpectrum staged;
    AcquisitionParameters& acq = staged.acq;
    acq.sw = aspectFloat(p + kAspectSweepWidth);
    acq.acqMode = modeWord(p + kAspectMode);
    acq.sf = aspectFloat(p + kAspectFrequency);
    acq.acqModeFlag = modeWord(p + kAspectModeFlag);
    acq.extra = aspectFloat(p + kAspectExtra);

    const std::int32_t count = p[kAspectCount] << 16 | p[kAspectCount + 1] << 8 | p[kAspectCount + 2];
    const std::size_t held = (bytes.size() - kAspectDataOffset) / 3;
    const std::size_t n = stageValues(staged, count, held, capacity);
    for (std::size_t i = 0; i < n; ++i)
        staged.values[i] = aspectValue(p + kAspectDataOffset + 3 * i);
    staged.conjugateOnTransform = 0;
    return finishImport(std::move(staged), held);
}

ImportResult parseNuts(std::span<const std::uint8_t> bytes, int capacity)
{
    if (bytes.size() < 4 || getLe32(bytes.data()) != kNutsMagic)
        return ImportStatus::NotRead;
    if (bytes.size() < kNutsDataOffset)
        return ImportResult::unusable(SpectrumProblem::HeaderCut);
    const std::uint8_t* p = bytes.data();
    ImportedSpectrum staged;
    AcquisitionParameters& acq = staged.acq;
    acq.sw = getLeFloat(p + kNutsSweepWidth);
    acq.sf = getLeFloat(p + kNutsFrequency);
    acq.acqMode = static_cast<std::int16_t>(getLe16(p + kNutsMode));
    acq.acqModeFlag = static_cast<std::int16_t>(getLe16(p + kNutsMode + 2));
    staged.conjugateOnTransform = acq.acqMode == 1 ? 1 : 0;

    const auto count = static_cast<std::int32_t>(getLe32(p + kNutsCount));
    const std::size_t held = (bytes.size() - kNutsDataOffset) / 4;
    const std::size_t n = stageValues(staged, count, held, capacity);
    for (std::size_t i = 0; i < n; ++i)
        staged.values[i] = getLeFloat(p + kNutsDataOffset + 4 * i);
    return finishImport(std::move(staged), held);
}

namespace {

// Reads no more of the file than its header and capacity values take.
template <class Parse>
ImportResult readWhole(const std::string& path, std::size_t dataOffset, std::size_t valueBytes,
                       int capacity, Parse parse)
{
    const auto bytes =
        readFileBytes(path, dataOffset + valueBytes * static_cast<std::size_t>(std::max(capacity, 0)));
    if (!bytes)
        return ImportStatus::NotRead;
    return parse(*bytes, capacity);
}

}  // namespace

ImportResult readAspect(const std::string& path, int capacity)
{
    return readWhole(path, kAspectDataOffset, 3, capacity, parseAspect);
}

ImportResult readNuts(const std::string& path, int capacity)
{
    return readWhole(path, kNutsDataOffset, 4, capacity, parseNuts);
}

}  // namespace tesvar
