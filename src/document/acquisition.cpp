#include "document/acquisition.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace tesvar {

void putLe16(std::uint8_t* out, std::uint16_t v)
{
    out[0] = static_cast<std::uint8_t>(v);
    out[1] = static_cast<std::uint8_t>(v >> 8);
}

void putLe32(std::uint8_t* out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void putLe64(std::uint8_t* out, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void putLeDouble(std::uint8_t* out, double v)
{
    putLe64(out, std::bit_cast<std::uint64_t>(v));
}

std::uint16_t getLe16(const std::uint8_t* in)
{
    return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

std::uint32_t getLe32(const std::uint8_t* in)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | in[i];
    return v;
}

std::uint64_t getLe64(const std::uint8_t* in)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | in[i];
    return v;
}

double getLeDouble(const std::uint8_t* in)
{
    return std::bit_cast<double>(getLe64(in));
}

AcquisitionBlock encodeAcquisition(const AcquisitionParameters& acq)
{
    AcquisitionBlock b{};
    putLe16(&b[0], static_cast<std::uint16_t>(acq.acqMode));
    putLe16(&b[2], static_cast<std::uint16_t>(acq.acqModeFlag));
    std::memcpy(&b[4], acq.reserved1.data(), 4);
    putLeDouble(&b[8], acq.sw);
    putLeDouble(&b[16], acq.sf);
    putLeDouble(&b[24], acq.extra);
    putLe32(&b[32], static_cast<std::uint32_t>(acq.td));
    std::memcpy(&b[36], acq.reserved2.data(), 4);
    putLeDouble(&b[40], acq.aq);
    return b;
}

AcquisitionParameters decodeAcquisition(const AcquisitionBlock& b)
{
    AcquisitionParameters acq;
    acq.acqMode = static_cast<std::int16_t>(getLe16(&b[0]));
    acq.acqModeFlag = static_cast<std::int16_t>(getLe16(&b[2]));
    std::memcpy(acq.reserved1.data(), &b[4], 4);
    acq.sw = getLeDouble(&b[8]);
    acq.sf = getLeDouble(&b[16]);
    acq.extra = getLeDouble(&b[24]);
    acq.td = static_cast<std::int32_t>(getLe32(&b[32]));
    std::memcpy(acq.reserved2.data(), &b[36], 4);
    acq.aq = getLeDouble(&b[40]);
    return acq;
}

SpectrumProblem acquisitionProblem(const AcquisitionParameters& acq)
{
    if (acq.td <= 0)
        return SpectrumProblem::PointCount;
    if (!(std::isfinite(acq.sw) && acq.sw > 0.0) || !std::isfinite(acq.td / (2.0 * acq.sw)))
        return SpectrumProblem::SweepWidth;
    if (!(std::isfinite(acq.sf) && acq.sf > 0.0))
        return SpectrumProblem::Frequency;
    return SpectrumProblem::None;
}

bool allFinite(std::span<const double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

std::string valueCountNote(std::int64_t count, std::int64_t held, int capacity)
{
    const std::int64_t used = std::min<std::int64_t>(count, capacity);
    if (held < used)
        return "The file holds only " + std::to_string(held) + " of its " + std::to_string(count) +
               " values; the others" +
               (count > capacity ? " up to " + std::to_string(capacity) : std::string()) +
               " read as 0.";
    if (count > capacity)
        return "Only the first " + std::to_string(capacity) + " of the file's " +
               std::to_string(count) + " values were read; the rest was left out.";
    return {};
}

}  // namespace tesvar
