#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "importers/bruker_x32.h"
#include "importers/parameter_text.h"
#include "format_builders.h"

namespace tesvar {
namespace {

using test::Bytes;

TEST(ParameterText, TokensNumbersAndLines)
{
    TokenReader tokens("  sw 1 2\n\t 3.5e2x \"y\"\r\nlast", 100);
    EXPECT_EQ(tokens.next(), "sw");
    EXPECT_TRUE(tokens.firstOnLine());
    EXPECT_EQ(tokens.next(), "1");
    EXPECT_FALSE(tokens.firstOnLine());
    tokens.skipRestOfLine();
    EXPECT_EQ(tokens.next(), "3.5e2x");
    EXPECT_TRUE(tokens.firstOnLine());
    EXPECT_EQ(tokens.next(), "\"y\"");
    EXPECT_EQ(tokens.next(), "last");
    EXPECT_TRUE(tokens.firstOnLine());
    EXPECT_EQ(tokens.next(), "");

    EXPECT_EQ(leadingInteger("16384.7"), 16384);
    EXPECT_EQ(leadingInteger("+12"), 12);
    EXPECT_EQ(leadingInteger("+-12"), 0);
    EXPECT_EQ(leadingInteger("1e3"), 1);
    EXPECT_EQ(leadingInteger("-12ab"), -12);
    EXPECT_EQ(leadingInteger("<x>"), 0);
    EXPECT_EQ(leadingInteger("99999999999999999999999"), INT64_MAX);
    EXPECT_EQ(leadingInteger("-99999999999999999999999"), INT64_MIN);
}

TEST(ParameterText, LongTokensAreCutAndTheirRestSkipped)
{
    const std::string text = std::string(300, 'a') + " next";
    TokenReader tokens(text, 79);
    EXPECT_EQ(tokens.next(), std::string(79, 'a'));
    EXPECT_EQ(tokens.next(), "next");
}

TEST(Acqus, PartExampleWithQuadratureMode)
{
    const AcqusValues v = parseAcqus(test::acqusText(16384, 6009.6, 400.13, 3));
    ASSERT_TRUE(v.td && v.swH && v.bf1 && v.aqMod);
    EXPECT_EQ(*v.td, 16384);
    EXPECT_DOUBLE_EQ(*v.swH, 6009.6);
    EXPECT_DOUBLE_EQ(*v.bf1, 400.13);
    EXPECT_EQ(*v.aqMod, 3);

    const auto imported = assembleX32(test::x32Ints({1, 2}), v, 131072);
    ASSERT_TRUE(imported);
    const AcquisitionParameters& acq = imported->acq;
    EXPECT_EQ(acq.td, 16384);
    EXPECT_DOUBLE_EQ(acq.sw, 6009.6);
    EXPECT_DOUBLE_EQ(acq.sf, 400.13);
    EXPECT_EQ(acq.acqMode, 3);
    EXPECT_EQ(acq.acqModeFlag, 1);
    EXPECT_EQ(acq.extra, 0.0) << "nothing kept from the spectrum before";
    EXPECT_EQ(imported->conjugateOnTransform, 0);
    EXPECT_EQ(imported->digitalFilterDelay, 0.0);
}

TEST(Acqus, AqModZeroClearsTheFlagAndTheLow16BitsAreKept)
{
    auto modeOf = [](const std::string& aqMod) {
        const AcqusValues v = parseAcqus("##$TD= 4 ##$SW_h= 100 ##$BF1= 400 ##$AQ_mod= " + aqMod);
        return assembleX32(test::x32Ints({1, 2, 3, 4}), v, 131072)->acq;
    };
    EXPECT_EQ(modeOf("0").acqMode, 0);
    EXPECT_EQ(modeOf("0").acqModeFlag, 0);
    EXPECT_EQ(modeOf("65539").acqMode, 3);
    EXPECT_EQ(modeOf("65539").acqModeFlag, 1);
    EXPECT_EQ(modeOf("65536").acqModeFlag, 0);
    EXPECT_EQ(modeOf("-1").acqMode, -1);
}

TEST(Acqus, KeysMatchByTheirBeginningAndTheLastEntryWins)
{
    const AcqusValues v = parseAcqus(
        "##$TD= 10\n##$TDav= 99\n##$TD0= 77\n$$ ##$SW_h is a comment\n##$SW_h= 2e3\n"
        "##$BF1= 1\n##$BF1= 500.5\n##$TD= 12\n##$SW_hx= 1\n##$BF2= 3\n");
    EXPECT_EQ(*v.td, 12);
    EXPECT_DOUBLE_EQ(*v.swH, 2000.0);
    EXPECT_DOUBLE_EQ(*v.bf1, 500.5);
    EXPECT_FALSE(v.aqMod);
}

TEST(Acqus, KeyTokensWithAttachedValues)
{
    // The value written straight after the "=" belongs to the key; the next token is
    // then a key of its own.
    const AcqusValues v = parseAcqus("##$TD=16384 ##$SW_h=4789.27 ##$BF1= 300.13 ##$AQ_mod=1");
    EXPECT_EQ(*v.td, 16384);
    EXPECT_DOUBLE_EQ(*v.swH, 4789.27);
    EXPECT_DOUBLE_EQ(*v.bf1, 300.13);
    EXPECT_EQ(*v.aqMod, 1);
    // A malformed value reads as 0; a key at the very end has nothing to read.
    const AcqusValues bad = parseAcqus("##$TD= abc ##$SW_h=");
    EXPECT_EQ(*bad.td, 0);
    EXPECT_EQ(*bad.swH, 0.0);
}

TEST(Acqus, LongTokensAreHandledSafely)
{
    const std::string garbage(5000, 'x');
    const std::string longKey = "##$TD=" + std::string(200, '7');
    const AcqusValues v =
        parseAcqus(garbage + "\n" + longKey + "\n##$SW_h= 100\n" + garbage + "##$BF1= 9\n");
    ASSERT_TRUE(v.td);
    EXPECT_EQ(*v.td, INT64_MAX) << "73 sevens saturate";
    EXPECT_DOUBLE_EQ(*v.swH, 100.0);
    EXPECT_FALSE(v.bf1) << "a key glued to the end of a long token is not a key";
}

TEST(X32Data, IntegersConvertExactly)
{
    AcqusValues v = parseAcqus("##$TD= 4 ##$SW_h= 100");
    const auto values = decodeX32Values(test::x32Ints({1, -1, INT_MAX, INT_MIN}), v, 4);
    EXPECT_EQ(values, (std::vector<double>{1.0, -1.0, 2147483647.0, -2147483648.0}));
}

TEST(X32Data, BigEndianIntegersAndDoublesFollowTheParameters)
{
    const std::vector<std::int32_t> ints{258, -3, 70000};
    const AcqusValues big = parseAcqus("##$BYTORDA= 1");
    EXPECT_EQ(decodeX32Values(test::x32Ints(ints, true), big, 3),
              (std::vector<double>{258.0, -3.0, 70000.0}));
    const AcqusValues little = parseAcqus("##$BYTORDA= 0");
    EXPECT_EQ(decodeX32Values(test::x32Ints(ints, false), little, 3),
              (std::vector<double>{258.0, -3.0, 70000.0}));

    const std::vector<double> reals{0.1, -2.5e10, 1e-300};
    EXPECT_EQ(decodeX32Values(test::x32Doubles(reals, true), parseAcqus("##$DTYPA= 2 ##$BYTORDA= 1"), 3),
              reals);
    EXPECT_EQ(decodeX32Values(test::x32Doubles(reals, false), parseAcqus("##$DTYPA= 2"), 3), reals);
}

TEST(X32Data, ValuesAShortFileDoesNotHoldAreZero)
{
    const AcqusValues v = parseAcqus(test::acqusText(6, 100, 400, 1));
    // Five bytes: one whole integer and one byte of the next.
    Bytes fid = test::x32Ints({7});
    fid.push_back(0xFF);
    const auto imported = assembleX32(fid, v, 131072);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->values, (std::vector<double>{7.0, 0, 0, 0, 0, 0}));
}

TEST(X32Data, TdAboveTheCapacityIsCut)
{
    const AcqusValues v = parseAcqus("##$TD= 999999999999 ##$SW_h= 100 ##$BF1= 400 ##$AQ_mod= 1");
    const auto imported = assembleX32(test::x32Ints({1, 2, 3, 4, 5, 6}), v, 4);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->acq.td, 4);
    EXPECT_EQ(imported->values, (std::vector<double>{1, 2, 3, 4}));
}

TEST(X32Data, UnusableParametersAndValuesAreRefused)
{
    const Bytes fid = test::x32Ints({1, 2, 3, 4});
    const std::string rest = " ##$BF1= 400 ##$AQ_mod= 1";
    for (const char* text : {"##$SW_h= 100", "##$TD= 4", "##$TD= 0 ##$SW_h= 100",
                             "##$TD= -4 ##$SW_h= 100", "##$TD= 4 ##$SW_h= 0",
                             "##$TD= 4 ##$SW_h= -5", "##$TD= 4 ##$SW_h= 1e999", "random words"}) {
        EXPECT_EQ(assembleX32(fid, parseAcqus(text + rest), 131072).status(), ImportStatus::Unusable)
            << text;
    }
    EXPECT_EQ(assembleX32(fid, parseAcqus("##$TD= 4 ##$SW_h= 100 ##$BF1= 400"), 131072).problem(),
              SpectrumProblem::AcquisitionMode);
    const Bytes nan = test::x32Doubles({1.0, std::nan("")}, false);
    EXPECT_EQ(assembleX32(nan, parseAcqus("##$TD= 2 ##$SW_h= 100 ##$DTYPA= 2" + rest), 131072)
                  .status(),
              ImportStatus::BadValues);
}

TEST(GroupDelay, PositiveGrpdlyElseThePublishedTable)
{
    EXPECT_DOUBLE_EQ(brukerGroupDelay(parseAcqus("##$GRPDLY= 76.0 ##$DSPFVS= 20 ##$DECIM= 24")), 76.0);
    EXPECT_DOUBLE_EQ(brukerGroupDelay(parseAcqus("##$GRPDLY= -1 ##$DSPFVS= 10 ##$DECIM= 24")),
                     61.020833333333333);
    EXPECT_DOUBLE_EQ(brukerGroupDelay(parseAcqus("##$DSPFVS= 11 ##$DECIM= 64")), 73.0);
    EXPECT_DOUBLE_EQ(brukerGroupDelay(parseAcqus("##$DSPFVS= 12 ##$DECIM= 16")), 71.625);
    EXPECT_DOUBLE_EQ(brukerGroupDelay(parseAcqus("##$DSPFVS= 13 ##$DECIM= 2")), 2.75);
    EXPECT_DOUBLE_EQ(brukerGroupDelay(parseAcqus("##$DSPFVS= 10 ##$DECIM= 2048")), 70.492431640625);
    // No filter, or a combination the table does not hold.
    EXPECT_EQ(brukerGroupDelay(parseAcqus("##$TD= 4")), 0.0);
    EXPECT_EQ(brukerGroupDelay(parseAcqus("##$DSPFVS= 10")), 0.0);
    EXPECT_EQ(brukerGroupDelay(parseAcqus("##$DSPFVS= 13 ##$DECIM= 128")), 0.0);
    EXPECT_EQ(brukerGroupDelay(parseAcqus("##$DSPFVS= 20 ##$DECIM= 24 ##$GRPDLY= 0")), 0.0);
    EXPECT_EQ(brukerGroupDelay(parseAcqus("##$DSPFVS= 10 ##$DECIM= 24.5")), 0.0);
}

}  // namespace
}  // namespace tesvar
