#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "render/axis.h"
#include "render/plot_style.h"
#include "render/print_picture.h"
#include "render_fixture.h"

namespace tesvar {
namespace {

using test::loadedSpectrum;
using test::RecordingCanvas;
using test::textsOf;

std::vector<RecordingCanvas::Op> textsInFont(const RecordingCanvas& canvas, const Font& font)
{
    std::vector<RecordingCanvas::Op> out;
    for (const auto& op : canvas.texts())
        if (op.font == font)
            out.push_back(op);
    return out;
}

// The trace is the run of lines that starts at the corner (0, 0) after the axis.
std::vector<RecordingCanvas::Op> printedTrace(const RecordingCanvas& canvas, std::size_t points)
{
    const auto lines = canvas.lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].x0 == 0 && lines[i].y0 == 0 && lines[i].x1 == 0 && i + points <= lines.size())
            return std::vector<RecordingCanvas::Op>(lines.begin() + i, lines.begin() + i + points);
    ADD_FAILURE() << "no trace from the corner";
    return {};
}

TEST(PrintHeader, ShowsTheSweepWidthInHertzAndPpm)
{
    auto doc = loadedSpectrum(16384, 6000, 400.13, 1000, 700);
    EXPECT_EQ(printHeaderLine(*doc),
              "Spectrum Frecuency(MHz)= 400.130   Sweep Width(Hz/ppm) 6000.000/14.995   "
              "Acquisition Time(sec.)= 1.365   Transform Domain(points)= 16384");
    doc->acq.sf = 0.0;
    EXPECT_EQ(printHeaderLine(*doc).find("inf"), std::string::npos);
    EXPECT_NE(printHeaderLine(*doc).find("Sweep Width(Hz/ppm) 6000.000/   "), std::string::npos);
}

TEST(PrintPicture, HeaderAndCaptionSitAboveTheBottomByDefaultFontLines)
{
    auto doc = loadedSpectrum(16384, 6000, 400.13, 1000, 700);
    doc->displayUnits = DisplayUnits::Hertz;
    RecordingCanvas canvas;
    buildPrintMetafile(*doc, canvas);

    const auto printed = textsInFont(canvas, printTextFont);
    ASSERT_GE(printed.size(), 2u);
    const auto& header = printed[printed.size() - 2];
    const auto& caption = printed.back();
    EXPECT_EQ(header.text, printHeaderLine(*doc));
    const int lh = defaultTextFont.height;  // RecordingCanvas: the font's height, no leading
    EXPECT_EQ(header.x0, 10);
    EXPECT_EQ(header.y0, 850 - static_cast<int>(1.5 * lh));
    EXPECT_EQ(caption.text, "Hertz");
    EXPECT_EQ(caption.x0, 1500 - 5 / 2);
    EXPECT_EQ(caption.y0, 850 - 3 * lh);
    EXPECT_EQ(canvas.currentFont(), defaultTextFont);
}

TEST(PrintPicture, BorderAndEveryLineInThePlainBlackPen)
{
    auto doc = loadedSpectrum(256, 6000, 400, 1000, 700, [](int i) { return std::cos(0.2 * i); });
    RecordingCanvas canvas;
    buildPrintMetafile(*doc, canvas);
    const auto lines = canvas.lines();
    for (const auto& op : lines)
        ASSERT_EQ(op.pen, printPen);
    // The border closes the picture after the trace.
    const std::vector<std::vector<int>> border = {
        {0, 0, 3000, 0}, {3000, 0, 3000, 850}, {3000, 850, 0, 850}, {0, 850, 0, 0}};
    ASSERT_GE(lines.size(), 4u);
    for (std::size_t j = 0; j < 4; ++j) {
        const auto& op = lines[lines.size() - 4 + j];
        EXPECT_EQ((std::vector<int>{op.x0, op.y0, op.x1, op.y1}), border[j]);
    }
}

TEST(PrintPicture, TraceStartsAtTheCornerIsTheSameWayUpAsTheScreenAndIsClamped)
{
    // Zero line at 2/3 of a 600-pixel window: row 849 x 400 / 600 = 566 on the canvas.
    auto make = [](double peak) {
        auto doc = loadedSpectrum(64, 500, 400, 1000, 600, [peak](int i) {
            return i == 8 ? peak : (i % 2 == 0 ? 20.0 : 0.0);
        });
        doc->baselineY = 400;
        return doc;
    };
    auto positive = make(40.0);
    auto negative = make(-40.0);
    RecordingCanvas up, down;
    buildPrintMetafile(*positive, up);
    buildPrintMetafile(*negative, down);
    const auto tu = printedTrace(up, 31);
    const auto td = printedTrace(down, 31);
    ASSERT_EQ(tu.size(), 31u);
    ASSERT_EQ(td.size(), 31u);

    // First segment down the left border from the corner to the first value.
    EXPECT_EQ(tu[0].x1, 0);
    EXPECT_EQ(tu[0].y1, static_cast<int>(566 - 20.0 / 40.0 * 75));
    // 64 values over 3000 units: point k at trunc(2k x 46.875).
    EXPECT_EQ(tu[5].x1, static_cast<int>(10 * 46.875));
    // A negative maximum prints as the screen draws it: positive values go up.
    EXPECT_EQ(tu[4].y1, 566 - 75);
    EXPECT_EQ(td[4].y1, 566 + 75);
    EXPECT_EQ(td[1].y1, static_cast<int>(566 - 20.0 / 40.0 * 75));

    // A vertical scale that throws values off the canvas keeps them on its edges.
    positive->verticalScale = 5000;
    negative->verticalScale = 5000;
    RecordingCanvas high, low;
    buildPrintMetafile(*positive, high);
    buildPrintMetafile(*negative, low);
    const auto th = printedTrace(high, 31);
    const auto tl = printedTrace(low, 31);
    EXPECT_EQ(th[4].y1, 0);
    EXPECT_EQ(tl[4].y1, 849);
    for (const auto& op : th)
        ASSERT_TRUE(op.y1 >= 0 && op.y1 <= 849);
}

TEST(PrintPicture, AnAllZeroSpectrumPrintsItsZeroLine)
{
    auto doc = loadedSpectrum(64, 500, 400, 1000, 700);
    RecordingCanvas canvas;
    buildPrintMetafile(*doc, canvas);
    const auto trace = printedTrace(canvas, 31);
    ASSERT_EQ(trace.size(), 31u);
    for (const auto& op : trace)
        EXPECT_EQ(op.y1, 849 * 350 / 700);
}

TEST(PrintPicture, AViewStartingBeforeTheDataRunsDownTheBorderThenAlongTheZeroLine)
{
    auto doc = loadedSpectrum(100, 500, 400, 1000, 700, [](int) { return 7.0; });
    test::showElements(*doc, -40, 140);  // points -20 .. 69 in view, data from point 0
    RecordingCanvas canvas;
    buildPrintMetafile(*doc, canvas);
    const int yBase = 849 * 350 / 700;
    const auto trace = printedTrace(canvas, 3);
    ASSERT_EQ(trace.size(), 3u);
    // Point 0 of the view lies on the zero line at the left border, like every point
    // before the data: no line cuts across the picture from the corner.
    EXPECT_EQ((std::vector<int>{trace[0].x0, trace[0].y0, trace[0].x1, trace[0].y1}),
              (std::vector<int>{0, 0, 0, yBase}));
    const double xs = 3000.0 / 180;
    EXPECT_EQ((std::vector<int>{trace[1].x1, trace[1].y1}),
              (std::vector<int>{static_cast<int>(2 * 19 * xs), yBase}));
    EXPECT_EQ(trace[2].x1, static_cast<int>(2 * 20 * xs));
    EXPECT_EQ(trace[2].y1, static_cast<int>(yBase - 7.0 / 7.0 * 75));
}

TEST(PrintAxis, SkipsTicksOnTheCanvasEdgesWhereTheScreenClipsThem)
{
    // 10 ppm from 10 at the left to 0 at the right edge.
    auto doc = loadedSpectrum(1000, 4000, 400, 1000, 700);
    doc->displayUnits = DisplayUnits::Ppm;
    doc->referencePoint = 1000;

    RecordingCanvas printed;
    drawPrintAxis(*doc, printed, 0, 1000);
    const auto lines = printed.lines();
    ASSERT_GT(lines.size(), 1u);
    const int lh = printTextFont.height;
    EXPECT_EQ(lines[0].y0, static_cast<int>(800 - 2.5 * lh));
    EXPECT_EQ(lines[0].x1, 3000);
    for (std::size_t j = 1; j < lines.size(); ++j) {
        EXPECT_GT(lines[j].x0, 0);
        EXPECT_LT(lines[j].x0, 3000);
        EXPECT_TRUE(lines[j].y1 == 800 - 2 * lh || lines[j].y1 == static_cast<int>(800 - 1.5 * lh));
    }
    const auto labels = textsOf(printed.texts());
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "0"), 0);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "2"), 1);
    for (const auto& op : printed.texts())
        EXPECT_EQ(op.font, printTextFont);

    // The window's axis draws the zero tick at its right edge and lets it be clipped.
    RecordingCanvas screen;
    drawAxis(*doc, screen, 0, 1000);
    const auto screenLabels = textsOf(screen.texts());
    EXPECT_EQ(std::count(screenLabels.begin(), screenLabels.end(), "0"), 1);
}

TEST(PrintIntegrals, LabelsHangTenLinesAboveTheAxisBottomWithWiderLegs)
{
    auto doc = loadedSpectrum(1000, 500, 400, 1000, 700, [](int) { return 1.0; });
    doc->integrals.start[0] = 250.1;  // canvas x 1500.6
    doc->integrals.end[0] = 300.2;    // canvas x 1801.2
    doc->integrals.value[0] = 3.0;
    doc->integrals.last = 0;
    doc->integralsShown = 1;
    doc->integralBaseY = 350;
    RecordingCanvas canvas;
    drawPrintIntegralLabels(*doc, canvas);

    const int th = printVerticalLabelFont.height;
    const int top = static_cast<int>((800 - 2.5 * th) - 7.5 * th);
    const int mid = 3301 / 2, half = 3;
    const auto lines = canvas.lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ((std::vector<int>{lines[0].x0, lines[0].y0, lines[0].y1}), (std::vector<int>{1500, top, top + 5}));
    EXPECT_EQ(lines[1].x1, mid - half - 18);
    EXPECT_EQ(lines[2].y1, top + 80);
    EXPECT_EQ(lines[3].x0, 1801);
    EXPECT_EQ(lines[4].x1, mid + half + 21);
    const auto texts = canvas.texts();
    EXPECT_EQ(textsOf(texts), (std::vector<std::string>{"0", "0", ".", "1"}));
    for (std::size_t j = 0; j < texts.size(); ++j) {
        EXPECT_EQ(texts[j].x0, mid - half - 3);
        EXPECT_EQ(texts[j].y0, top + 20 + static_cast<int>(j) * 8);
        EXPECT_EQ(texts[j].font, printVerticalLabelFont);
    }
    EXPECT_EQ(doc->integrals.labelLeft[0], 0) << "printing leaves the screen hit boxes alone";

    RecordingCanvas curves;
    drawPrintIntegralCurves(*doc, curves);
    const auto curve = curves.lines();
    ASSERT_EQ(curve.size(), 51u);  // points 250 .. 300
    EXPECT_EQ(curve[0].x0, 1500);
    EXPECT_EQ(curve[0].y0, 849 * 350 / 700 - static_cast<int>(75 * 0.25));
    EXPECT_EQ(curve[1].x1, 1500 + 6);  // 3 canvas units per value
}

TEST(PageTarget, CentresThePictureKeepingItsProportions)
{
    // The canvas at 96 per inch on A4 at 300 and at 1200 per inch, where a whole divisor
    // (84550 / 9917 = 8) ran the picture off the page, and on A4 landscape.
    for (const auto& [pw, ph] : {std::pair{2480, 3508}, {9917, 14033}, {3508, 2480}}) {
        const auto t = pageTarget({0, 0, 79375, 22490}, pw, ph);
        ASSERT_TRUE(t.has_value());
        EXPECT_NEAR(t->right - t->left, 79375.0 / 84550 * pw, 1) << pw;
        EXPECT_NEAR(double(t->right - t->left) / (t->bottom - t->top), 3000.0 / 850, 0.01) << pw;
        EXPECT_LE(std::max(std::abs(t->left + t->right - pw), std::abs(t->top + t->bottom - ph)), 1);
    }
}

TEST(PageTarget, PagesWiderThanTheDivisorAndPagesWithoutSizeAreHandled)
{
    const IntRect frame{0, 0, 84000, 23800};
    const auto wide = pageTarget(frame, 100000, 140000);
    ASSERT_TRUE(wide.has_value());
    // 84000 / 84550 of the width would leave hardly a margin: 96 per cent at most.
    EXPECT_NEAR(wide->right - wide->left, 96000, 1);
    EXPECT_LE(wide->right, 100000);
    EXPECT_FALSE(pageTarget(frame, 0, 7016).has_value());
    EXPECT_FALSE(pageTarget(frame, 4960, -1).has_value());
}

TEST(MetafileFrame, ConvertsLogicalUnitsToHundredthsOfAMillimetre)
{
    EXPECT_EQ(metafileFrame({0, 0, 3000, 850}, 96, 96), (IntRect{0, 0, 79375, 22490}));
    EXPECT_EQ(metafileFrame({0, 0, 3000, 850}, 0, 96), IntRect{});
}

}  // namespace
}  // namespace tesvar
