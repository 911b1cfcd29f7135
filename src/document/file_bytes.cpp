#include "document/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tesvar {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path,
                                                       std::size_t maxBytes)
{
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    // Grow in steps so that a small file does not cost the whole limit; the first step is
    // the file's size and one byte (to see its end), so that it costs no more than the file.
    constexpr std::size_t step = std::size_t{1} << 20;
    const std::uintmax_t size = fs::file_size(path, ec);
    std::size_t chunk =
        ec ? step : static_cast<std::size_t>(std::min<std::uintmax_t>(size, step)) + 1;
    while (bytes.size() < maxBytes) {
        const std::size_t old = bytes.size();
        const std::size_t want = std::min(chunk, maxBytes - old);
        chunk = step;
        bytes.resize(old + want);
        in.read(reinterpret_cast<char*>(bytes.data() + old), static_cast<std::streamsize>(want));
        const auto got = static_cast<std::size_t>(in.gcount());
        bytes.resize(old + got);
        if (in.bad())
            return std::nullopt;
        if (got < want)
            break;
    }
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

bool writeFileBytes(const std::string& path, std::span<const std::uint8_t> bytes)
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
