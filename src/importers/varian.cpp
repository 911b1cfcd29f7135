#include "importers/varian.h"

#include <algorithm>
#include <bit>

#include "document/text_format.h"
#include "importers/byte_order.h"
#include "importers/parameter_text.h"

namespace tesvar {

namespace {

std::size_t valueWidth(VarianValueType type)
{
    return type == VarianValueType::Int16 ? 2 : 4;
}

double valueAt(const std::uint8_t* p, VarianValueType type)
{
    switch (type) {
    case VarianValueType::Int16: return static_cast<std::int16_t>(getBe16(p));
    case VarianValueType::Int32: return static_cast<std::int32_t>(getBe32(p));
    case VarianValueType::Float32: return std::bit_cast<float>(getBe32(p));
    }
    return 0.0;
}

}  // namespace

ProcparValues parseProcpar(std::string_view text)
{
    ProcparValues values;
    TokenReader tokens(text, kProcparTokenLength);
    for (std::string_view token = tokens.next(); !token.empty(); token = tokens.next()) {
        if (!tokens.firstOnLine())
            continue;
        if (token != "sfrq" && token != "sw" && token != "np" && token != "dp")
            continue;
        tokens.skipRestOfLine();
        tokens.next();  // the number of values
        const std::string_view value = tokens.next();
        if (token == "sfrq")
            values.sfrq = readLeadingNumber(value);
        else if (token == "sw")
            values.sw = readLeadingNumber(value);
        else if (token == "np")
            values.np = leadingInteger(value);
        else
            values.dpIsY = value == "\"y\"";
    }
    return values;
}

VarianValueType varianValueType(std::span<const std::uint8_t> dataFile, const ProcparValues& p)
{
    if (dataFile.size() >= kVarianStatusOffset + 2) {
        const std::uint16_t status = getBe16(dataFile.data() + kVarianStatusOffset);
        if (status & kVarianStatusData) {
            if (status & kVarianStatusFloat)
                return VarianValueType::Float32;
            return (status & kVarianStatus32Bit) ? VarianValueType::Int32 : VarianValueType::Int16;
        }
    }
    return p.dpIsY.value_or(true) ? VarianValueType::Int32 : VarianValueType::Int16;
}

ImportResult assembleVarian(std::span<const std::uint8_t> dataFile, const ProcparValues& params,
                            int capacity)
{
    if (dataFile.size() < kVarianDataOffset)
        return ImportResult::unusable(SpectrumProblem::HeaderCut);
    ImportedSpectrum staged;
    AcquisitionParameters& acq = staged.acq;
    acq.sf = params.sfrq.value_or(0.0);
    acq.sw = params.sw.value_or(0.0);
    acq.acqMode = 1;  // quadrature
    staged.conjugateOnTransform = 1;

    const VarianValueType type = varianValueType(dataFile, params);
    const std::size_t width = valueWidth(type);
    const std::size_t held = (dataFile.size() - kVarianDataOffset) / width;
    const std::size_t n = stageValues(staged, params.np.value_or(0), held, capacity);
    for (std::size_t i = 0; i < n; ++i)
        staged.values[i] = valueAt(dataFile.data() + kVarianDataOffset + width * i, type);
    return finishImport(std::move(staged), held);
}

ImportResult readVarian(const std::string& path, int capacity)
{
    const auto data =
        readFileBytes(path, kVarianDataOffset + 4 * static_cast<std::size_t>(std::max(capacity, 0)));
    if (!data)
        return ImportStatus::NotRead;
    const auto procparPath = findIgnoringCase(folderOf(path), {"procpar"});
    if (!procparPath)
        return ImportStatus::NotRead;
    const auto text = readTextFile(*procparPath);
    if (!text)
        return ImportStatus::NotRead;
    return assembleVarian(*data, parseProcpar(*text), capacity);
}

}  // namespace tesvar
