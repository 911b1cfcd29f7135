#include <gtest/gtest.h>

#include <cmath>

#include "analysis/analysis_text.h"
#include "analysis/peak_dialog.h"
#include "analysis/peak_picking.h"
#include "analysis/region_selection.h"
#include "core/analysis/analysis_fixture.h"
#include "document/text_format.h"
#include "platform/command_ids.h"

namespace tesvar::test {
namespace {

class PeakPicking : public AnalysisTest {
protected:
    // Element indexes of the kept peaks of region r.
    std::vector<int> peaksOf(int r) const
    {
        std::vector<int> found;
        const int first = firstPeakOfRegion(*doc, r);
        for (int j = 0; j < doc->peaks.regionPeaks[r]; ++j)
            found.push_back(doc->peaks.peaks[first + j].index);
        return found;
    }
    // A Lorentzian line on a flat baseline: it falls to exactly zero 12 points from its
    // top. (The scan's descent only ends where the values stop falling, so a line whose
    // tail fell all the way to the end of a region would be taken for the end.)
    static double line(int k, double centre, double height)
    {
        const double d = (k - centre) / 2.0;
        return std::fabs(k - centre) <= 12 ? height / (1.0 + d * d) : 0.0;
    }
};

TEST_F(PeakPicking, OneIsolatedPeakIsReportedExactlyOnce)
{
    load(1000, [](int k) { return line(k, 400, 100.0); });
    ASSERT_TRUE(pickPeaks(*doc, ui, 2 * 300, 2 * 600, 10.0));
    EXPECT_EQ(peaksOf(0), std::vector<int>{800});
    EXPECT_EQ(doc->peaks.peakCount, 1);
    EXPECT_EQ(doc->peaks.regionCount, 1);
    EXPECT_EQ(doc->peaks.peaks[0].value, 100.0);
    EXPECT_EQ(doc->peaks.regionStart[0], 600);
    EXPECT_EQ(doc->peaks.regionEnd[0], 1200);
    EXPECT_EQ(doc->peaks.lastThreshold, 10.0);
}

TEST_F(PeakPicking, ARegionEndingOnAFallingSlopeKeepsItsLastPeak)
{
    load(1000, [](int k) { return line(k, 300, 100.0) + line(k, 400, 80.0); });
    // Ending 3 points after the second line's top, on the baseline well after it, one
    // point after it; and tight around the first line.
    for (auto [from, to] : {std::pair{250, 403}, {250, 480}, {290, 401}, {297, 303}}) {
        ASSERT_TRUE(pickPeaks(*doc, ui, 2 * from, 2 * to, 10.0));
        EXPECT_EQ(peaksOf(doc->peaks.regionCount - 1),
                  (to > 400 ? std::vector<int>{600, 800} : std::vector<int>{600})) << to;
    }
}

TEST_F(PeakPicking, ARegionEndingWhileRisingKeepsNothingOfThatRise)
{
    load(1000, [](int k) { return line(k, 300, 100.0) + line(k, 500, 90.0); });
    ASSERT_TRUE(pickPeaks(*doc, ui, 2 * 250, 2 * 495, 10.0));
    EXPECT_EQ(peaksOf(0), std::vector<int>{600});
}

TEST_F(PeakPicking, NegativePeaksAreFoundWithTheirSign)
{
    load(1000, [](int k) { return line(k, 300, 100.0) - line(k, 600, 70.0); });
    ASSERT_TRUE(pickPeaks(*doc, ui, 0, 2 * 900, 20.0));
    EXPECT_EQ(peaksOf(0), (std::vector<int>{600, 1200}));
    EXPECT_DOUBLE_EQ(doc->peaks.peaks[1].value, re(600));
    EXPECT_LT(doc->peaks.peaks[1].value, -69.0);
    const auto lines = peakListLines(*doc);
    EXPECT_NE(lines.back().find("-"), std::string::npos);
    EXPECT_EQ(lines.back().substr(lines.back().size() - 10), formatPadded(re(600), 10, 3));
}

TEST_F(PeakPicking, LinesBelowTheThresholdAreNotPeaks)
{
    load(1000, [](int k) { return line(k, 300, 100.0) + line(k, 600, 30.0); });
    ASSERT_TRUE(pickPeaks(*doc, ui, 0, 2 * 900, 50.0));
    EXPECT_EQ(peaksOf(0), std::vector<int>{600});
    ASSERT_TRUE(pickPeaks(*doc, ui, 0, 2 * 900, -20.0));  // only the magnitude counts
    EXPECT_EQ(peaksOf(1), (std::vector<int>{600, 1200}));
}

TEST_F(PeakPicking, ARegionOfFewerThanThreeValuesIsAppendedWithoutPeaks)
{
    load(1000, [](int k) { return line(k, 300, 100.0); });
    ASSERT_TRUE(pickPeaks(*doc, ui, 599, 603, 1.0));  // even: 598..602
    EXPECT_EQ(doc->peaks.regionCount, 1);
    EXPECT_EQ(doc->peaks.regionPeaks[0], 0);
    EXPECT_EQ(doc->peaks.regionStart[0], 598);
    EXPECT_EQ(doc->peaks.regionEnd[0], 602);
}

TEST_F(PeakPicking, ARegionDraggedBeyondTheDataIsCutAtTheLastValueInUse)
{
    // The last line's top is two points before the end of the data, where the
    // look-ahead reaches past the values in use; stale values there change nothing.
    load(1000, [](int k) { return line(k, 997, 100.0) + line(k, 900, 100.0); });
    for (int i = doc->valueCount; i < doc->valueCount + 10; ++i)
        doc->data[i] = 1e9;
    ASSERT_TRUE(pickPeaks(*doc, ui, 2 * 850, 2 * 5000, 10.0));  // dragged beyond the data
    EXPECT_EQ(doc->peaks.regionEnd[0], 1998);
    EXPECT_EQ(peaksOf(0), (std::vector<int>{1800, 1994}));
    for (int i = doc->valueCount; i < doc->valueCount + 10; ++i)
        doc->data[i] = 0.0;
    ASSERT_TRUE(pickPeaks(*doc, ui, 2 * 850, 2 * 5000, 10.0));
    EXPECT_EQ(peaksOf(1), peaksOf(0));
    // A region before the data starts at element 0.
    ASSERT_TRUE(pickPeaks(*doc, ui, -500, 30, 10.0));
    EXPECT_EQ(doc->peaks.regionStart[2], 0);
}

TEST_F(PeakPicking, TwoRegionsAreListedInOrderWithNumbersFromOne)
{
    load(1000, [](int k) {
        return line(k, 200, 100.0) + line(k, 230, 60.0) + line(k, 700, 50.0) + line(k, 740, 40.0);
    });
    ASSERT_TRUE(pickPeaks(*doc, ui, 2 * 150, 2 * 300, 20.0));
    ASSERT_TRUE(pickPeaks(*doc, ui, 2 * 650, 2 * 800, 20.0));
    // SW 1000 Hz over 2000 values: element i reads 1000 - i/2 Hz, at 100 MHz.
    const std::vector<std::string> expected = {
        " ",
        "FROM:   8.50 ppm   TO:   7.00 ppm",
        " ",
        "     1        800.00         8.00        100.000",
        "     2        770.00         7.70         " + formatFixed(re(230), 3),
        " ",
        "FROM:   3.50 ppm   TO:   2.00 ppm",
        " ",
        "     1        300.00         3.00         " + formatFixed(re(700), 3),
        "     2        260.00         2.60         " + formatFixed(re(740), 3),
    };
    EXPECT_EQ(peakListLines(*doc), expected);
}

TEST_F(PeakPicking, TheListUsesTheReferencingOffsets)
{
    load(1000, [](int k) { return line(k, 200, 100.0); });
    doc->ppmOffset = -0.04;
    doc->hzOffset = 12.5;
    ASSERT_TRUE(pickPeaks(*doc, ui, 2 * 150, 2 * 300, 20.0));
    EXPECT_EQ(peakListLines(*doc)[3], "     1        812.50         7.96        100.000");
    EXPECT_NEAR(peakPpm(*doc, 400), 7.96, 1e-12);
    EXPECT_NEAR(peakHertz(*doc, 400), 812.5, 1e-12);
}

TEST_F(PeakPicking, AFullTableRefusesTheNextPickingAndKeepsWhatItHolds)
{
    load(1000, [](int k) { return line(k, 200, 100.0); });
    for (int r = 0; r < kMaxPeakRegions; ++r)
        ASSERT_TRUE(pickPeaks(*doc, ui, 300, 500, 20.0)) << r;
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc->peaks.peakCount, kMaxPeakRegions);
    EXPECT_FALSE(pickPeaks(*doc, ui, 300, 500, 20.0));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_EQ(ui.messages[0].text, text::kTooManyPeakRegions);
    EXPECT_EQ(doc->peaks.regionCount, kMaxPeakRegions);
    EXPECT_EQ(doc->peaks.peakCount, kMaxPeakRegions);
}

TEST_F(PeakPicking, ARegionWhosePeaksDoNotFitIsRefused)
{
    // A comb of lines every 4 points: one candidate per line.
    load(4000, [](int k) { return k % 4 == 0 ? 10.0 : 1.0; });
    doc->peaks.peakCount = kMaxPeaks - 100;
    doc->peaks.regionCount = 3;
    EXPECT_FALSE(pickPeaks(*doc, ui, 0, 7990, 5.0));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, text::kTooManyPeaks);
    EXPECT_EQ(doc->peaks.peakCount, kMaxPeaks - 100);
    EXPECT_EQ(doc->peaks.regionCount, 3);
    // A smaller region still fits.
    EXPECT_TRUE(pickPeaks(*doc, ui, 0, 400, 5.0));
    EXPECT_EQ(doc->peaks.regionPeaks[3], 49);
}

TEST_F(PeakPicking, ThresholdIsTheSameAboveAndBelowTheZeroLine)
{
    load(1000, [](int k) { return line(k, 400, 100.0) + line(k, 450, 40.0); });
    // Trace scale: 75 pixels for the largest value, 100; 30 pixels is a value of 40.
    const int zero = doc->baselineY;
    for (int y : {zero - 45, zero + 45}) {
        completeRegion(*doc, ui, window, host, cmd::PeakPicking, {300, 100, 600, y});
        EXPECT_DOUBLE_EQ(doc->peaks.lastThreshold, 60.0) << y;
    }
    EXPECT_EQ(peaksOf(0), std::vector<int>{800});
    EXPECT_EQ(peaksOf(1), std::vector<int>{800});
    // Each picking sends the report command.
    EXPECT_EQ(window.sentCommands, (std::vector<int>{cmd::EditPeaks, cmd::EditPeaks}));
}

TEST_F(PeakPicking, TheDialogListsTheRegionsAndClearAllEmptiesTheTable)
{
    load(1000, [](int k) { return line(k, 400, 100.0); });
    ASSERT_TRUE(pickPeaks(*doc, ui, 600, 1000, 12.345));
    FakeEditsView view;
    PeakDialog dialog(*doc, ui, view, view);
    dialog.open();
    EXPECT_EQ(view.text(peak_ids::ThresholdEdit), "   12.35");
    EXPECT_EQ(view.lines, peakListLines(*doc));
    ASSERT_EQ(view.lines.size(), 4u);

    view.setText(peak_ids::ThresholdEdit, " 7.5 units");
    dialog.clearAll();
    EXPECT_EQ(doc->peaks.peakCount, 0);
    EXPECT_EQ(doc->peaks.regionCount, 0);
    EXPECT_EQ(doc->peaks.lastThreshold, 7.5);
}

TEST_F(PeakPicking, TheReportIsPrintedOnePagePerCopyWithItsHeaderLines)
{
    load(1000, [](int k) { return line(k, 200, 100.0) + line(k, 700, 50.0); });
    doc->fileTitle = "aspirin.TVX";
    ASSERT_TRUE(pickPeaks(*doc, ui, 300, 600, 20.0));
    ASSERT_TRUE(pickPeaks(*doc, ui, 1300, 1500, 20.0));
    FakeEditsView view;
    PeakDialog dialog(*doc, ui, view, view);
    FakeReportPrinter printer;
    printer.copies = 2;
    printer.canvas.setFont({"Courier", 16});
    printer.canvas.externalLeading = 2;
    dialog.print(printer);

    EXPECT_EQ(printer.documentNames, std::vector<std::string>{"Peak Picking Ouput"});
    ASSERT_EQ(printer.pageStarts.size(), 2u);
    EXPECT_EQ(printer.pagesEnded, 2);
    EXPECT_EQ(printer.documentsEnded, 1);
    const std::string header = "   Peak    Frecuency         ppm       Intensity";
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "File:aspirin.TVX "},
        {36, "FROM:   8.50 ppm   TO:   7.00 ppm"},
        {54, header},
        {72, "     1        800.00         8.00        100.000"},
        {90, "FROM:   3.50 ppm   TO:   2.50 ppm"},
        {108, header},
        {126, "     1        300.00         3.00         " + formatFixed(re(700), 3)},
    };
    for (std::size_t p = 0; p < 2; ++p) {
        const auto ops = printer.page(p);
        ASSERT_EQ(ops.size(), expected.size());
        for (std::size_t i = 0; i < ops.size(); ++i) {
            EXPECT_EQ(ops[i].x0, 0);
            EXPECT_EQ(ops[i].y0, expected[i].first);
            EXPECT_EQ(ops[i].text, expected[i].second);
        }
    }
}

TEST_F(PeakPicking, ACancelledPrintDialogPrintsNothingAndAFailedJobIsReported)
{
    load(1000, [](int k) { return line(k, 200, 100.0); });
    FakeEditsView view;
    PeakDialog dialog(*doc, ui, view, view);
    FakeReportPrinter cancelled;
    cancelled.copies = 0;
    dialog.print(cancelled);
    EXPECT_EQ(cancelled.dialogs, 1);
    EXPECT_TRUE(cancelled.documentNames.empty());
    EXPECT_TRUE(ui.messages.empty());

    FakeReportPrinter failing;
    failing.canStart = false;
    dialog.print(failing);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error printing");
}

}  // namespace
}  // namespace tesvar::test
