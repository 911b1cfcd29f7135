#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "document/text_format.h"
#include "render/axis.h"
#include "render/plot_style.h"
#include "render_fixture.h"

namespace tesvar {
namespace {

using test::loadedSpectrum;
using test::RecordingCanvas;

struct Tick {
    int x = 0;
    int end = 0;        // y where the tick line stops
    std::string label;  // empty for an unlabelled tick
    int labelX = 0;
};

struct DrawnAxis {
    RecordingCanvas::Op line;
    std::vector<Tick> ticks;
};

// Splits what drawAxis drew into the axis line and the ticks, each labelled tick being
// its text followed by its line.
DrawnAxis readAxis(const RecordingCanvas& canvas)
{
    DrawnAxis axis;
    const auto& ops = canvas.ops;
    EXPECT_FALSE(ops.empty());
    if (ops.empty())
        return axis;
    axis.line = ops[0];
    for (std::size_t i = 1; i < ops.size(); ++i) {
        Tick tick;
        if (ops[i].kind == RecordingCanvas::Kind::Text) {
            tick.label = ops[i].text;
            tick.labelX = ops[i].x0;
            ++i;
        }
        EXPECT_EQ(ops[i].kind, RecordingCanvas::Kind::Line);
        EXPECT_EQ(ops[i].x0, ops[i].x1) << "ticks are vertical";
        EXPECT_EQ(ops[i].y0, axis.line.y0) << "ticks hang from the axis line";
        tick.x = ops[i].x0;
        tick.end = ops[i].y1;
        axis.ticks.push_back(tick);
    }
    return axis;
}

std::vector<std::string> labels(const DrawnAxis& axis)
{
    std::vector<std::string> out;
    for (const auto& t : axis.ticks)
        if (!t.label.empty())
            out.push_back(t.label);
    return out;
}

DrawnAxis drawWholeAxis(SpectrumDocument& doc, int lineHeight = 16)
{
    RecordingCanvas canvas;
    canvas.setFont(Font{"Arial", lineHeight, 0, 700, 0});
    drawAxis(doc, canvas, 0, doc.valueCount);
    return readAxis(canvas);
}

TEST(AxisLayout, LineTicksAndLabelsHangBelowThePlotByLineHeights)
{
    auto doc = loadedSpectrum(131072, 5000, 400, 1000, 700);
    doc->displayUnits = DisplayUnits::Points;
    RecordingCanvas canvas;
    canvas.setFont(Font{"Arial", 13, 0, 700, 0});
    canvas.externalLeading = 2;  // lh = 15
    drawAxis(*doc, canvas, 0, doc->valueCount);
    const DrawnAxis axis = readAxis(canvas);

    const int axisY = static_cast<int>(700 - 3.5 * 15);  // 647.5 truncates
    EXPECT_EQ(axis.line.x0, 0);
    EXPECT_EQ(axis.line.x1, 1000);
    EXPECT_EQ(axis.line.y0, axisY);
    EXPECT_EQ(axis.line.y1, axisY);
    for (const auto& t : axis.ticks) {
        ASSERT_FALSE(t.label.empty());  // every tick of the default row is labelled
        EXPECT_EQ(t.end, static_cast<int>(700 - 2.5 * 15));
        const int width = static_cast<int>(t.label.size()) * canvas.charWidth;
        EXPECT_EQ(t.labelX, t.x - width / 2) << t.label;
    }
    for (const auto& op : canvas.texts())
        EXPECT_EQ(op.y0, static_cast<int>(700 - 2.5 * 15));
}

TEST(AxisWorkedExamples, PointsOverTheWholeBufferTickEvery500From500)
{
    auto doc = loadedSpectrum(131072, 5000, 400, 1000, 700);
    doc->displayUnits = DisplayUnits::Points;
    const DrawnAxis axis = drawWholeAxis(*doc);

    // left 0, right 65536: first tick strictly above 0; ticks up to one step beyond.
    ASSERT_EQ(axis.ticks.size(), 132u);
    for (std::size_t j = 0; j < axis.ticks.size(); ++j) {
        const long value = 500L * static_cast<long>(j + 1);
        EXPECT_EQ(axis.ticks[j].label, std::to_string(value));
        // 65536 points over 1000 pixels: x = value x 1000 / 65536, truncated.
        EXPECT_EQ(axis.ticks[j].x, static_cast<int>(value * 1000 / 65536)) << value;
    }
}

TEST(AxisWorkedExamples, PpmFrom10_3ToMinus0_7LabelsEveryTwoGrowingLeftAndZeroIsUnsigned)
{
    // 1100 values, 11 ppm wide (sw 4400 Hz at 400 MHz), origin at element 1030: the
    // axis runs from 10.3 ppm at the left to -0.7 ppm at the right.
    auto doc = loadedSpectrum(1100, 4400, 400, 1100, 700);
    doc->displayUnits = DisplayUnits::Ppm;
    doc->referencePoint = 1030;
    const DrawnAxis axis = drawWholeAxis(*doc);

    EXPECT_EQ(labels(axis), (std::vector<std::string>{"0", "2", "4", "6", "8", "10"}));
    // 100 pixels per ppm; ppm v lies at 1100 - (v + 0.7) x 100.
    for (const auto& t : axis.ticks) {
        if (t.label.empty())
            continue;
        const double v = std::stod(t.label);
        EXPECT_NEAR(t.x, 1100 - (v + 0.7) * 100, 1.0) << t.label;
    }
    // Steps of 0.4 ppm: 40 pixels apart, right to left.
    for (std::size_t j = 1; j < axis.ticks.size(); ++j)
        EXPECT_NEAR(axis.ticks[j - 1].x - axis.ticks[j].x, 40, 1);
    // Unlabelled ticks are half as long.
    for (const auto& t : axis.ticks)
        EXPECT_EQ(t.end, t.label.empty() ? 700 - 3 * 16 : 700 - 40);
}

TEST(AxisWorkedExamples, SecondsOverA2_73SecondAcquisitionStep0_1LabelledEveryHalf)
{
    auto doc = loadedSpectrum(5460, 1000, 400, 1092, 700);  // aq = 2.73
    ASSERT_DOUBLE_EQ(doc->acq.aq, 2.73);
    const DrawnAxis axis = drawWholeAxis(*doc);

    EXPECT_EQ(labels(axis), (std::vector<std::string>{"0.5", "1.0", "1.5", "2.0", "2.5"}));
    // 400 pixels per second: the first tick is at 0.1 s.
    ASSERT_FALSE(axis.ticks.empty());
    EXPECT_NEAR(axis.ticks[0].x, 40, 1);
    EXPECT_TRUE(axis.ticks[0].label.empty());
    for (std::size_t j = 1; j < axis.ticks.size(); ++j)
        EXPECT_NEAR(axis.ticks[j].x - axis.ticks[j - 1].x, 40, 1);
}

TEST(AxisWorkedExamples, ARangeOfExactly2000UsesStep50)
{
    auto doc = loadedSpectrum(4000, 5000, 400, 1000, 700);  // points 0 .. 2000
    doc->displayUnits = DisplayUnits::Points;
    const DrawnAxis axis = drawWholeAxis(*doc);
    ASSERT_GE(axis.ticks.size(), 2u);
    // 50 points are 25 pixels; labelled every 200 (factor 0.005).
    EXPECT_EQ(axis.ticks[0].x, 25);
    EXPECT_EQ(axis.ticks[1].x, 50);
    EXPECT_EQ(labels(axis).front(), "200");
}

TEST(AxisWorkedExamples, ARangeOf0_03UsesStep0_001LabelledEvery0_005)
{
    auto doc = loadedSpectrum(60, 1000, 400, 900, 700);  // aq = 0.03 s
    const DrawnAxis axis = drawWholeAxis(*doc);
    EXPECT_EQ(labels(axis), (std::vector<std::string>{"0.005", "0.010", "0.015", "0.020",
                                                      "0.025", "0.030"}));
    EXPECT_NEAR(axis.ticks[0].x, 30, 1);  // 0.001 s at 30000 pixels per second
    // 0.03 ppm (12 Hz at 400 MHz) ending at `low` ppm: labels at every multiple of 0.005.
    for (const double low : {1.0, 2.31, 7.25}) {
        auto ppm = loadedSpectrum(60, 12, 400, 900, 700);
        ppm->displayUnits = DisplayUnits::Ppm;
        ppm->referencePoint = 60 + static_cast<int>(std::lround(low / 0.0005));
        std::vector<std::string> every0_005;
        for (int j = 0; j <= 6; ++j)
            every0_005.push_back(formatFixed(low + 0.005 * j, 3));
        EXPECT_EQ(labels(drawWholeAxis(*ppm)), every0_005) << low;
    }
}

TEST(TickStepTable, EachLimitIsStrictAndTheLastMatchingRowWins)
{
    struct Row {
        double limit, step, factor;
        int decimals;
    };
    const Row rows[] = {{33000, 500, 0.0005, 0}, {10000, 200, 0.001, 0}, {6000, 100, 0.002, 0},
                        {3000, 50, 0.005, 0},    {2000, 40, 0.005, 0},   {1000, 20, 0.01, 0},
                        {500, 10, 0.02, 0},      {200, 5, 0.05, 0},      {100, 2, 0.1, 0},
                        {50, 1, 0.2, 0},         {20, 0.4, 2, 0},        {10, 0.2, 1, 0},
                        {5, 0.1, 2, 1},          {2, 0.04, 10, 2},       {1, 0.02, 20, 2},
                        {0.5, 0.01, 20, 2},      {0.2, 0.004, 100, 3},   {0.1, 0.002, 100, 3},
                        {0.05, 0.001, 400, 3}};
    TickStep above{500, 0, 0};  // the default row, for 33000 and more
    EXPECT_EQ(tickStepFor(1e9).step, 500);
    EXPECT_EQ(tickStepFor(1e9).labelFactor, 0);
    for (const Row& row : rows) {
        const TickStep at = tickStepFor(row.limit);
        EXPECT_EQ(at.step, above.step) << "range " << row.limit << " is not below its own limit";
        const TickStep below = tickStepFor(std::nextafter(row.limit, 0.0));
        EXPECT_EQ(below.step, row.step) << row.limit;
        EXPECT_EQ(below.labelFactor, row.factor) << row.limit;
        EXPECT_EQ(below.decimals, row.decimals) << row.limit;
        above = below;
    }
    EXPECT_EQ(tickStepFor(0.0).step, 0.001);
}

TEST(AxisDegenerate, AZeroWidthViewOrAMissingFrequencyDrawsTheLineOnly)
{
    auto doc = loadedSpectrum(1024, 5000, 400, 1000, 700);
    RecordingCanvas canvas;
    drawAxis(*doc, canvas, 512, 512);
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(canvas.ops[0].x1, 1000);

    doc->displayUnits = DisplayUnits::Ppm;
    doc->acq.sf = 0.0;
    RecordingCanvas noFrequency;
    drawAxis(*doc, noFrequency, 0, 1024);
    EXPECT_EQ(noFrequency.ops.size(), 1u);

    // Indices in either order give the same axis.
    doc->acq.sf = 400.0;
    RecordingCanvas forward, backward;
    drawAxis(*doc, forward, 100, 900);
    drawAxis(*doc, backward, 900, 100);
    EXPECT_EQ(forward.ops.size(), backward.ops.size());
    EXPECT_EQ(test::textsOf(forward.texts()), test::textsOf(backward.texts()));
}

}  // namespace
}  // namespace tesvar
