#pragma once

#include <cmath>
#include <functional>
#include <memory>

#include "document/spectrum_document.h"
#include "support/fake_analysis.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"

namespace tesvar::test {

// A spectrum made in the test: `points` complex points whose real parts follow `shape`
// (imaginary parts set to a large value, which no tool may take for data), loaded with
// the document reset, in a client area 1000 x 800, shown in ppm with SW 1000 Hz at
// 100 MHz.
class AnalysisTest : public ::testing::Test {
protected:
    void load(int points, const std::function<double(int)>& shape, double sw = 1000.0,
              double sf = 100.0)
    {
        doc->clientWidth = 1000;
        doc->clientHeight = 800;
        doc->plotRect = {0, 28, 1000, 777};
        doc->acq = {};
        doc->acq.sw = sw;
        doc->acq.sf = sf;
        doc->acq.td = 2 * points;
        doc->acq.acqMode = 1;
        for (int k = 0; k < points; ++k) {
            doc->data[2 * k] = shape(k);
            doc->data[2 * k + 1] = 1e9;
        }
        resetDocument(*doc, window);
        doc->displayUnits = DisplayUnits::Ppm;
    }

    double re(int point) const { return doc->data[2 * point]; }
    // Client x of the left edge of point p's pixel range in the current view.
    int xOfPoint(double p) const
    {
        return static_cast<int>(std::ceil((2.0 * p / doc->valueCount - doc->viewLeft / doc->acq.aq) *
                                          doc->zoomFactor * doc->clientWidth));
    }

    std::unique_ptr<SpectrumDocument> doc = std::make_unique<SpectrumDocument>();
    FakeUi ui;
    FakeWindow window;
    FakeAnalysisHost host;
};

inline double gaussian(double x, double centre, double sigma, double area)
{
    const double d = (x - centre) / sigma;
    return area / (sigma * std::sqrt(2.0 * M_PI)) * std::exp(-0.5 * d * d);
}

}  // namespace tesvar::test
