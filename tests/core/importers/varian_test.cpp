#include <gtest/gtest.h>

#include <cmath>

#include "importers/varian.h"
#include "format_builders.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

using test::Bytes;

constexpr std::uint16_t kData = 0x0001, k32 = 0x0004, kFloat = 0x0008, kComplex = 0x0010;

TEST(Procpar, ReadsTheFourParametersInAnyOrder)
{
    const std::string text = test::procparEntry("dp", 2, "\"y\"") +
                             test::procparEntry("np", 7, "8192") +
                             test::procparEntry("sw", 1, "6000.5") +
                             test::procparEntry("sfrq", 1, "399.754");
    const ProcparValues v = parseProcpar(text);
    EXPECT_DOUBLE_EQ(*v.sfrq, 399.754);
    EXPECT_DOUBLE_EQ(*v.sw, 6000.5);
    EXPECT_EQ(*v.np, 8192);
    EXPECT_TRUE(*v.dpIsY);
    EXPECT_FALSE(*parseProcpar(test::procparEntry("dp", 2, "\"n\"")).dpIsY);
    EXPECT_FALSE(*parseProcpar(test::procparEntry("dp", 2, "y")).dpIsY) << "the quotes belong to it";
}

TEST(Procpar, NamesCompareAsWholeNamesAtTheStartOfTheirLine)
{
    // A real procpar holds sw1, sw2, swp, np... and words inside string values; none of
    // them may overwrite sw or np.
    const std::string text = test::procparEntry("sw", 1, "5000") + test::procparEntry("np", 1, "64") +
                             test::procparEntry("sw1", 1, "111") + test::procparEntry("swp", 1, "7") +
                             test::procparEntry("npx", 1, "9") + test::procparEntry("sfrq1", 1, "1") +
                             test::procparEntry("comment", 4, "\"set sw np by hand\"") +
                             test::procparEntry("text", 4, "\"sw\"") +
                             "seqfil 2 2 64 0 0 2 1 0 1 64\n1 \"s2pul\"\n0\n";
    const ProcparValues v = parseProcpar(text);
    EXPECT_DOUBLE_EQ(*v.sw, 5000.0);
    EXPECT_EQ(*v.np, 64);
    EXPECT_FALSE(v.sfrq);
    EXPECT_FALSE(v.dpIsY);
}

TEST(Procpar, TheValueIsTheSecondTokenAfterTheNameLine)
{
    // The number of values may stand on a line of its own; a later entry wins.
    const ProcparValues v = parseProcpar("np 1 1 9 9 9 2 1 11 1 64\n1\n512 extra\n0\nnp x\n2 1024\n");
    EXPECT_EQ(*v.np, 1024);
    const ProcparValues longToken = parseProcpar("sw 1\n1 1234.5" + std::string(10000, 'x') + "\n");
    EXPECT_EQ(*longToken.sw, 1234.5) << "a token cut to the buffer still reads";
}

TEST(VarianData, BytesAt60AreBigEndian32BitIntegersByDefault)
{
    Bytes values{0x00, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    const auto staged = assembleVarian(test::varianFile(0, values),
                                       parseProcpar(test::procparText(400.0, 5000.0, 2, "\"y\"")),
                                       131072);
    ASSERT_TRUE(staged);
    EXPECT_EQ(staged->values, (std::vector<double>{256.0, -1.0}));
    EXPECT_EQ(staged->acq.acqMode, 1);
    EXPECT_EQ(staged->acq.acqModeFlag, 0) << "nothing kept from the spectrum before";
    EXPECT_DOUBLE_EQ(staged->acq.sf, 400.0);
    EXPECT_DOUBLE_EQ(staged->acq.sw, 5000.0);
    EXPECT_EQ(staged->conjugateOnTransform, 1);
    EXPECT_EQ(staged->digitalFilterDelay, 0.0);
}

TEST(VarianData, TheHeaderStatusWordChoosesTheValueType)
{
    const auto params = parseProcpar(test::procparText(400.0, 5000.0, 3, "\"y\""));
    auto read = [&](std::uint16_t status, const Bytes& values) {
        const auto staged = assembleVarian(test::varianFile(status, values), params, 131072);
        return staged ? staged->values : std::vector<double>{};
    };
    EXPECT_EQ(read(kData | kComplex, test::be16Values({300, -2, 32767})),
              (std::vector<double>{300, -2, 32767}));
    EXPECT_EQ(read(kData | k32 | kComplex, test::be32Values({70000, -70000, 1})),
              (std::vector<double>{70000, -70000, 1}));
    // Later instruments write dp "y" with floating-point data.
    EXPECT_EQ(read(kData | k32 | kFloat | kComplex, test::beFloatValues({1.5f, -0.25f, 3e9f})),
              (std::vector<double>{1.5, -0.25, double(3e9f)}));

    // Without the data mark the header says nothing, and dp decides.
    const auto params16 = parseProcpar(test::procparText(400.0, 5000.0, 2, "\"n\""));
    const auto staged = assembleVarian(test::varianFile(0, test::be16Values({-5, 6})), params16,
                                       131072);
    ASSERT_TRUE(staged);
    EXPECT_EQ(staged->values, (std::vector<double>{-5, 6}));
}

TEST(VarianData, ExactlyNpValuesTheRestZeroAndNpCut)
{
    const auto params = parseProcpar(test::procparText(400.0, 5000.0, 8192, "\"y\""));
    std::vector<std::int32_t> ints(9000);
    for (int i = 0; i < 9000; ++i)
        ints[i] = i - 4000;
    const auto staged = assembleVarian(test::varianFile(kData | k32, test::be32Values(ints)), params,
                                       131072);
    ASSERT_TRUE(staged);
    ASSERT_EQ(staged->values.size(), 8192u);
    EXPECT_EQ(staged->values.front(), -4000.0);
    EXPECT_EQ(staged->values.back(), 8191.0 - 4000.0);

    const auto shortFile = assembleVarian(test::varianFile(kData | k32, test::be32Values({9, 8})),
                                          parseProcpar(test::procparText(1, 2, 5, "\"y\"")),
                                          131072);
    ASSERT_TRUE(shortFile);
    EXPECT_EQ(shortFile->values, (std::vector<double>{9, 8, 0, 0, 0}));

    const auto cut = assembleVarian(test::varianFile(kData | k32, test::be32Values({1, 2, 3})),
                                    parseProcpar(test::procparText(1, 2, 2000000000, "\"y\"")),
                                    2);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->values, (std::vector<double>{1, 2}));
}

TEST(VarianData, RefusesShortHeadersMissingParametersAndBadValues)
{
    const Bytes data = test::varianFile(kData | k32, test::be32Values({1, 2}));
    const auto params = parseProcpar(test::procparText(400.0, 5000.0, 2, "\"y\""));
    ASSERT_TRUE(assembleVarian(data, params, 131072));
    EXPECT_FALSE(assembleVarian(Bytes(data.begin(), data.begin() + 59), params, 131072));
    EXPECT_FALSE(assembleVarian(Bytes{}, params, 131072));
    EXPECT_FALSE(assembleVarian(data, parseProcpar(test::procparEntry("np", 1, "2")), 131072));
    EXPECT_FALSE(assembleVarian(data, parseProcpar(test::procparEntry("sw", 1, "100")), 131072));
    EXPECT_FALSE(assembleVarian(data, parseProcpar(test::procparText(1, 2, 0, "\"y\"")), 131072));
    EXPECT_FALSE(assembleVarian(data, parseProcpar(test::procparText(1, 0, 2, "\"y\"")), 131072));
    EXPECT_FALSE(assembleVarian(data, parseProcpar("random text without parameters"), 131072));
    const Bytes nan = test::varianFile(kData | kFloat, test::beFloatValues({1.0f, std::nanf("")}));
    EXPECT_FALSE(assembleVarian(nan, params, 131072));
}

TEST(VarianFiles, ProcparIsFoundBesideTheDataInAnyLetterCase)
{
    test::TempDir dir;
    test::writeBytes(dir.file("fid"), test::varianFile(kData | k32, test::be32Values({3, 4})));
    EXPECT_FALSE(readVarian(dir.file("fid"), 131072)) << "no procpar yet";
    const std::string text = test::procparText(300.0, 4000.0, 2, "\"y\"");
    test::writeBytes(dir.file("PROCPAR"), Bytes(text.begin(), text.end()));
    const auto staged = readVarian(dir.file("fid"), 131072);
    ASSERT_TRUE(staged);
    EXPECT_EQ(staged->values, (std::vector<double>{3, 4}));
    EXPECT_FALSE(readVarian(dir.file("nothing"), 131072));
}

}  // namespace
}  // namespace tesvar
