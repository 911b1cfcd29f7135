#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "render/baseline_curve.h"
#include "render/plot_style.h"
#include "render/screen_plot.h"
#include "render_fixture.h"

namespace tesvar {
namespace {

// A baseline equal to the real parts lies on the trace, zoomed in or not: each of its
// vertices is one of the trace's, and it has one per pixel column.
TEST(BaselineCurve, LiesOnTheTraceOnePointPerColumn)
{
    auto doc = test::loadedSpectrum(8192, 1000.0, 400.0, 640, 480,
                                    [](int i) { return 100.0 * std::sin(i * 0.01); });
    std::vector<double> baseline(4096);
    for (int k = 0; k < 4096; ++k)
        baseline[k] = doc->data[2 * k];
    for (auto [from, to] : {std::pair{0.0, 8192.0}, std::pair{3000.0, 3400.0}}) {
        test::showElements(*doc, from, to);
        test::RecordingCanvas canvas;
        renderPlot(*doc, canvas);
        std::set<std::pair<int, int>> trace;
        for (const auto& op : test::linesInPen(canvas, tracePen))
            trace.insert({op.x1, op.y1});
        canvas.ops.clear();
        drawBaselineCurve(*doc, canvas, baseline);
        const auto curve = canvas.lines();
        ASSERT_GT(curve.size(), 100u);
        for (const auto& op : curve) {
            EXPECT_TRUE(trace.count({op.x1, op.y1})) << op.x1 << "," << op.y1;
            EXPECT_GT(op.x1, op.x0);
        }
    }
}

}  // namespace
}  // namespace tesvar
