#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "document/native_file.h"
#include "document/spectrum_document.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

// Builds a native file byte by byte from the published layout, without the project's
// writer, so the reader and writer are checked against an independent source.
std::vector<std::uint8_t> handMadeFile(std::int32_t td, double sw, double sf, double extra,
                                       const std::vector<double>& values)
{
    std::vector<std::uint8_t> b(std::max<std::size_t>(2048, 1024 + 8 * values.size()), '0');
    b[0] = 'T';
    b[1] = 'V';
    b[2] = 'X';
    auto put = [&](std::size_t at, const void* p, std::size_t n) {
        std::memcpy(&b[at], p, n);  // this machine is little-endian, as the format
    };
    const std::int16_t mode = 1, flag = 1;
    put(256, &mode, 2);
    put(258, &flag, 2);
    const std::uint8_t reservedA[4] = {0xDE, 0xAD, 0xBE, 0xEF};
    put(260, reservedA, 4);
    put(264, &sw, 8);
    put(272, &sf, 8);
    put(280, &extra, 8);
    put(288, &td, 4);
    const std::uint8_t reservedB[4] = {1, 2, 3, 4};
    put(292, reservedB, 4);
    const double aq = 12345.0;  // a stale value: the reader must not use it
    put(296, &aq, 8);
    for (std::size_t i = 0; i < values.size(); ++i)
        put(1024 + 8 * i, &values[i], 8);
    return b;
}

std::vector<double> ramp(int n)
{
    std::vector<double> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = (i % 2 ? -1.0 : 1.0) * (i + 0.25) / 3.0;
    return v;
}

TEST(AcquisitionBlock, EncodesEveryFieldAtItsOffsetLittleEndian)
{
    AcquisitionParameters acq;
    acq.acqMode = 0x0102;
    acq.acqModeFlag = -2;
    acq.reserved1 = {9, 8, 7, 6};
    acq.sw = 6009.6;
    acq.sf = 400.13;
    acq.extra = -1.5;
    acq.td = 0x01020304;
    acq.reserved2 = {5, 4, 3, 2};
    acq.aq = 0.5;
    const AcquisitionBlock b = encodeAcquisition(acq);
    EXPECT_EQ(b[0], 0x02);
    EXPECT_EQ(b[1], 0x01);
    EXPECT_EQ(b[2], 0xFE);
    EXPECT_EQ(b[3], 0xFF);
    EXPECT_EQ(b[4], 9);
    EXPECT_EQ(b[7], 6);
    EXPECT_EQ(b[32], 0x04);
    EXPECT_EQ(b[35], 0x01);
    EXPECT_EQ(b[36], 5);
    EXPECT_EQ(b[39], 2);
    const std::uint64_t swBits = std::bit_cast<std::uint64_t>(6009.6);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(b[8 + i], static_cast<std::uint8_t>(swBits >> (8 * i)));
    EXPECT_EQ(decodeAcquisition(b), acq);
}

TEST(NativeFormat, SixtyFourDoublesMakeA2048ByteFileWithFillerAfterTheData)
{
    AcquisitionParameters acq;
    acq.td = 64;
    acq.sw = 1000.0;
    acq.sf = 400.0;
    const auto values = ramp(64);
    const auto bytes = encodeNativeFile(acq, values);
    ASSERT_EQ(bytes.size(), 2048u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "TVX");
    for (std::size_t i = 3; i < 256; ++i)
        ASSERT_EQ(bytes[i], '0') << i;
    for (std::size_t i = 304; i < 1024; ++i)
        ASSERT_EQ(bytes[i], '0') << i;
    for (std::size_t i = 1536; i < 2048; ++i)
        ASSERT_EQ(bytes[i], '0') << i;

    const auto read = parseNativeFile(bytes, kDataCapacity);
    ASSERT_EQ(read.status, NativeStatus::Ok);
    EXPECT_EQ(read.values, values);
}

TEST(NativeFormat, FullCapacityMakesAFileOfExactly8389632Bytes)
{
    AcquisitionParameters acq;
    acq.td = kDataCapacity;
    acq.sw = 1000.0;
    const auto bytes = encodeNativeFile(acq, ramp(kDataCapacity));
    EXPECT_EQ(bytes.size(), 8389632u);
}

TEST(NativeFormat, AFileFromAnIndependentWriterReadsAndWritesBackByteForByte)
{
    for (int n : {16, 64, 200, 4096}) {
        const auto original = handMadeFile(n, 5000.0, 500.13, 77.25, ramp(n));
        const auto read = parseNativeFile(original, kDataCapacity);
        ASSERT_EQ(read.status, NativeStatus::Ok);
        EXPECT_EQ(read.acq.extra, 77.25);
        EXPECT_EQ(read.acq.reserved1, (std::array<std::uint8_t, 4>{0xDE, 0xAD, 0xBE, 0xEF}));
        EXPECT_EQ(read.acq.aq, 12345.0) << "the stored aq survives until a reset";
        EXPECT_EQ(read.values, ramp(n));
        EXPECT_EQ(encodeNativeFile(read.acq, read.values), original) << n;
    }
}

TEST(NativeFormat, MagicMustMatchExactlyAndInItsCase)
{
    auto bytes = handMadeFile(64, 1000.0, 400.0, 0.0, ramp(64));
    bytes[1] = 'v';
    EXPECT_EQ(parseNativeFile(bytes, kDataCapacity).status, NativeStatus::NotNative);
    const std::vector<std::uint8_t> tiny = {'T', 'V'};
    EXPECT_EQ(parseNativeFile(tiny, kDataCapacity).status, NativeStatus::NotNative);
    EXPECT_EQ(parseNativeFile({}, kDataCapacity).status, NativeStatus::NotNative);
}

TEST(NativeFormat, ValuesATruncatedFileDoesNotHoldReadAsZero)
{
    auto bytes = handMadeFile(256, 1000.0, 400.0, 0.0, ramp(256));
    bytes.resize(1024 + 8 * 100 + 3);  // 100 whole doubles and part of one more
    const auto read = parseNativeFile(bytes, kDataCapacity);
    ASSERT_EQ(read.status, NativeStatus::Ok);
    ASSERT_EQ(read.values.size(), 256u);
    EXPECT_EQ(read.values[99], ramp(256)[99]);
    for (std::size_t i = 100; i < 256; ++i)
        ASSERT_EQ(read.values[i], 0.0) << i;
}

TEST(NativeFormat, ACountBeyondTheCapacityIsCutToIt)
{
    const auto bytes = handMadeFile(std::numeric_limits<std::int32_t>::max(), 1000.0, 400.0,
                                    0.0, ramp(200));
    const auto read = parseNativeFile(bytes, 128);
    ASSERT_EQ(read.status, NativeStatus::Ok);
    EXPECT_EQ(read.acq.td, 128);
    ASSERT_EQ(read.values.size(), 128u);
    EXPECT_EQ(read.values[127], ramp(200)[127]);
}

TEST(NativeFormat, ParametersThatCannotDescribeASpectrumAreRefused)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        std::int32_t td;
        double sw;
        double sf;
    } cases[] = {{-2, 1000.0, 400.0}, {0, 1000.0, 400.0}, {64, 0.0, 400.0},
                 {64, -10.0, 400.0}, {64, nan, 400.0},   {64, inf, 400.0},
                 {64, 1000.0, nan},  {64, 1e-320, 400.0}, {64, 1000.0, 0.0}, {64, 1000.0, -inf}};
    for (const Case& c : cases) {
        const auto read =
            parseNativeFile(handMadeFile(c.td, c.sw, c.sf, 0.0, ramp(64)), kDataCapacity);
        EXPECT_EQ(read.status, NativeStatus::Unusable) << c.td << " " << c.sw << " " << c.sf;
        EXPECT_TRUE(read.values.empty());
    }
}

TEST(NativeFormat, AFileEndingBeforeItsParameterBlockIsMarked)
{
    std::vector<std::uint8_t> bytes = {'T', 'V', 'X', '0', '0'};
    const auto read = parseNativeFile(bytes, kDataCapacity);
    EXPECT_EQ(read.status, NativeStatus::Unusable);
    EXPECT_TRUE(read.blockMissing);
}

// The record of what the next transform still has to do replaces only filler, so an older
// reader reads the file as before. Built by hand here, its check computed by zlib.
TEST(NativeFormat, ThePendingTransformRecordLiesInTheFiller)
{
    auto bytes = handMadeFile(64, 1000.0, 400.0, 0.0, ramp(64));
    const auto read = parseNativeFile(bytes, kDataCapacity);
    const PendingTransform pending{1, 61.020833333333333};
    const auto written = encodeNativeFile(read.acq, read.values, pending);
    const std::uint32_t check = 0xc4b7a0a5;
    std::memcpy(&bytes[304], "TVXEXT1\x01", 8);
    std::memcpy(&bytes[312], &pending.filterDelay, 8);
    std::memcpy(&bytes[320], &check, 4);
    EXPECT_EQ(bytes, written);
    EXPECT_EQ(parseNativeFile(bytes, kDataCapacity).pending, pending);
    bytes[313] ^= 1;
    EXPECT_EQ(parseNativeFile(bytes, kDataCapacity).pending, PendingTransform{});
}

TEST(NativeFile, WriteThenReadRoundTripsThroughTheDisk)
{
    test::TempDir dir;
    AcquisitionParameters acq;
    acq.td = 300;
    acq.sw = 4789.27;
    acq.sf = 300.13;
    acq.extra = 3.5;
    ASSERT_TRUE(writeNativeFile(dir.file("a.TVX"), acq, ramp(300)));
    const auto read = readNativeFile(dir.file("a.TVX"), kDataCapacity);
    ASSERT_EQ(read.status, NativeStatus::Ok);
    EXPECT_EQ(read.acq, acq);
    EXPECT_EQ(read.values, ramp(300));
    EXPECT_EQ(readNativeFile(dir.file("missing"), kDataCapacity).status,
              NativeStatus::CannotOpen);
}

TEST(NativeFile, ReplacingAFileKeepsItsPermissionsAndLeavesNoTemporaryFile)
{
    test::TempDir dir;
    const std::string path = dir.file(std::string(251, 'b') + ".TVX");  // the longest name
    test::writeBytes(path, {'o', 'l', 'd'});
    ::chmod(path.c_str(), 0640);
    AcquisitionParameters acq;
    acq.td = 8;
    acq.sw = 100.0;
    ASSERT_TRUE(writeNativeFile(path, acq, ramp(8)));
    EXPECT_EQ(test::readBytes(path), encodeNativeFile(acq, ramp(8)));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

// A file marked read-only is protected against being written: saving over it fails,
// even though the folder would let a new file take its place.
TEST(NativeFile, AReadOnlyFileIsNotReplaced)
{
    test::TempDir dir;
    const std::string path = dir.file("protected.TVX");
    const std::vector<std::uint8_t> previous = {'k', 'e', 'p', 't'};
    test::writeBytes(path, previous);
    ::chmod(path.c_str(), 0444);
    AcquisitionParameters acq;
    acq.td = 8;
    acq.sw = 100.0;
    EXPECT_FALSE(writeNativeFile(path, acq, ramp(8)));
    EXPECT_EQ(test::readBytes(path), previous);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
    ::chmod(path.c_str(), 0644);
}

// Saving through a symbolic link writes the file it points to; the link stays a link.
TEST(NativeFile, SavingThroughALinkUpdatesTheLinkedFile)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "real");
    const std::string real = dir.file("real/spectrum.TVX");
    const std::string link = dir.file("link.TVX");
    test::writeBytes(real, {'o', 'l', 'd'});
    std::filesystem::create_symlink(real, link);
    AcquisitionParameters acq;
    acq.td = 8;
    acq.sw = 100.0;
    ASSERT_TRUE(writeNativeFile(link, acq, ramp(8)));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::readBytes(real), encodeNativeFile(acq, ramp(8)));
    std::filesystem::remove(real);  // a link to no file yet makes that file
    ASSERT_TRUE(writeNativeFile(link, acq, ramp(8)));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::readBytes(real), encodeNativeFile(acq, ramp(8)));
}

// A file the user may write, in a folder that takes no new files, is written in place.
// Root writes anywhere: under root the save runs in a child become an ordinary user.
TEST(NativeFile, AWritableFileInALockedFolderIsWrittenInPlace)
{
    test::TempDir dir;
    const std::string path = dir.file("s.TVX");
    test::writeBytes(path, {'o', 'l', 'd'});
    ::chmod(path.c_str(), 0666);
    ::chmod(dir.path().c_str(), 0555);
    const AcquisitionParameters acq{.sw = 100.0, .td = 8};
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        if (::open(dir.file("probe").c_str(), O_CREAT | O_WRONLY, 0666) >= 0)
            ::_exit(3);  // the folder must refuse new files
        ::_exit(writeNativeFile(path, acq, ramp(8)) ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(test::readBytes(path), encodeNativeFile(acq, ramp(8)));
}

TEST(NativeFile, AFailedWriteLeavesThePreviousFileIntact)
{
    test::TempDir dir;
    AcquisitionParameters acq;
    acq.td = 8;
    acq.sw = 100.0;
    // A folder and a pipe where the file should be, and a folder that does not exist.
    std::filesystem::create_directory(dir.path() / "folder");
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0666), 0);
    EXPECT_FALSE(writeNativeFile(dir.file("folder"), acq, ramp(8)));
    EXPECT_FALSE(writeNativeFile(dir.file("pipe"), acq, ramp(8)));
    EXPECT_FALSE(writeNativeFile(dir.file("no/such/folder/c.TVX"), acq, ramp(8)));
    EXPECT_FALSE(writeNativeFile("", acq, ramp(8)));
    // Nor is a pipe opened to be read: it would wait for a writer.
    EXPECT_EQ(readNativeFile(dir.file("pipe"), kDataCapacity).status, NativeStatus::CannotOpen);
    // The folder is still an empty folder, the pipe a pipe, and nothing was left beside.
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "folder"));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.path() / "pipe"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 2);
}

// A file-size limit makes the writes fail part-way, as a full disk would: the save must
// report the failure, remove its temporary file and keep the previous file.
TEST(NativeFile, AWriteThatFailsPartWayKeepsThePreviousFile)
{
    test::TempDir dir;
    const std::string path = dir.file("kept.TVX");
    const std::vector<std::uint8_t> previous = {'k', 'e', 'p', 't'};
    test::writeBytes(path, previous);
    AcquisitionParameters acq;
    acq.td = 64;
    acq.sw = 100.0;

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1500;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeNativeFile(path, acq, ramp(64));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(test::readBytes(path), previous);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace tesvar
