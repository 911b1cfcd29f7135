#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "analysis/data_points.h"
#include "document/spectrum_document.h"

namespace tesvar {
namespace {

// A spectrum of `points` complex points whose real part k is k + 0.25 and imaginary
// part -k, shown in full as the reset leaves it.
std::unique_ptr<SpectrumDocument> spectrum(int points, double sw = 5.0)
{
    auto doc = std::make_unique<SpectrumDocument>();
    doc->valueCount = 2 * points;
    doc->acq.td = 2 * points;
    doc->acq.sw = sw;
    doc->acq.aq = doc->acq.td / (doc->acq.sw * 2.0);
    for (int k = 0; k < points; ++k) {
        doc->data[2 * k] = k + 0.25;
        doc->data[2 * k + 1] = -k;
    }
    doc->viewLeft = 0.0;
    doc->viewRight = doc->acq.aq;
    return doc;
}

TEST(DataPointLine, FormatsPointNumberAndValue)
{
    EXPECT_EQ(dataPointLine(0, 1.5), "    0  1.500");
    EXPECT_EQ(dataPointLine(42, -0.0004), "   42  -0.000");
    EXPECT_EQ(dataPointLine(65535, 1234567.8916), "65535  1234567.892");
    EXPECT_EQ(dataPointLine(123456, 2.0), "123456  2.000");
    EXPECT_EQ(dataPointLine(1, -std::numeric_limits<double>::infinity()), "    1  n/a");
    EXPECT_EQ(dataPointLine(2, std::numeric_limits<double>::quiet_NaN()), "    2  n/a");
}

TEST(DataPointLines, FullViewListsEveryPointWithItsRealValue)
{
    const auto doc = spectrum(8);
    const auto lines = dataPointLines(*doc);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines.front(), "    0  0.250");
    EXPECT_EQ(lines[3], "    3  3.250");
    EXPECT_EQ(lines.back(), "    7  7.250");
}

TEST(DataPointLines, ZoomedViewStartsOnTheRealPartAndEndsAtTheRightLimit)
{
    // 16 values over 1.6 s: 10 values per second.
    const auto doc = spectrum(8);
    doc->viewLeft = 0.55;   // element 5.5: truncated to 5, odd, so 4 (point 2)
    doc->viewRight = 0.95;  // element 9.5: truncated to 9, so up to element 8 (point 4)
    const DataPointRange range = dataPointRange(*doc);
    EXPECT_EQ(range.first, 4);
    EXPECT_EQ(range.last, 9);
    const std::vector<std::string> expected = {"    2  2.250", "    3  3.250", "    4  4.250"};
    EXPECT_EQ(dataPointLines(*doc), expected);

    doc->viewLeft = 0.6;  // element 6, even: kept
    doc->viewRight = 0.6;
    EXPECT_EQ(dataPointLines(*doc), std::vector<std::string>{"    3  3.250"});
}

TEST(DataPointLines, LimitsBeyondTheDataAreClipped)
{
    const auto doc = spectrum(8);
    doc->viewLeft = -0.35;  // element -3.5: -3, odd, so -4; nothing before element 0
    doc->viewRight = 0.25;
    EXPECT_EQ(dataPointLines(*doc).size(), 2u);  // elements 0 and 2 (trunc 2.5 = 2)

    doc->viewLeft = -1e300;
    doc->viewRight = 1e300;
    EXPECT_EQ(dataPointLines(*doc).size(), 8u);

    doc->viewLeft = 2.0;  // scrolled past the end
    doc->viewRight = 3.0;
    EXPECT_TRUE(dataPointLines(*doc).empty());

    doc->viewLeft = 0.0;
    doc->viewRight = -1.0;
    EXPECT_TRUE(dataPointLines(*doc).empty());
}

TEST(DataPointLines, NoUsableAcquisitionTimeListsNothing)
{
    const auto doc = spectrum(8);
    for (double aq : {0.0, -1.0, std::numeric_limits<double>::infinity(),
                      std::numeric_limits<double>::quiet_NaN()}) {
        doc->acq.aq = aq;
        EXPECT_TRUE(dataPointLines(*doc).empty()) << aq;
    }
    doc->acq.aq = 1.6;
    doc->viewLeft = std::numeric_limits<double>::quiet_NaN();
    doc->viewRight = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(dataPointLines(*doc).empty());
}

TEST(DataPointLines, StayWithinTheBuffer)
{
    const auto doc = spectrum(kDataCapacity / 2);
    EXPECT_EQ(dataPointLines(*doc).size(), static_cast<std::size_t>(kDataCapacity / 2));
    doc->valueCount = kDataCapacity + 64;  // a count the buffer cannot hold
    const DataPointRange range = dataPointRange(*doc);
    EXPECT_EQ(range.last, kDataCapacity - 1);
    const auto lines = dataPointLines(*doc);
    EXPECT_EQ(lines.back(), dataPointLine(kDataCapacity / 2 - 1, kDataCapacity / 2 - 0.75));

    doc->valueCount = -4;
    EXPECT_TRUE(dataPointLines(*doc).empty());
}

}  // namespace
}  // namespace tesvar
