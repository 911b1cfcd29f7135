#include "document/native_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "document/spectrum_document.h"

namespace tesvar {

namespace fs = std::filesystem;

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
    result.status = NativeStatus::Ok;
    return result;
}

NativeReadResult readNativeFile(const std::string& path, int capacity)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        NativeReadResult failed;
        failed.status = NativeStatus::CannotOpen;
        return failed;
    }
    const std::size_t limit = kNativeDataOffset + 8 * static_cast<std::size_t>(capacity);
    std::vector<std::uint8_t> bytes(limit);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(limit));
    if (in.bad()) {
        NativeReadResult failed;
        failed.status = NativeStatus::CannotOpen;
        return failed;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return parseNativeFile(bytes, capacity);
}

std::vector<std::uint8_t> encodeNativeFile(const AcquisitionParameters& acq,
                                           std::span<const double> values)
{
    const std::size_t size =
        std::max(kNativeMinimumSize, kNativeDataOffset + 8 * values.size());
    std::vector<std::uint8_t> bytes(size, kNativeFiller);
    std::copy_n(kNativeMagic, 3, bytes.begin());
    const AcquisitionBlock block = encodeAcquisition(acq);
    std::copy(block.begin(), block.end(), bytes.begin() + kNativeBlockOffset);
    for (std::size_t i = 0; i < values.size(); ++i)
        putLeDouble(bytes.data() + kNativeDataOffset + 8 * i, values[i]);
    return bytes;
}

namespace {

// A name beside the target that no other file has: "wx" refuses an existing file.
std::FILE* createTemporaryBeside(const fs::path& target, fs::path& tempPath)
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%016llx.tmp",
                      static_cast<unsigned long long>(random()));
        tempPath = target;
        tempPath += suffix;
        if (std::FILE* f = std::fopen(tempPath.c_str(), "wbx"))
            return f;
    }
    return nullptr;
}

// A file nobody may write to is protected: the rename below would replace it all the
// same, so it is refused here, as opening it for writing would be.
bool markedReadOnly(const fs::path& target)
{
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (ec || !fs::exists(status))
        return false;
    constexpr fs::perms anyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & anyWrite) == fs::perms::none;
}

}  // namespace

bool writeNativeFile(const std::string& path, const AcquisitionParameters& acq,
                     std::span<const double> values)
{
    if (path.empty())
        return false;
    std::error_code ec;
    // Through a symbolic link the file it points to is written; the link stays.
    fs::path target(path);
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        target = fs::weakly_canonical(target, ec);
        if (ec)
            return false;
    }
    if (fs::is_directory(target, ec) || markedReadOnly(target))
        return false;

    fs::path tempPath;
    std::FILE* f = createTemporaryBeside(target, tempPath);
    if (!f)
        return false;
    const std::vector<std::uint8_t> bytes = encodeNativeFile(acq, values);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (ok) {
        // A file that is replaced keeps its permissions.
        const fs::file_status old = fs::status(target, ec);
        if (!ec && fs::exists(old))
            fs::permissions(tempPath, old.permissions(), ec);
        fs::rename(tempPath, target, ec);
        ok = !ec;
    }
    if (!ok)
        fs::remove(tempPath, ec);
    return ok;
}

}  // namespace tesvar
