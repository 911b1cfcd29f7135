#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "importers/bruker_aspect_nuts.h"
#include "format_builders.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

using test::Bytes;

double floatOf(std::initializer_list<int> six)
{
    std::uint8_t b[6];
    std::copy(six.begin(), six.end(), b);
    return aspectFloat(b);
}

// The 48-bit value straight from its definition: a 37-bit two's-complement fraction
// scaled by 2 to the 11-bit two's-complement exponent.
double referenceAspectFloat(const std::uint8_t* c)
{
    const std::int64_t raw = std::int64_t{c[0]} << 29 | std::int64_t{c[1]} << 21 |
                             std::int64_t{c[2]} << 13 | std::int64_t{c[4] & 31} << 8 | c[5];
    const std::int64_t mantissa = raw >= (std::int64_t{1} << 36) ? raw - (std::int64_t{1} << 37) : raw;
    int exponent = c[3] << 3 | c[4] >> 5;
    if (exponent >= 1024)
        exponent -= 2048;
    return static_cast<double>(mantissa) * std::pow(2.0, exponent - 36);
}

TEST(AspectFloat, WorkedExamples)
{
    EXPECT_EQ(floatOf({0x40, 0, 0, 0, 0, 0}), 0.5);
    EXPECT_EQ(floatOf({0x40, 0, 0, 0x01, 0, 0}), 128.0);
    EXPECT_EQ(floatOf({0xC0, 0, 0, 0, 0, 0}), -0.5);
    EXPECT_EQ(floatOf({0x40, 0, 0, 0xFF, 0xC0, 0}), 0.125);
    EXPECT_EQ(floatOf({0, 0, 0, 0, 0, 0}), 0.0);
    // The top bit of the first byte alone stays +1.0, as the format's readers take it.
    EXPECT_EQ(floatOf({0x80, 0, 0, 0, 0, 0}), 1.0);
    // The lowest mantissa bits: bit 4 of byte 4 is worth 2^-24, byte 5's lowest 2^-36.
    EXPECT_EQ(floatOf({0x40, 0, 0, 0, 0x10, 0}), 0.5 + std::ldexp(1.0, -24));
    EXPECT_EQ(floatOf({0x40, 0, 0, 0, 0, 1}), 0.5 + std::ldexp(1.0, -36));
}

TEST(AspectFloat, MatchesTheDefinitionOnRandomWords)
{
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        std::uint8_t c[6];
        for (auto& b : c)
            b = static_cast<std::uint8_t>(random());
        c[3] &= 0x83;  // keep exponents small enough for pow to be exact
        if (c[0] == 0x80 && c[1] == 0 && c[2] == 0 && (c[4] & 31) == 0 && c[5] == 0)
            continue;
        ASSERT_EQ(aspectFloat(c), referenceAspectFloat(c)) << i;
    }
}

TEST(AspectFloat, TheTestBuilderRoundTrips)
{
    for (double v : {5000.0, 250.13, -0.75, 1e-5, 6009.6}) {
        const auto bytes = test::aspectFloatBytes(v);
        EXPECT_NEAR(aspectFloat(bytes.data()), v, std::abs(v) * 1e-10) << v;
    }
}

TEST(Aspect, HeaderFieldsAndSigned24BitWords)
{
    test::AspectHeader h;
    h.count = 4;
    h.mode = 0x0102;
    h.modeFlag = 3;
    Bytes file = test::aspectFile(h, {0, 0, 0, 0});
    // Words 7F FF FF, 80 00 00, FF FF FF and 00 01 00.
    const std::uint8_t words[] = {0x7F, 0xFF, 0xFF, 0x80, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00};
    std::copy(std::begin(words), std::end(words), file.begin() + 768);
    file[165] = 0xEE;  // the byte before the mode word is not part of it
    file[237] = 0xEE;

    const auto staged = parseAspect(file, 131072);
    ASSERT_TRUE(staged);
    EXPECT_EQ(staged->values, (std::vector<double>{8388607.0, -8388608.0, -1.0, 256.0}));
    EXPECT_EQ(staged->acq.td, 4);
    EXPECT_DOUBLE_EQ(staged->acq.sw, 5000.0);
    EXPECT_DOUBLE_EQ(staged->acq.sf, 250.0);
    EXPECT_DOUBLE_EQ(staged->acq.extra, 3.5);
    EXPECT_EQ(staged->acq.acqMode, 0x0102);
    EXPECT_EQ(staged->acq.acqModeFlag, 3);
    EXPECT_EQ(staged->conjugateOnTransform, 0);
    EXPECT_EQ(staged->digitalFilterDelay, 0.0);
}

TEST(Aspect, CountIsCutToTheCapacityAndMissingValuesAreZero)
{
    test::AspectHeader h;
    h.count = 0xFFFFFF;
    const auto cut = parseAspect(test::aspectFile(h, {1, 2, 3}), 2);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->acq.td, 2);
    EXPECT_EQ(cut->values, (std::vector<double>{1, 2}));

    h.count = 5;
    Bytes shortFile = test::aspectFile(h, {-4, 9});
    shortFile.push_back(0x12);  // a partial word
    const auto padded = parseAspect(shortFile, 131072);
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->values, (std::vector<double>{-4, 9, 0, 0, 0}));
}

TEST(Aspect, RefusesWrongMagicShortHeaderAndUnusableHeaders)
{
    test::AspectHeader h;
    h.count = 2;
    const Bytes good = test::aspectFile(h, {1, 2});
    ASSERT_TRUE(parseAspect(good, 131072));

    Bytes wrongMagic = good;
    wrongMagic[2] = 0xF4;
    EXPECT_FALSE(parseAspect(wrongMagic, 131072));
    EXPECT_FALSE(parseAspect(Bytes(good.begin(), good.begin() + 767), 131072));
    EXPECT_FALSE(parseAspect(Bytes{}, 131072));
    EXPECT_FALSE(parseAspect(test::nutsFile({}, {}), 131072))
        << "a NUTS file imported as Aspect";

    test::AspectHeader none = h;
    none.count = 0;
    EXPECT_FALSE(parseAspect(test::aspectFile(none, {}), 131072));
    test::AspectHeader negativeWidth = h;
    negativeWidth.sw = -100.0;
    EXPECT_FALSE(parseAspect(test::aspectFile(negativeWidth, {1, 2}), 131072));
}

TEST(Nuts, FieldsValuesAndTheConjugationFlag)
{
    test::NutsHeader h;
    h.count = 4;
    const auto staged = parseNuts(test::nutsFile(h, {1.5f, -2.25f, 1e20f, 0.0f}), 131072);
    ASSERT_TRUE(staged);
    EXPECT_EQ(staged->values, (std::vector<double>{1.5, -2.25, double(1e20f), 0.0}));
    EXPECT_EQ(staged->acq.td, 4);
    EXPECT_EQ(staged->acq.sw, 4000.0);
    EXPECT_EQ(staged->acq.sf, 400.0);
    EXPECT_EQ(staged->acq.acqMode, 1);
    EXPECT_EQ(staged->acq.acqModeFlag, 5);
    EXPECT_EQ(staged->acq.extra, 0.0) << "NUTS does not carry this field";
    EXPECT_EQ(staged->conjugateOnTransform, 1);

    h.mode = 0;
    const auto real = parseNuts(test::nutsFile(h, {1, 2, 3, 4}), 131072);
    ASSERT_TRUE(real);
    EXPECT_EQ(real->acq.acqMode, 0);
    EXPECT_EQ(real->conjugateOnTransform, 0);
}

TEST(Nuts, CountIsCutAndMissingValuesAreZero)
{
    test::NutsHeader h;
    h.count = 0x7FFFFFFF;
    const auto cut = parseNuts(test::nutsFile(h, {1, 2, 3}), 2);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->values, (std::vector<double>{1, 2}));
    h.count = 4;
    const auto padded = parseNuts(test::nutsFile(h, {7}), 131072);
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->values, (std::vector<double>{7, 0, 0, 0}));
}

TEST(Nuts, RefusesBadFiles)
{
    test::NutsHeader h;
    h.count = 2;
    const Bytes good = test::nutsFile(h, {1, 2});
    ASSERT_TRUE(parseNuts(good, 131072));
    EXPECT_FALSE(parseNuts(Bytes(good.begin(), good.begin() + 1035), 131072));
    EXPECT_FALSE(parseNuts(Bytes{}, 131072));
    test::AspectHeader a;
    a.count = 300;
    EXPECT_FALSE(parseNuts(test::aspectFile(a, std::vector<std::int32_t>(300)), 131072));

    auto refused = [&](auto change) {
        test::NutsHeader bad = h;
        std::vector<float> values{1, 2};
        change(bad, values);
        return !parseNuts(test::nutsFile(bad, values), 131072);
    };
    EXPECT_TRUE(refused([](auto& b, auto&) { b.count = 0; }));
    EXPECT_TRUE(refused([](auto& b, auto&) { b.count = -5; }));
    EXPECT_TRUE(refused([](auto& b, auto&) { b.sw = 0.0f; }));
    EXPECT_TRUE(refused([](auto& b, auto&) { b.sw = std::nanf(""); }));
    EXPECT_TRUE(refused([](auto& b, auto&) { b.sf = INFINITY; }));
    EXPECT_TRUE(refused([](auto&, auto& v) { v[1] = std::nanf(""); }));
    EXPECT_TRUE(refused([](auto&, auto& v) { v[0] = -INFINITY; }));
}

TEST(AspectNutsFiles, ReadFromDiskAndRefuseMissingFiles)
{
    test::TempDir dir;
    test::AspectHeader a;
    a.count = 2;
    test::writeBytes(dir.file("aspect.dat"), test::aspectFile(a, {5, -6}));
    test::NutsHeader n;
    n.count = 2;
    test::writeBytes(dir.file("nuts.dat"), test::nutsFile(n, {0.5f, 8}));

    const auto aspect = readAspect(dir.file("aspect.dat"), 131072);
    ASSERT_TRUE(aspect);
    EXPECT_EQ(aspect->values, (std::vector<double>{5, -6}));
    const auto nuts = readNuts(dir.file("nuts.dat"), 131072);
    ASSERT_TRUE(nuts);
    EXPECT_EQ(nuts->values, (std::vector<double>{0.5, 8}));
    EXPECT_FALSE(readAspect(dir.file("missing"), 131072));
    EXPECT_FALSE(readNuts(dir.file("missing"), 131072));
    EXPECT_FALSE(readNuts(dir.path().string(), 131072)) << "a folder";
}

}  // namespace
}  // namespace tesvar
