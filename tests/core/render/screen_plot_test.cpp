#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "document/plot_geometry.h"
#include "render/plot_style.h"
#include "render/screen_plot.h"
#include "render_fixture.h"

namespace tesvar {
namespace {

using test::linesInPen;
using test::loadedSpectrum;
using test::RecordingCanvas;
using test::showElements;
using test::textsOf;

double wave(int i) { return 100.0 * std::sin(0.37 * i) + (i == 40 ? 400.0 : 0.0); }

TEST(RenderPlot, FillsWhiteThenDrawsOneBlueSegmentPerPointAndARedAxis)
{
    auto doc = loadedSpectrum(64, 500, 400, 640, 480, wave);
    RecordingCanvas canvas;
    renderPlot(*doc, canvas);

    ASSERT_FALSE(canvas.ops.empty());
    EXPECT_EQ(canvas.ops[0].kind, RecordingCanvas::Kind::Fill);
    EXPECT_EQ(canvas.ops[0].rect, (IntRect{0, 0, 640, 480}));
    EXPECT_EQ(canvas.ops[0].fill, (Rgb{255, 255, 255}));

    // Whole view: c = N/2 - 1 points; the trace starts with a vertical segment at x 0
    // from the zero line, and the last complex point is not drawn.
    const auto trace = linesInPen(canvas, Pen{{0, 0, 255}, 1});
    ASSERT_EQ(trace.size(), 31u);
    EXPECT_EQ(trace[0].x0, 0);
    EXPECT_EQ(trace[0].y0, 240);
    EXPECT_EQ(trace[0].x1, 0);
    ASSERT_EQ(doc->maxAbsIndex, 40);  // the 400 added there
    for (int k = 0; k < 31; ++k) {
        // 10 pixels per element: point k at x 20k.
        EXPECT_EQ(trace[k].x1, 20 * k);
        EXPECT_EQ(trace[k].y1, static_cast<int>(240 - wave(2 * k) / doc->maxAbsValue * 75))
            << k;
        if (k > 0) {
            EXPECT_EQ(trace[k].x0, trace[k - 1].x1);  // one connected polyline
            EXPECT_EQ(trace[k].y0, trace[k - 1].y1);
        }
    }
    // Everything else is the red overlay, drawn after the trace.
    const auto red = linesInPen(canvas, Pen{{255, 0, 0}, 1});
    EXPECT_EQ(red.size() + trace.size(), canvas.lines().size());
    EXPECT_FALSE(red.empty());
    EXPECT_EQ(red[0].y0, red[0].y1);  // the axis line comes first
    EXPECT_EQ(red[0].x1, 640);
}

TEST(RenderPlot, NoTraceForTwoElementsOrLessAndOnePointForFour)
{
    auto doc = loadedSpectrum(1000, 500, 400, 1000, 700, wave);
    showElements(*doc, 100, 102);
    RecordingCanvas narrow;
    renderPlot(*doc, narrow);
    EXPECT_TRUE(linesInPen(narrow, tracePen).empty());
    EXPECT_FALSE(linesInPen(narrow, overlayPen).empty()) << "the axis is drawn all the same";

    showElements(*doc, 100, 104);
    RecordingCanvas four;
    renderPlot(*doc, four);
    const auto trace = linesInPen(four, tracePen);
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(trace[0].x0, 0);
    EXPECT_EQ(trace[0].y0, doc->baselineY);
    EXPECT_EQ(trace[0].x1, 0);
    EXPECT_EQ(trace[0].y1, valueToY(*doc, doc->data[100]));
}

TEST(RenderPlot, ANegativeMaximumIsDrawnTheSameWayUp)
{
    auto positive = loadedSpectrum(64, 500, 400, 640, 480, [](int i) { return i == 8 ? 50.0 : 10.0; });
    auto negative = loadedSpectrum(64, 500, 400, 640, 480, [](int i) { return i == 8 ? -50.0 : 10.0; });
    RecordingCanvas a, b;
    renderPlot(*positive, a);
    renderPlot(*negative, b);
    const auto ta = linesInPen(a, tracePen);
    const auto tb = linesInPen(b, tracePen);
    // The ordinary points (value 10) lie 15 pixels above the zero line in both.
    EXPECT_EQ(ta[1].y1, 240 - 15);
    EXPECT_EQ(tb[1].y1, 240 - 15);
    EXPECT_EQ(ta[4].y1, 240 - 75);  // +50 at the top
    EXPECT_EQ(tb[4].y1, 240 + 75);  // -50 at the bottom
}

TEST(RenderPlot, AnAllZeroSpectrumDrawsItsZeroLineAndAxis)
{
    auto doc = loadedSpectrum(4096, 5000, 400, 800, 600);
    ASSERT_EQ(doc->maxAbsValue, 0.0);
    RecordingCanvas canvas;
    renderPlot(*doc, canvas);
    // 2047 points over 800 columns, all on the zero line: one vertex per column.
    const auto trace = linesInPen(canvas, tracePen);
    ASSERT_EQ(trace.size(), 800u);
    for (int x = 0; x < 800; ++x)
        ASSERT_EQ((std::vector<int>{trace[x].x1, trace[x].y0, trace[x].y1}),
                  (std::vector<int>{x, 300, 300}));
    EXPECT_FALSE(canvas.texts().empty()) << "axis labels";
}

TEST(RenderPlot, AViewBeyondTheDataReadsNothingOutsideIt)
{
    auto doc = loadedSpectrum(100, 500, 400, 1000, 700, [](int) { return 7.0; });
    // Set limits accepts a negative start: elements -40 .. 140 are in view.
    showElements(*doc, -40, 140);
    doc->data[100] = doc->data[102] = 1e6;  // leftovers beyond the values in use
    RecordingCanvas canvas;
    renderPlot(*doc, canvas);
    const auto trace = linesInPen(canvas, tracePen);
    ASSERT_FALSE(trace.empty());
    const int dataY = valueToY(*doc, 7.0);
    for (const auto& op : trace)
        ASSERT_TRUE(op.y1 == dataY || op.y1 == doc->baselineY) << op.y1;
    // 180 elements over 1000 pixels: the data begin at element 0, point 20, x 222.
    const VisibleRange range = visibleRange(*doc);
    ASSERT_EQ(range.firstIndex, -40);
    // The trace starts with its vertical segment at x 0, from the zero line to point 0,
    // which lies on the zero line too, then runs along it to the point before the data.
    EXPECT_EQ((std::vector<int>{trace[0].x0, trace[0].y0, trace[0].x1, trace[0].y1}),
              (std::vector<int>{0, doc->baselineY, 0, doc->baselineY}));
    EXPECT_EQ(trace[1].x1, traceX(*doc, -2, 1000));
    EXPECT_EQ(trace[1].y1, doc->baselineY);
    EXPECT_EQ(trace[2].x1, traceX(*doc, 0, 1000));
    EXPECT_EQ(trace[2].y1, dataY);
    EXPECT_EQ(trace.back().x1, traceX(*doc, range.lastIndex - 4, 1000));
    EXPECT_EQ(trace.back().y1, doc->baselineY);
}

// A table with integrals set by hand, as integration would leave it.
void addIntegral(SpectrumDocument& doc, int i, double start, double end, double value)
{
    doc.integrals.start[i] = start;
    doc.integrals.end[i] = end;
    doc.integrals.value[i] = value;
    doc.integrals.last = i;
    doc.integrals.count = i + 1;
    doc.integrals.present = 1;
    doc.integralsShown = 1;
}

TEST(IntegralLabels, ValueIsDrawnReversedOneCharacterAtATimeInTheRotatedFont)
{
    auto doc = loadedSpectrum(1000, 500, 400, 1000, 700, [](int) { return 1.0; });
    addIntegral(*doc, 0, 100.1, 150.2, 2.0);
    addIntegral(*doc, 1, 300.1, 350.2, 25.0);  // 12.50 times the reference
    RecordingCanvas canvas;
    renderPlot(*doc, canvas);

    std::vector<RecordingCanvas::Op> label;
    for (const auto& op : canvas.texts())
        if (op.font == verticalLabelFont)
            label.push_back(op);
    ASSERT_EQ(label.size(), 4u + 5u);  // "1.00" and "12.50"
    const std::vector<RecordingCanvas::Op> second(label.begin() + 4, label.end());
    EXPECT_EQ(textsOf(second), (std::vector<std::string>{"0", "5", ".", "2", "1"}));

    // Points 300.1 and 350.2 lie at x 600.2 and 700.4: mid 650, half of the 7-pixel width 3.
    for (std::size_t j = 0; j < second.size(); ++j) {
        EXPECT_EQ(second[j].x0, 650 - 3 - 3);
        EXPECT_EQ(second[j].y0, 700 - 120 + static_cast<int>(j) * 8);
    }
    EXPECT_EQ(doc->integrals.labelLeft[1], 650 - 3 - 5);
    EXPECT_EQ(doc->integrals.labelRight[1], 650 + 3 + 5);
}

TEST(IntegralLabels, BracketLegsRunFromTheRegionEndsToTheLabelColumn)
{
    auto doc = loadedSpectrum(1000, 500, 400, 1000, 700, [](int) { return 1.0; });
    addIntegral(*doc, 0, 100.1, 150.2, 2.0);
    RecordingCanvas canvas;
    drawIntegralLabels(*doc, canvas);
    const auto lines = canvas.lines();
    ASSERT_GE(lines.size(), 6u);
    // x 200.2 and 300.4, mid 250, boxes 242 and 258.
    const int top = 700 - 140;
    const std::vector<std::vector<int>> expected = {
        {200, top, 200, top + 5},        {200, top + 5, 242, top + 14}, {242, top + 14, 242, top + 80},
        {300, top, 300, top + 5},        {300, top + 5, 258, top + 14}, {258, top + 14, 258, top + 80}};
    for (std::size_t j = 0; j < expected.size(); ++j)
        EXPECT_EQ((std::vector<int>{lines[j].x0, lines[j].y0, lines[j].x1, lines[j].y1}), expected[j])
            << j;
    EXPECT_EQ(canvas.currentFont(), defaultTextFont) << "the previous font is selected back";
}

TEST(IntegralLabels, HitBoxesFollowTheViewAtEveryRepaint)
{
    auto doc = loadedSpectrum(1000, 500, 400, 1000, 700, [](int) { return 1.0; });
    addIntegral(*doc, 0, 100.1, 150.2, 2.0);
    RecordingCanvas before;
    renderPlot(*doc, before);
    EXPECT_EQ(doc->integrals.labelLeft[0], 242);

    showElements(*doc, 150, 350);  // zoom: 5 pixels per element
    RecordingCanvas after;
    renderPlot(*doc, after);
    // Points 100.1 and 150.2 are elements 200.2 and 300.4: x 251 and 752, mid 501.
    EXPECT_EQ(doc->integrals.labelLeft[0], 501 - 3 - 5);
    EXPECT_EQ(doc->integrals.labelRight[0], 501 + 3 + 5);
}

TEST(IntegralLabels, AZeroReferenceShowsAClearTextInsteadOfANumber)
{
    auto doc = loadedSpectrum(1000, 500, 400, 1000, 700, [](int) { return 1.0; });
    addIntegral(*doc, 0, 100, 150, 0.0);
    RecordingCanvas canvas;
    drawIntegralLabels(*doc, canvas);
    EXPECT_EQ(textsOf(canvas.texts()), (std::vector<std::string>{"a", "/", "n"}));
}

TEST(IntegralCurves, RunningSumRisesAQuarterScaleFromItsBase)
{
    auto doc = loadedSpectrum(1000, 500, 400, 1000, 700, [](int i) { return i % 2 ? 0.0 : 2.0; });
    doc->maxAbsValue = 8.0;
    doc->integralBaseY = 400;
    doc->integralScale = 2.0;
    addIntegral(*doc, 0, 101.7, 110.2, 1.0);  // points 100 .. 110
    RecordingCanvas canvas;
    drawIntegralCurves(*doc, canvas);
    const auto lines = canvas.lines();
    ASSERT_EQ(lines.size(), 11u);
    // Each point adds 2 / 8 x 2 x 75 x 0.25 = 9.375 pixels of rise; points lie in their
    // trace columns, every 2 pixels from point 100 at x 200.
    EXPECT_EQ(lines[0].x0, 200);
    EXPECT_EQ(lines[0].y0, 400 - 9);
    for (int m = 0; m <= 10; ++m) {
        EXPECT_EQ(lines[m].x1, 200 + 2 * m);
        EXPECT_EQ(lines[m].y1, static_cast<int>(400 - 9.375 * (m + 1)));
    }
}

TEST(IntegralCurves, RegionsOutsideTheValuesInUseAreNotRead)
{
    auto doc = loadedSpectrum(100, 500, 400, 1000, 700, [](int) { return 1.0; });
    addIntegral(*doc, 0, -20.0, 10.0, 1.0);
    addIntegral(*doc, 1, 45.0, 400.0, 1.0);
    RecordingCanvas canvas;
    drawIntegralCurves(*doc, canvas);
    // Points 0..10 and 44..49 are summed: 11 and 6 segments.
    EXPECT_EQ(canvas.lines().size(), 17u);
}

TEST(CouplingMarkers, NumberedFromZeroWithLabelsAlternatingBetween50And90)
{
    auto doc = loadedSpectrum(1000, 500, 400, 1024, 700);  // aq = 1 s: 1024 pixels per second
    doc->measureJActive = 1;
    doc->jMarkerCount = 3;
    doc->jMarkers[0] = 200.25 / 1024;  // x 200.25 -> 200
    doc->jMarkers[1] = 300.5 / 1024;   // x 300.5: a half rounds down
    doc->jMarkers[2] = 400.75 / 1024;  // x 400.75 -> 401
    RecordingCanvas canvas;
    canvas.setFont(defaultTextFont);
    drawCouplingMarkers(*doc, canvas);

    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(textsOf(texts), (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(texts[0].y0, 50);
    EXPECT_EQ(texts[1].y0, 90);
    EXPECT_EQ(texts[2].y0, 50);
    const auto lines = canvas.lines();
    ASSERT_EQ(lines.size(), 3u);
    const int xs[] = {200, 300, 401};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i].x0, xs[i]);
        EXPECT_EQ(lines[i].x1, xs[i]);
        EXPECT_EQ(lines[i].y0, 29);
        EXPECT_EQ(lines[i].y1, 700 - 23);
        EXPECT_EQ(texts[i].x0, xs[i] - 3);
    }
}

TEST(RenderPlot, DrawsMarkersOnlyWhileMeasuringAndIntegralsOnlyWhenShown)
{
    auto doc = loadedSpectrum(1000, 500, 400, 1000, 700);
    doc->jMarkerCount = 2;
    addIntegral(*doc, 0, 10, 20, 1.0);
    doc->integralsShown = 0;
    RecordingCanvas quiet;
    renderPlot(*doc, quiet);
    doc->measureJActive = 1;
    doc->integralsShown = 1;
    RecordingCanvas busy;
    renderPlot(*doc, busy);
    // Two markers, six bracket legs and 11 curve segments (points 10..20) more.
    EXPECT_EQ(busy.lines().size(), quiet.lines().size() + 2 + 6 + 11);
    EXPECT_EQ(busy.texts().size(), quiet.texts().size() + 2 + 4);
}

TEST(DeepZoom, TraceAxisBracketsCurvesAndReadoutPutEachPointInOneColumn)
{
    // 50 pixels per point from 0.9 point past point 500; a Points axis ticks every point.
    auto doc = loadedSpectrum(2000, 1000, 400, 1000, 700, [](int i) { return 1.0 + i % 7; });
    doc->displayUnits = DisplayUnits::Points;
    showElements(*doc, 1001.8, 1041.8);
    addIntegral(*doc, 0, 505.5, 510.0, 1.0);
    RecordingCanvas canvas, curves;
    renderPlot(*doc, canvas);
    drawIntegralCurves(*doc, curves);  // points 504 .. 510
    const auto trace = linesInPen(canvas, tracePen);
    std::set<int> ticks, legs;
    for (const auto& op : linesInPen(canvas, overlayPen))
        (op.y0 == 700 - 140 ? legs : ticks).insert(op.x0);
    ASSERT_EQ(trace.size(), 19u);  // points 500 .. 518; 500 lies left of the window
    for (int p = 501; p <= 518; ++p) {
        const int x = trace[p - 500].x1;
        EXPECT_EQ(readoutText(*doc, x), "Point " + std::to_string(p) + "     ");
        EXPECT_TRUE(ticks.count(x)) << p;
        EXPECT_TRUE(p < 504 || p > 510 || curves.lines()[p - 504].x1 == x) << p;
    }
    EXPECT_TRUE(legs.count(trace[10].x1)) << "the bracket's right end at point 510";
}

}  // namespace
}  // namespace tesvar
