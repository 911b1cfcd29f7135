#include <gtest/gtest.h>

#include <filesystem>

#include "importers/file_recognition.h"
#include "format_builders.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

using test::Bytes;

Bytes textBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Each case writes its files into a fresh folder and asks for the type of the first.
TEST(FileRecognition, TheContentsAndTheFilesBesideTellTheType)
{
    const Bytes jcamp = test::readBytes(std::string(TESVAR_TEST_DATA) + "/jcamp/ntuples.jdx");
    const Bytes ints = test::x32Ints({1, 2, 3, 4});
    const Bytes parameters = textBytes("##TITLE= parameters\n##$TD= 4\n##END=\n");
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, Bytes>> files;
        std::optional<FileType> type;
    };
    const Case cases[] = {
        {"JCAMP-DX", {{"x.dx", jcamp}}, FileType::Jcamp},
        {"JCAMP-DX in a Bruker folder", {{"x.jdx", jcamp}, {"acqus", parameters}}, FileType::Jcamp},
        {"labels without a data table", {{"p.txt", parameters}}, std::nullopt},
        {"NUTS", {{"a.nuts", test::nutsFile({2, 1000.0f, 400.0f}, {1, 2})}}, FileType::Nuts},
        {"Aspect", {{"a.asp", test::aspectFile({2, 1000.0, 1, 400.0}, {1, 2})}},
         FileType::BrukerAspect},
        {"Varian", {{"fid", ints}, {"procpar", parameters}}, FileType::Varian},
        {"Bruker", {{"fid", ints}, {"ACQUS", parameters}}, FileType::BrukerX32},
        {"a fid alone", {{"fid", ints}}, std::nullopt},
        {"a file that is not there", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        for (const auto& [name, bytes] : c.files)
            test::writeBytes(dir.file(name), bytes);
        const std::string path = dir.file(c.files.empty() ? "none" : c.files.front().first);
        EXPECT_EQ(recogniseFileType(path), c.type) << c.name;
    }
}

TEST(FileRecognition, AFolderOpensItsFid)
{
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "exp" / "pdata");
    std::filesystem::create_directories(dir.path() / "empty");
    test::writeBytes(dir.file("exp/FID"), {1, 2, 3, 4});
    EXPECT_EQ(fileToOpen(dir.file("exp")), dir.file("exp/FID"));
    EXPECT_EQ(fileToOpen(dir.file("empty")), dir.file("empty")) << "refused later, as a folder";
    EXPECT_EQ(fileToOpen(dir.file("exp/FID")), dir.file("exp/FID"));
}

}  // namespace
}  // namespace tesvar
