#pragma once

#include <memory>

#include "document/spectrum_document.h"

namespace tesvar::test {

// A loaded document of `values` doubles, all zero, as the reset after a load leaves it:
// sweep width 1000 Hz at 400 MHz, quadrature data, the Fourier options of a fresh load.
inline std::unique_ptr<SpectrumDocument> makeLoadedDocument(int values)
{
    auto doc = std::make_unique<SpectrumDocument>();
    doc->valueCount = values;
    doc->acq.td = values;
    doc->acq.sw = 1000.0;
    doc->acq.sf = 400.0;
    doc->acq.acqMode = 1;
    doc->acq.aq = values / (2.0 * doc->acq.sw);
    doc->referencePoint = values;
    doc->quadrature = 1;
    doc->hasSpectrum = 1;
    return doc;
}

}  // namespace tesvar::test
