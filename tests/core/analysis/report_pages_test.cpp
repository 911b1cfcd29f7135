#include <gtest/gtest.h>

#include "analysis/peak_dialog.h"
#include "analysis/peak_picking.h"
#include "core/analysis/analysis_fixture.h"

namespace tesvar::test {
namespace {

class ReportPages : public AnalysisTest {
protected:
    // Two regions of 5 and 7 peaks, one every 10 points.
    void SetUp() override
    {
        load(1000, [](int) { return 0.0; });
        doc->fileTitle = "lines.TVX";
        PeakTable& t = doc->peaks;
        const int counts[2] = {5, 7};
        for (int r = 0; r < 2; ++r) {
            t.regionStart[r] = 200 + 800 * r;
            t.regionEnd[r] = 900 + 800 * r;
            t.regionPeaks[r] = counts[r];
            for (int j = 0; j < counts[r]; ++j)
                t.peaks[t.peakCount++] = {10.0 * j + r, t.regionStart[r] + 20 * (j + 1)};
        }
        t.regionCount = 2;
    }
};

TEST_F(ReportPages, TheReportRunsOverAsManyPagesAsItNeedsEachWithItsHeadings)
{
    // Lines are 16 units high; the heading takes two.
    const struct {
        int height;
        std::size_t pages;
    } cases[] = {{1 << 20, 1}, {128, 4}, {200, 2}, {16, 16}};
    const std::string title = "File:lines.TVX ";
    for (const auto& c : cases) {
        FakeReportPrinter printer;
        printer.copies = 2;
        printer.height = c.height;
        printer.canvas.setFont({"Courier", 16});
        ui.messages.clear();
        FakeEditsView view;
        PeakDialog dialog(*doc, ui, view, view);
        dialog.print(printer);
        EXPECT_TRUE(ui.messages.empty());
        ASSERT_EQ(printer.pageStarts.size(), 2 * c.pages) << c.height;
        EXPECT_EQ(printer.pagesEnded, static_cast<int>(2 * c.pages));

        std::vector<std::string> rowsPrinted;
        for (std::size_t p = 0; p < printer.pageStarts.size(); ++p) {
            const auto ops = printer.page(p);
            ASSERT_GE(ops.size(), 2u);
            EXPECT_EQ(ops[0].text, title);
            EXPECT_EQ(ops[0].y0, 0);
            int region = -1;
            bool header = false;
            for (std::size_t i = 1; i < ops.size(); ++i) {
                if (c.height >= 128)
                    EXPECT_LE(ops[i].y0 + 16, c.height) << c.height << " page " << p;
                if (ops[i].text.rfind("FROM:", 0) == 0) {
                    region = ops[i].text == peakRegionLine(*doc, 0) ? 0 : 1;
                    header = false;
                    continue;
                }
                if (ops[i].text.find("Peak") != std::string::npos) {
                    header = true;
                    continue;
                }
                // Each row is printed under its own region's FROM/TO line and header.
                ASSERT_TRUE(region >= 0 && header) << c.height << " page " << p;
                const auto rows = peakRowLines(*doc, region);
                EXPECT_NE(std::find(rows.begin(), rows.end(), ops[i].text), rows.end());
                rowsPrinted.push_back(ops[i].text);
            }
        }
        std::vector<std::string> rows = peakRowLines(*doc, 0);
        for (const std::string& row : peakRowLines(*doc, 1))
            rows.push_back(row);
        const auto copyOfRows = rows;
        rows.insert(rows.end(), copyOfRows.begin(), copyOfRows.end());
        EXPECT_EQ(rowsPrinted, rows) << "every row once per copy, in order; page height " << c.height;
    }
}

}  // namespace
}  // namespace tesvar::test
