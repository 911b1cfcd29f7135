#pragma once

#include <cmath>
#include <memory>

#include "document/spectrum_document.h"

namespace tesvar::bench {

// `values` values (by default the document's capacity, 524,288 complex points): a few
// Lorentzian lines over noise, shown whole on a full-HD client area.
inline std::unique_ptr<tesvar::SpectrumDocument> largestSpectrum(int values = tesvar::kDataCapacity)
{
    auto doc = std::make_unique<tesvar::SpectrumDocument>();
    const int n = values;
    for (int i = 0; i < n; i += 2) {
        const double k = i / 2;
        double v = 0.01 * std::sin(0.731 * k);
        for (double place : {0.137, 0.32, 0.5, 0.717}) {
            const double centre = place * n / 2;
            v += 1.0 / (1.0 + (k - centre) * (k - centre) / 25.0);
        }
        doc->data[i] = v;
        doc->data[i + 1] = 0.0;
    }
    doc->valueCount = n;
    doc->acq.td = n;
    doc->acq.sw = 6000.0;
    doc->acq.sf = 400.13;
    doc->acq.aq = n / (2 * doc->acq.sw);
    doc->viewLeft = 0.0;
    doc->viewRight = doc->acq.aq;
    doc->zoomFactor = 1.0;
    doc->clientWidth = 1920;
    doc->clientHeight = 1080;
    doc->baselineY = 540;
    doc->integralBaseY = 540;
    doc->maxAbsValue = tesvar::findMaxAbs(*doc);
    doc->referencePoint = n;
    doc->displayUnits = tesvar::DisplayUnits::Ppm;
    doc->hasSpectrum = 1;
    return doc;
}

}  // namespace tesvar::bench
