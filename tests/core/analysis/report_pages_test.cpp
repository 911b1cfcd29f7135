#include <gtest/gtest.h>

#include "analysis/peak_dialog.h"
#include "analysis/peak_picking.h"
#include "core/analysis/analysis_fixture.h"

namespace tesvar::test {
namespace {

TEST(ReportPages, TheReportRunsOverAsManyPagesAsItNeedsEachWithItsHeadings)
{
    // Two regions of 5 and 7 peaks; lines 16 units high, the heading taking two.
    auto doc = std::make_unique<SpectrumDocument>();
    doc->fileTitle = "lines.TVX";
    doc->acq = {.sw = 1000.0, .sf = 100.0};
    doc->valueCount = 4000;
    PeakTable& t = doc->peaks;
    for (int r = 0; r < 2; ++r) {
        t.regionStart[r] = 200 + 800 * r;
        t.regionPeaks[r] = 5 + 2 * r;
        for (int j = 0; j < t.regionPeaks[r]; ++j)
            t.peaks[t.peakCount++] = {1.0 * j, t.regionStart[r] + 20 * j};
    }
    t.regionCount = 2;
    const struct {
        int height;
        std::size_t pages;
    } cases[] = {{1 << 20, 1}, {128, 4}, {200, 2}, {16, 16}};
    for (const auto& c : cases) {
        FakeReportPrinter printer;
        printer.copies = 2;
        printer.height = c.height;
        printer.canvas.setFont({"Courier", 16});
        FakeUi ui;
        FakeEditsView view;
        PeakDialog(*doc, ui, view, view).print(printer);
        ASSERT_EQ(printer.pageStarts.size(), 2 * c.pages) << c.height;
        // Each row under its own region's FROM/TO line and header, on every page.
        std::vector<std::string> rows, expected;
        std::size_t titles = 0;
        for (std::size_t p = 0; p < printer.pageStarts.size(); ++p) {
            std::string region, header;
            for (const auto& op : printer.page(p)) {
                if (c.height >= 128)
                    EXPECT_LE(op.y0 + 16, c.height);
                if (op.y0 == 0)
                    titles += op.text == "File:lines.TVX ";
                else if (op.text.rfind("FROM:", 0) == 0)
                    region = op.text, header.clear();
                else if (op.text.find("Frecuency") != std::string::npos)
                    header = op.text;
                else if (!header.empty())
                    rows.push_back(region + op.text);
            }
        }
        EXPECT_EQ(titles, printer.pageStarts.size());
        for (int copy = 0; copy < 2; ++copy)
            for (int r = 0; r < 2; ++r)
                for (const std::string& row : peakRowLines(*doc, r))
                    expected.push_back(peakRegionLine(*doc, r) + row);
        EXPECT_EQ(rows, expected) << c.height;
    }
}

}  // namespace
}  // namespace tesvar::test
