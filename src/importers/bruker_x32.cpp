#include "importers/bruker_x32.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>

#include "document/spectrum_document.h"
#include "document/text_format.h"
#include "importers/byte_order.h"
#include "importers/parameter_text.h"

namespace tesvar {

namespace {

enum class Key { AqMod, SwH, Td, Bf1, ByteOrder, DataType, GroupDelay, DspFirmware, Decimation };

struct KeyName {
    std::string_view text;
    Key key;
};

// Tested in this order; none is the beginning of another.
constexpr KeyName kKeys[] = {
    {"##$AQ_mod=", Key::AqMod},        {"##$SW_h=", Key::SwH},
    {"##$TD=", Key::Td},               {"##$BF1=", Key::Bf1},
    {"##$BYTORDA=", Key::ByteOrder},   {"##$DTYPA=", Key::DataType},
    {"##$GRPDLY=", Key::GroupDelay},   {"##$DSPFVS=", Key::DspFirmware},
    {"##$DECIM=", Key::Decimation},
};

void store(AcqusValues& v, Key key, std::string_view value)
{
    switch (key) {
    case Key::AqMod: v.aqMod = leadingInteger(value); break;
    case Key::SwH: v.swH = readLeadingNumber(value); break;
    case Key::Td: v.td = leadingInteger(value); break;
    case Key::Bf1: v.bf1 = readLeadingNumber(value); break;
    case Key::ByteOrder: v.byteOrder = leadingInteger(value); break;
    case Key::DataType: v.dataType = leadingInteger(value); break;
    case Key::GroupDelay: v.groupDelay = readLeadingNumber(value); break;
    case Key::DspFirmware: v.dspFirmware = leadingInteger(value); break;
    case Key::Decimation: v.decimation = readLeadingNumber(value); break;
    }
}

// Delays of the digital filters of DSP firmware versions 10 to 13, by decimation
// factor, in complex points (W. M. Westler and F. Abildgaard's table as published).
const std::map<int, std::map<int, double>>& dspDelayTable()
{
    static const std::map<int, std::map<int, double>> table = {
        {10, {{2, 44.75}, {3, 33.5}, {4, 66.625}, {6, 59.083333333333333}, {8, 68.5625},
              {12, 60.375}, {16, 69.53125}, {24, 61.020833333333333}, {32, 70.015625},
              {48, 61.34375}, {64, 70.2578125}, {96, 61.505208333333333},
              {128, 70.37890625}, {192, 61.5859375}, {256, 70.439453125},
              {384, 61.626302083333333}, {512, 70.4697265625}, {768, 61.646484375},
              {1024, 70.48486328125}, {1536, 61.656575520833333}, {2048, 70.492431640625}}},
        {11, {{2, 46.0}, {3, 36.5}, {4, 48.0}, {6, 50.166666666666667}, {8, 53.25},
              {12, 69.5}, {16, 72.25}, {24, 70.166666666666667}, {32, 72.75}, {48, 70.5},
              {64, 73.0}, {96, 70.666666666666667}, {128, 72.5}, {192, 71.333333333333333},
              {256, 72.25}, {384, 71.666666666666667}, {512, 72.125},
              {768, 71.833333333333333}, {1024, 72.0625}, {1536, 71.916666666666667},
              {2048, 72.03125}}},
        {12, {{2, 46.0}, {3, 36.5}, {4, 48.0}, {6, 50.166666666666667}, {8, 53.25},
              {12, 69.5}, {16, 71.625}, {24, 70.166666666666667}, {32, 72.125}, {48, 70.5},
              {64, 72.375}, {96, 70.666666666666667}, {128, 72.5}, {192, 71.333333333333333},
              {256, 72.25}, {384, 71.666666666666667}, {512, 72.125},
              {768, 71.833333333333333}, {1024, 72.0625}, {1536, 71.916666666666667},
              {2048, 72.03125}}},
        {13, {{2, 2.75}, {3, 2.8333333333333333}, {4, 2.875}, {6, 2.9166666666666667},
              {8, 2.9375}, {12, 2.9583333333333333}, {16, 2.96875},
              {24, 2.9791666666666667}, {32, 2.984375}, {48, 2.9895833333333333},
              {64, 2.9921875}, {96, 2.9947916666666667}}},
    };
    return table;
}

std::size_t x32ValueWidth(const AcqusValues& acqus)
{
    return acqus.dataType.value_or(0) == 2 ? 8 : 4;
}

// Decodes as many values as `out` holds and the file has; the others are left alone.
void decodeX32Into(std::span<double> out, std::span<const std::uint8_t> fid,
                   const AcqusValues& acqus)
{
    const bool bigEndian = acqus.byteOrder.value_or(0) == 1;
    const std::size_t width = x32ValueWidth(acqus);
    const std::size_t held = fid.size() / width;
    for (std::size_t i = 0; i < out.size() && i < held; ++i) {
        const std::uint8_t* p = fid.data() + i * width;
        if (width == 8)
            out[i] = std::bit_cast<double>(bigEndian ? getBe64(p) : getLe64(p));
        else
            out[i] = static_cast<std::int32_t>(bigEndian ? getBe32(p) : getLe32(p));
    }
}

}  // namespace

AcqusValues parseAcqus(std::string_view text)
{
    AcqusValues values;
    TokenReader tokens(text, kAcqusTokenLength);
    for (std::string_view token = tokens.next(); !token.empty(); token = tokens.next()) {
        for (const KeyName& k : kKeys) {
            if (!token.starts_with(k.text))
                continue;
            // JCAMP-DX allows the value right after the "=": "##$TD=16384".
            const std::string_view attached = token.substr(k.text.size());
            store(values, k.key, attached.empty() ? tokens.next() : attached);
            break;
        }
    }
    return values;
}

std::optional<AcqusValues> readAcqus(const std::string& path)
{
    const auto text = readTextFile(path);
    if (!text)
        return std::nullopt;
    return parseAcqus(*text);
}

std::optional<std::vector<std::uint8_t>> readX32Fid(const std::string& path)
{
    return readFileBytes(path, 8 * static_cast<std::size_t>(kDataCapacity));
}

std::vector<double> decodeX32Values(std::span<const std::uint8_t> fid, const AcqusValues& acqus,
                                    int count)
{
    std::vector<double> out(static_cast<std::size_t>(std::max(count, 0)), 0.0);
    decodeX32Into(out, fid, acqus);
    return out;
}

double brukerGroupDelay(const AcqusValues& acqus)
{
    if (acqus.groupDelay && std::isfinite(*acqus.groupDelay) && *acqus.groupDelay > 0.0)
        return *acqus.groupDelay;
    if (!acqus.dspFirmware || !acqus.decimation)
        return 0.0;
    const double decim = *acqus.decimation;
    if (!(decim >= 1.0 && decim <= 4096.0) || decim != std::floor(decim))
        return 0.0;
    const auto& table = dspDelayTable();
    const auto version = table.find(static_cast<int>(std::clamp<std::int64_t>(
        *acqus.dspFirmware, -1, 1000)));
    if (version == table.end())
        return 0.0;
    const auto delay = version->second.find(static_cast<int>(decim));
    return delay == version->second.end() ? 0.0 : delay->second;
}

ImportResult assembleX32(std::span<const std::uint8_t> fid, const AcqusValues& acqus, int capacity)
{
    ImportedSpectrum staged;
    AcquisitionParameters& acq = staged.acq;
    acq.sw = acqus.swH.value_or(0.0);
    acq.sf = acqus.bf1.value_or(0.0);
    acq.td = static_cast<std::int32_t>(std::clamp<std::int64_t>(acqus.td.value_or(0), 0, capacity));
    if (const SpectrumProblem problem = acquisitionProblem(acq); problem != SpectrumProblem::None)
        return ImportResult::unusable(problem);
    // Whether the data are real or quadrature: no default would be right for every file.
    if (!acqus.aqMod)
        return ImportResult::unusable(SpectrumProblem::AcquisitionMode);
    acq.acqMode = static_cast<std::int16_t>(static_cast<std::uint16_t>(*acqus.aqMod));
    acq.acqModeFlag = acq.acqMode != 0 ? 1 : 0;

    const std::size_t held = fid.size() / x32ValueWidth(acqus);
    const std::size_t n = stageValues(staged, *acqus.td, held, capacity);
    decodeX32Into(std::span(staged.values).first(n), fid, acqus);
    staged.conjugateOnTransform = 0;
    staged.digitalFilterDelay = brukerGroupDelay(acqus);
    return finishImport(std::move(staged), held);
}

}  // namespace tesvar
