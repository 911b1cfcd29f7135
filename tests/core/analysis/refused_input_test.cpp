// The printed reports over several pages, and inputs the analysis tools refuse.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "analysis/mouse_tools.h"
#include "analysis/peak_dialog.h"
#include "analysis/peak_picking.h"
#include "analysis/referencing.h"
#include "analysis/region_selection.h"
#include "analysis/tool_commands.h"
#include "core/analysis/analysis_fixture.h"
#include "document/text_format.h"
#include "platform/command_ids.h"
#include "document/plot_geometry.h"

namespace tesvar::test {
namespace {

TEST_F(AnalysisTest, TheReportRunsOverAsManyPagesAsItNeedsEachWithItsHeadings)
{
    // Regions of 5 and 7 peaks; lines 16 units high, the heading taking two.
    load(2000, [](int k) { return k; });
    doc->fileTitle = "lines.TVX";
    PeakTable& t = doc->peaks;
    for (t.regionCount = 0; t.regionCount < 2; ++t.regionCount) {
        t.regionStart[t.regionCount] = 800 * t.regionCount;
        for (int& j = t.regionPeaks[t.regionCount]; j < 5 + 2 * t.regionCount; ++j)
            t.peaks[t.peakCount++] = {1.0 * j, 800 * t.regionCount + 20 * j};
    }
    for (auto [height, pages] : {std::pair{1 << 20, 1u}, {128, 4u}, {200, 2u}, {16, 16u}}) {
        FakeReportPrinter printer;
        printer.copies = 2;
        printer.height = height;
        printer.canvas.setFont({"Courier", 16});
        FakeEditsView view;
        PeakDialog(*doc, ui, view, view).print(printer);
        ASSERT_EQ(printer.pageStarts.size(), 2 * pages) << height;
        // Each row under its own region's FROM/TO line and header, on every page.
        std::vector<std::string> rows, expected;
        for (std::size_t p = 0; p < printer.pageStarts.size(); ++p) {
            EXPECT_EQ(printer.page(p).at(0).text, "File:lines.TVX ") << p;
            std::string region, header;
            for (const auto& op : printer.page(p)) {
                EXPECT_TRUE(op.y0 + 16 <= height || height < 128);
                if (op.text.rfind("FROM:", 0) == 0)
                    region = op.text, header.clear();
                else if (op.text.find("Frecuency") != std::string::npos)
                    header = op.text;
                else if (!header.empty())
                    rows.push_back(region + op.text);
            }
        }
        for (int r = 0; r < 4; ++r)  // two copies
            for (const std::string& row : peakRowLines(*doc, r % 2))
                expected.push_back(peakRegionLine(*doc, r % 2) + row);
        EXPECT_EQ(rows, expected) << height;
    }
}

// A threshold (0), a marker position (1) or a reference value (2) read from `typed`;
// "off" puts the region, the marker or the reference click beyond the data (aq 1 s).
struct RefusedInput : AnalysisTest {
    bool give(int input, const std::string& typed)
    {
        const bool off = typed == "off";
        const double number = off ? 1.5 : readLeadingNumber(typed);
        if (input == 0)
            return pickPeaksBetweenTimes(*doc, ui, window, off ? 1.2 : 0.1, off ? 1.6 : 0.9,
                                         off ? 1 : number);
        if (input == 1)
            return placeMarker(*doc, ui, host, number);
        doc->viewLeft = off ? 1.2 : 0.0;  // a view scrolled past the end of the data
        bool accepted = false;
        FakeEditsView view;
        ReferenceDialog dialog(*doc, ui, window, view);
        host.onReference = [&] {
            dialog.open();
            view.setText(reference_ids::NewEdit, typed);
            accepted = dialog.accept();
        };
        referenceToolCommand(*doc, window);
        MouseTools(*doc, ui, window, host).onLeftDown(270, 300, false);
        return accepted;
    }
};

TEST_F(RefusedInput, NonFiniteNumbersAndPositionsOffTheDataAreRefusedWithAMessage)
{
    for (int input = 0; input < 3; ++input) {
        for (const char* typed : {"nan", "-nan", "inf", "-inf", "1e400", "off", "0.5"}) {
            load(1000, [](int k) { return k == 400 ? 100.0 : 0.0; });
            ui.messages.clear();
            const auto state = std::make_tuple(doc->peaks.regionCount, doc->jMarkerCount,
                                               doc->ppmOffset, doc->referencePoint);
            const bool taken = give(input, typed);
            // Only the finite number on the data is taken.
            EXPECT_EQ(taken, std::string(typed) == "0.5") << input << " " << typed;
            EXPECT_EQ(ui.messages.size(), taken ? 0u : 1u) << input << " " << typed;
            if (!taken) {
                EXPECT_EQ(std::make_tuple(doc->peaks.regionCount, doc->jMarkerCount,
                                          doc->ppmOffset, doc->referencePoint), state);
            }
        }
    }
    // Before any spectrum, nothing is picked and no text shows "nan" or "inf".
    doc = std::make_unique<SpectrumDocument>();
    completeRegion(*doc, ui, window, host, cmd::PeakPicking, {100, 300, 600, 400});
    EXPECT_EQ(ui.messages.size(), 1u);
    std::vector<std::string> texts = peakListLines(*doc);
    for (int units = 1; units <= 4; ++units) {
        doc->displayUnits = static_cast<DisplayUnits>(units);
        texts.push_back(readoutText(*doc, 500));
    }
    texts.push_back(formatFixed(-std::numeric_limits<double>::quiet_NaN(), 2));
    for (const std::string& text : texts)
        EXPECT_TRUE(text.find("nan") == std::string::npos && text.find("inf") == std::string::npos)
            << text;
}

}  // namespace
}  // namespace tesvar::test
