#include "document/native_file.h"

#include <algorithm>
#include <cmath>

#include "document/file_bytes.h"
#include "document/spectrum_document.h"

namespace tesvar {

namespace {

// CRC-32 with the reflected polynomial 0xEDB88320, as zlib and PNG compute it.
std::uint32_t crc32(std::span<const std::uint8_t> bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

constexpr std::uint8_t kConjugateFlag = 1;

void putPendingRecord(std::uint8_t* at, const PendingTransform& pending)
{
    std::copy_n(kPendingRecordTag, sizeof kPendingRecordTag, at);
    at[7] = pending.conjugate != 0 ? kConjugateFlag : 0;
    putLeDouble(at + 8, pending.filterDelay);
    putLe32(at + 16, crc32({at, 16}));
}

// The record when the file holds a valid one; otherwise nothing is pending.
PendingTransform readPendingRecord(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kPendingRecordOffset + kPendingRecordSize)
        return {};
    const std::uint8_t* at = bytes.data() + kPendingRecordOffset;
    const double delay = getLeDouble(at + 8);
    if (!std::equal(kPendingRecordTag, kPendingRecordTag + sizeof kPendingRecordTag, at) ||
        getLe32(at + 16) != crc32({at, 16}) || (at[7] & ~kConjugateFlag) != 0 ||
        !std::isfinite(delay))
        return {};
    return {at[7] & kConjugateFlag ? 1 : 0, delay};
}

}  // namespace

NativeReadResult parseNativeFile(std::span<const std::uint8_t> bytes, int capacity)
{
    NativeReadResult result;
    if (bytes.size() < 3 || !std::equal(kNativeMagic, kNativeMagic + 3, bytes.begin())) {
        result.status = NativeStatus::NotNative;
        return result;
    }
    result.blockMissing = bytes.size() < kNativeBlockOffset;
    if (bytes.size() < kNativeBlockOffset + kAcquisitionBlockSize) {
        result.status = NativeStatus::Unusable;
        result.problem = SpectrumProblem::HeaderCut;
        return result;
    }
    AcquisitionBlock block{};
    std::copy_n(bytes.begin() + kNativeBlockOffset, kAcquisitionBlockSize, block.begin());
    result.acq = decodeAcquisition(block);
    const std::size_t available =
        bytes.size() > kNativeDataOffset ? (bytes.size() - kNativeDataOffset) / 8 : 0;
    result.problem = acquisitionProblem(result.acq);
    if (result.problem == SpectrumProblem::None && available == 0)
        result.problem = SpectrumProblem::NoData;
    if (result.problem != SpectrumProblem::None) {
        result.status = NativeStatus::Unusable;
        return result;
    }
    result.note = valueCountNote(result.acq.td, static_cast<std::int64_t>(available), capacity);
    result.acq.td = std::min(result.acq.td, capacity);

    // Values the file does not hold read as zero.
    const std::size_t n = static_cast<std::size_t>(result.acq.td);
    result.values.assign(n, 0.0);
    for (std::size_t i = 0; i < std::min(n, available); ++i)
        result.values[i] = getLeDouble(bytes.data() + kNativeDataOffset + 8 * i);
    if (!allFinite(result.values)) {
        result.values.clear();
        result.status = NativeStatus::NotFinite;
        return result;
    }
    result.pending = readPendingRecord(bytes);
    result.status = NativeStatus::Ok;
    return result;
}

NativeReadResult readNativeFile(const std::string& path, int capacity)
{
    const auto bytes =
        readFileBytes(path, kNativeDataOffset + 8 * static_cast<std::size_t>(capacity));
    if (!bytes) {
        NativeReadResult failed;
        failed.status = NativeStatus::CannotOpen;
        return failed;
    }
    return parseNativeFile(*bytes, capacity);
}

std::vector<std::uint8_t> encodeNativeFile(const AcquisitionParameters& acq,
                                           std::span<const double> values,
                                           const PendingTransform& pending)
{
    const std::size_t size =
        std::max(kNativeMinimumSize, kNativeDataOffset + 8 * values.size());
    std::vector<std::uint8_t> bytes(size, kNativeFiller);
    std::copy_n(kNativeMagic, 3, bytes.begin());
    AcquisitionParameters stored = acq;
    stored.td = static_cast<std::int32_t>(values.size());
    const AcquisitionBlock block = encodeAcquisition(stored);
    std::copy(block.begin(), block.end(), bytes.begin() + kNativeBlockOffset);
    if (pending != PendingTransform{})
        putPendingRecord(bytes.data() + kPendingRecordOffset, pending);
    for (std::size_t i = 0; i < values.size(); ++i)
        putLeDouble(bytes.data() + kNativeDataOffset + 8 * i, values[i]);
    return bytes;
}

bool writeNativeFile(const std::string& path, const AcquisitionParameters& acq,
                     std::span<const double> values, const PendingTransform& pending)
{
    return writeFileBytes(path, encodeNativeFile(acq, values, pending));
}

}  // namespace tesvar
