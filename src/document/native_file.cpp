#include "document/native_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <optional>
#include <random>
#include <system_error>

#include "document/file_bytes.h"
#include "document/spectrum_document.h"

namespace tesvar {

namespace fs = std::filesystem;

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

namespace {

// The file a save writes to: the name itself or, through its symbolic links, the file
// they lead to, whether that file exists yet or not. Nothing when the links loop.
std::optional<fs::path> followLinks(fs::path target)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        std::error_code ec;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            return std::nullopt;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return std::nullopt;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// A new file of a short name of fixed length in the folder, whatever the length of the
// target's name; O_EXCL refuses a name another file has. Returns the descriptor or -1.
int createTemporaryIn(const fs::path& folder, fs::path& tempPath)
{
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 64; ++attempt) {
        std::string name = ".tvx-";
        for (int i = 0; i < 6; ++i)
            name += kLetters[pick(random)];
        tempPath = folder / name;
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// For a file in a folder that takes no new files: the file is written where it is. It
// was found to be a regular file and is checked again once open; opening without
// blocking keeps a pipe put there meanwhile from stopping the program.
bool overwriteInPlace(const fs::path& target, std::span<const std::uint8_t> bytes)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && writeAll(fd, bytes) &&
              ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
}

// Makes the rename durable. A file system that cannot sync a folder says so with EINVAL;
// the file itself has then been synced all the same.
bool syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES;  // a folder the user may write but not list
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

}  // namespace

bool writeNativeFile(const std::string& path, const AcquisitionParameters& acq,
                     std::span<const double> values, const PendingTransform& pending)
{
    if (path.empty())
        return false;
    const std::optional<fs::path> target = followLinks(path);
    if (!target)
        return false;
    // Only a regular file is replaced; a folder, pipe or device never is, and a pipe is
    // never opened, since opening it for writing would wait for a reader. A file nobody
    // may write to is protected: the rename below would replace it all the same.
    struct stat old {};
    const bool exists = ::stat(target->c_str(), &old) == 0;
    if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0))
        return false;

    const std::vector<std::uint8_t> bytes = encodeNativeFile(acq, values, pending);
    const fs::path folder = target->has_parent_path() ? target->parent_path() : fs::path(".");
    fs::path tempPath;
    const int fd = createTemporaryIn(folder, tempPath);
    if (fd < 0)
        return exists && (errno == EACCES || errno == EPERM) && overwriteInPlace(*target, bytes);

    bool ok = writeAll(fd, bytes);
    if (ok && exists) {
        // The new file takes the old one's place with its owner (where the user may give
        // it) and its permissions.
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(tempPath.c_str(), target->c_str()) == 0;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    return syncFolder(folder);
}

}  // namespace tesvar
