#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

#include "processing/dialog_text.h"

namespace tesvar {
namespace {

TEST(DialogText, ReadsTheLongestLeadingDecimalNumber)
{
    EXPECT_EQ(readDialogDecimal("0.125"), 0.125);
    EXPECT_EQ(readDialogDecimal("  -2.5 Hz"), -2.5);
    EXPECT_EQ(readDialogDecimal("1e3x"), 1000.0);
    EXPECT_EQ(readDialogDecimal("3e"), 3.0);
    EXPECT_EQ(readDialogDecimal(".5"), 0.5);
    EXPECT_EQ(readDialogDecimal("7."), 7.0);
    EXPECT_EQ(readDialogDecimal("+4"), 4.0);
}

TEST(DialogText, TextWithoutANumberReadsAsZeroAndNothingReadIsInfiniteOrNan)
{
    for (const char* t : {"", "abc", "-", ".", "e5", "nan", "inf", "-infinity"})
        EXPECT_EQ(readDialogDecimal(t), 0.0) << t;
    EXPECT_EQ(readDialogDecimal("1e999"), std::numeric_limits<double>::max());
    EXPECT_EQ(readDialogDecimal("-1e999"), -std::numeric_limits<double>::max());
}

TEST(DialogText, IntegersAreWholeAndBounded)
{
    EXPECT_EQ(readDialogInteger("-45"), -45);
    EXPECT_EQ(readDialogInteger(" 12.9"), 12);
    EXPECT_EQ(readDialogInteger("x"), 0);
    EXPECT_EQ(readDialogInteger("99999999999"), std::numeric_limits<int>::max());
}

TEST(DialogText, ExactHalvesRoundAwayFromZero)
{
    EXPECT_EQ(formatDialogFixed(0.125, 2), "0.13");
    EXPECT_EQ(formatDialogFixed(-0.125, 2), "-0.13");
    EXPECT_EQ(formatDialogFixed(0.375, 2), "0.38");
    EXPECT_EQ(formatDialogFixed(2.5, 0), "3");
    // Values just below a half in binary round down, as printf does.
    EXPECT_EQ(formatDialogFixed(2.675, 2), "2.67");
    EXPECT_EQ(formatDialogFixed(0.1249999999, 2), "0.12");
}

TEST(DialogText, CarriesAndSignsAsPrintfWould)
{
    EXPECT_EQ(formatDialogFixed(-2.0, 2), "-2.00");
    EXPECT_EQ(formatDialogFixed(9.995, 2), "9.99");  // 9.99499999... in binary
    EXPECT_EQ(formatDialogFixed(99.999, 2), "100.00");
    EXPECT_EQ(formatDialogFixed(-99.999, 2), "-100.00");
    EXPECT_EQ(formatDialogFixed(0.0, 2), "0.00");
    EXPECT_EQ(formatDialogFixed(1e20, 2), "100000000000000000000.00");
}

// The desktop application runs in the user's locale, where the decimal separator may be
// a comma; the edits always show and read a point.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = std::setlocale(LC_NUMERIC, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8",
                                 "es_ES.UTF-8", "es_ES.utf8"})
            if (std::setlocale(LC_NUMERIC, name))
                return;
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    void TearDown() override { std::setlocale(LC_NUMERIC, previous.c_str()); }
    std::string previous;
};

TEST_F(CommaLocale, DialogNumbersKeepTheDecimalPoint)
{
    EXPECT_EQ(readDialogDecimal("0.13"), 0.13);
    EXPECT_EQ(readDialogDecimal("-2.5e1 Hz"), -25.0);
    EXPECT_EQ(readDialogDecimal("1e999"), std::numeric_limits<double>::max());
    EXPECT_EQ(formatDialogFixed(0.125, 2), "0.13");
    EXPECT_EQ(formatDialogFixed(-2.0, 2), "-2.00");
    EXPECT_EQ(formatDialogFixed(2.5, 0), "3");
}

}  // namespace
}  // namespace tesvar
