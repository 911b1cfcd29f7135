#include "document/spectrum_document.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

#include "platform/window_port.h"

namespace tesvar {

void* SpectrumDocument::operator new(std::size_t size)
{
    if (void* p = std::calloc(1, size))
        return p;
    throw std::bad_alloc();
}

void SpectrumDocument::operator delete(void* p) noexcept
{
    std::free(p);
}

int valuesInUse(const SpectrumDocument& doc)
{
    return std::clamp<std::int32_t>(doc.valueCount, 0, kDataCapacity);
}

double undoSnapshot(SpectrumDocument& doc, bool take)
{
    const int n = valuesInUse(doc);
    if (take) {
        std::copy_n(doc.data.begin(), n, doc.undo.data.begin());
        doc.undo.maxAbsValue = doc.maxAbsValue;
        doc.undo.conjugateOnTransform = doc.conjugateOnTransform;
        doc.undo.filterDelayLayout = doc.filterDelayLayout;
        doc.undo.domain = doc.domain;
    } else {
        std::copy_n(doc.undo.data.begin(), n, doc.data.begin());
        doc.conjugateOnTransform = doc.undo.conjugateOnTransform;
        doc.filterDelayLayout = doc.undo.filterDelayLayout;
        doc.domain = doc.undo.domain;
    }
    return doc.undo.maxAbsValue;
}

double findMaxAbs(SpectrumDocument& doc)
{
    const int n = valuesInUse(doc);
    double candidate = doc.data[0];
    doc.maxAbsIndex = 0;
    for (int i = 0; i < n - 1; i += 2) {
        if (!(std::fabs(candidate) > std::fabs(doc.data[i]))) {
            candidate = doc.data[i];
            doc.maxAbsIndex = i;
        }
    }
    return candidate;
}

void updateZoomFactor(SpectrumDocument& doc)
{
    const double width = doc.viewRight - doc.viewLeft;
    if (width != 0.0 && std::isfinite(width))
        doc.zoomFactor = doc.acq.aq / width;
}

bool acquisitionIsUsable(const AcquisitionParameters& acq)
{
    return acquisitionProblem(acq) == SpectrumProblem::None;
}

void resetDocument(SpectrumDocument& doc, WindowPort& window)
{
    window.enableSpectrumCommands();
    window.setTitle("Tesvar  " + doc.fileTitle);

    doc.realAcquisition = (doc.acq.acqMode == 2 || doc.acq.acqMode == 0) ? 1 : 0;
    doc.documentLoaded = 1;
    // The readers never hand over more than the buffer holds; the bound here keeps an
    // importer's oversized count from reaching any loop.
    doc.acq.td = std::clamp<std::int32_t>(doc.acq.td, 0, kDataCapacity);
    doc.valueCount = doc.acq.td;
    doc.viewLeft = 0.0;
    doc.acq.aq = doc.acq.td / (doc.acq.sw * 2.0);

    doc.zoomFactor = 1.0;
    doc.hasSpectrum = 1;
    doc.viewRight = doc.acq.aq;
    doc.fullView = 1;
    doc.integralsShown = 0;
    doc.integrals.present = 0;
    doc.integralBaseY = doc.clientHeight / 2;

    doc.integrals.last = 0;
    doc.integrals.startNew = 1;
    doc.integrals.reference = 0;
    doc.integrals.referenceHydrogens = 1.0;
    doc.peaks.peakCount = 0;
    doc.peaks.regionCount = 0;
    doc.moveArmed = 0;
    doc.ppmOffset = 0.0;
    doc.hzOffset = 0.0;
    doc.referenceTime = 0.0;
    doc.baselineY = doc.clientHeight >> 1;
    doc.unitChecks = {1, 0, 0, 0};
    doc.windowChoice = {1, 0, 0, 0, 0};
    doc.driftCorrection = 0;
    doc.quadrature = 1;
    doc.inverseTransform = 0;
    doc.filterDelayLayout = 0;
    doc.displayUnits = DisplayUnits::Seconds;

    doc.maxAbsValue = findMaxAbs(doc);
    undoSnapshot(doc, true);
    doc.referencePoint = doc.acq.td;

    doc.measureJActive = 0;
    doc.jMarkerCount = 0;
    doc.jChainBreak = 0;
    doc.nothingToSave = 0;
}

}  // namespace tesvar
