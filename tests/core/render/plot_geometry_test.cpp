#include <gtest/gtest.h>

#include <cmath>

#include "document/plot_geometry.h"
#include "render_fixture.h"

namespace tesvar {
namespace {

using test::loadedSpectrum;
using test::showElements;

TEST(VisibleRange, WholeViewRunsFromZeroToOnePastTheLastElement)
{
    auto doc = loadedSpectrum(32768, 6000, 400, 1024, 768);
    const VisibleRange r = visibleRange(*doc);
    EXPECT_EQ(r.firstIndex, 0);
    EXPECT_EQ(r.lastIndex, 32768);
}

TEST(VisibleRange, OddEndsMoveOneElementLeftIncludingNegativeOnes)
{
    auto doc = loadedSpectrum(1000, 500, 400, 1000, 700);  // aq = 1 s, 1000 elements per second
    doc->viewLeft = 0.0215;   // element 21.5 -> 21 -> 20
    doc->viewRight = 0.0835;  // element 83.5 -> 83 -> 82
    EXPECT_EQ(visibleRange(*doc).firstIndex, 20);
    EXPECT_EQ(visibleRange(*doc).lastIndex, 82);
    doc->viewLeft = -0.003;  // element -3 -> -4
    EXPECT_EQ(visibleRange(*doc).firstIndex, -4);
    EXPECT_EQ(evenIndex(-3), -4);
    EXPECT_EQ(evenIndex(-4), -4);
    EXPECT_EQ(evenIndex(7), 6);
}

TEST(TraceX, SixteenPointsShareEachColumnAt32768ValuesOn1024Pixels)
{
    auto doc = loadedSpectrum(32768, 6000, 400, 1024, 768);
    EXPECT_EQ(elementX(*doc, 1, 1024), 0.03125);
    for (int k = 0; k < 16384; ++k)
        ASSERT_EQ(traceX(*doc, 2 * k, 1024), static_cast<int>(0.0625 * k)) << k;
    EXPECT_EQ(traceX(*doc, 30, 1024), 0);
    EXPECT_EQ(traceX(*doc, 32, 1024), 1);
}

TEST(ValueToY, FullScaleLiesVerticalScalePixelsFromTheZeroLineWhateverTheSign)
{
    auto doc = loadedSpectrum(64, 500, 400, 640, 480, [](int i) { return i == 10 ? -200.0 : 0.0; });
    ASSERT_EQ(doc->maxAbsValue, -200.0);
    EXPECT_EQ(doc->baselineY, 240);
    EXPECT_EQ(valueToY(*doc, 200.0), 240 - 75);  // positive values go up
    EXPECT_EQ(valueToY(*doc, -200.0), 240 + 75);
    EXPECT_EQ(valueToY(*doc, 100.0), static_cast<int>(240 - 37.5));
    EXPECT_EQ(valueToY(*doc, -1.0), static_cast<int>(240 + 0.375));  // truncates toward zero

    // An all-zero spectrum and values that are not numbers lie on the zero line.
    doc->maxAbsValue = 0.0;
    EXPECT_EQ(valueToY(*doc, 0.0), 240);
    EXPECT_EQ(valueToY(*doc, 5.0), 240);
    doc->maxAbsValue = 1.0;
    EXPECT_EQ(valueToY(*doc, std::nan("")), 240);
    EXPECT_EQ(valueToY(*doc, 1e300), -kPixelLimit);
}

// The view is the time window [viewLeft, viewRight] spread over the client width: an
// independent statement of every horizontal mapping.
double expectedX(const SpectrumDocument& doc, double t)
{
    return (t - doc.viewLeft) / (doc.viewRight - doc.viewLeft) * doc.clientWidth;
}

TEST(HorizontalMappings, AgreeWithTheLinearViewAndInvertEachOther)
{
    auto doc = loadedSpectrum(16384, 6000, 400, 1280, 900);
    showElements(*doc, 3000, 7000);
    const double aq = doc->acq.aq;
    for (double t : {0.0, 0.1 * aq, 0.25 * aq, 0.3 * aq, 0.42 * aq, aq}) {
        EXPECT_NEAR(timeToX(*doc, t), expectedX(*doc, t), 1e-9);
        EXPECT_NEAR(xToTime(*doc, timeToX(*doc, t)), t, 1e-12 * aq);
    }
    for (double x : {-20.0, 0.0, 1.5, 640.0, 1279.0}) {
        EXPECT_NEAR(timeToX(*doc, xToTime(*doc, x)), x, 1e-9);
        // The point under x is the element under x halved.
        const double element = xToTime(*doc, x) / aq * doc->valueCount;
        EXPECT_NEAR(pointPosition(*doc, x), element / 2, 1e-9);
        EXPECT_NEAR(pointToX(*doc, pointPosition(*doc, x)), x, 1e-9);
    }
    // Point p sits where its time, 2p / N x aq, does.
    for (double p : {1500.0, 2500.25, 3499.0})
        EXPECT_NEAR(pointToX(*doc, p), timeToX(*doc, 2 * p / doc->valueCount * aq), 1e-9);
}

TEST(HorizontalMappings, WithoutAScaleGiveFiniteValues)
{
    auto doc = loadedSpectrum(1024, 5000, 400, 1000, 700);
    doc->acq.aq = 0.0;
    doc->zoomFactor = 0.0;
    EXPECT_EQ(pointToX(*doc, 10), 0.0);
    EXPECT_EQ(timeToX(*doc, 0.5), 0.0);
    EXPECT_EQ(xToTime(*doc, 100), doc->viewLeft);
    EXPECT_EQ(pointPosition(*doc, 100), 0.0);
    EXPECT_EQ(visibleRange(*doc).lastIndex, 0);
    EXPECT_EQ(readoutText(*doc, 10), "");
    EXPECT_EQ(elementX(*doc, 10, 1000), 0.0);
}

TEST(AxisValue, EachUnitFromItsOrigin)
{
    auto doc = loadedSpectrum(8192, 6000, 400, 1000, 700);  // aq = 0.68266.. s, 15 ppm
    doc->referencePoint = 4096;
    doc->displayUnits = DisplayUnits::Seconds;
    EXPECT_DOUBLE_EQ(axisValue(*doc, 2048), 0.25 * doc->acq.aq);
    doc->displayUnits = DisplayUnits::Points;
    EXPECT_EQ(axisValue(*doc, 2048), 1024);
    doc->displayUnits = DisplayUnits::Hertz;
    EXPECT_DOUBLE_EQ(axisValue(*doc, 2048), 1500.0);  // a quarter of sw left of the origin
    EXPECT_DOUBLE_EQ(axisValue(*doc, 6144), -1500.0);
    doc->displayUnits = DisplayUnits::Ppm;
    EXPECT_DOUBLE_EQ(axisValue(*doc, 2048), 3.75);
    doc->acq.sf = 0.0;
    EXPECT_EQ(axisValue(*doc, 2048), 0.0);
}

TEST(Readout, FormatsEachUnitWithItsOffset)
{
    auto doc = loadedSpectrum(8192, 6000, 400, 1000, 700);
    doc->displayUnits = DisplayUnits::Seconds;
    EXPECT_EQ(readoutText(*doc, 500), "Second 0.341     ");  // half of 0.68266.. s
    doc->displayUnits = DisplayUnits::Ppm;
    doc->ppmOffset = -0.04;
    EXPECT_EQ(readoutText(*doc, 250), "ppm 11.210     ");  // 0.75 x 15 - 0.04
    doc->displayUnits = DisplayUnits::Hertz;
    doc->hzOffset = 2.5;
    EXPECT_EQ(readoutText(*doc, 250), "Hertz 4502.500     ");
    doc->displayUnits = DisplayUnits::Points;
    EXPECT_EQ(readoutText(*doc, 250), "Point 1024     ");
    doc->displayUnits = DisplayUnits::Ppm;
    doc->acq.sf = 0.0;
    EXPECT_EQ(readoutText(*doc, 250), "");
}

}  // namespace
}  // namespace tesvar
