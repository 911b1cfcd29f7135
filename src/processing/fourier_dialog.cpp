#include "processing/fourier_dialog.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "document/spectrum_document.h"
#include "platform/ui.h"
#include "processing/fft.h"
#include "processing/fourier.h"

namespace tesvar {

std::vector<std::string> transformSizeEntries()
{
    std::vector<std::string> entries;
    for (int i = 0; i < kTransformSizeCount; ++i)
        entries.push_back(std::to_string(kSmallestTransform << i));
    return entries;
}

int roundedTransformSize(int values)
{
    int size = kSmallestTransform;
    while (size < values && size < kLargestTransform)
        size *= 2;
    return size;
}

FourierDialog::FourierDialog(SpectrumDocument& doc, Ui& ui, FourierView& view)
    : doc(doc), ui(ui), view(view)
{
}

void FourierDialog::open()
{
    undoSnapshot(doc, true);
    view.setChecked(fourier_ids::Real, doc.realAcquisition != 0);
    view.setChecked(fourier_ids::DriftCorrection, doc.driftCorrection != 0);
    view.setChecked(fourier_ids::Quadrature, doc.quadrature != 0);
    view.setChecked(fourier_ids::Inverse, doc.inverseTransform != 0);
    view.fillSizeList(transformSizeEntries());
    savedValueCount = doc.valueCount;
    const int size = roundedTransformSize(doc.valueCount);
    resize(size);
    // The largest size cuts a longer signal to its first 262144 points; the acquired size
    // is then kept for the Parameters dialog.
    if (size != kLargestTransform)
        doc.acq.td = size;
    view.showSize(doc.valueCount);
}

// Values added beyond the data the dialog opened with are zero, in the data and in the
// undo snapshot, so that a transform of the larger size is a zero-filled one (never one
// of leftovers of an earlier spectrum) and Undo after it gives back the FID followed by
// zeros. Values below that extent, cut off by a smaller choice, come back unchanged
// with a larger one or with Cancel.
void FourierDialog::resize(int values)
{
    const int from = std::clamp(std::max(doc.valueCount, savedValueCount), 0, kDataCapacity);
    const int to = std::clamp(values, 0, kDataCapacity);
    for (int i = from; i < to; ++i) {
        doc.data[i] = 0.0;
        doc.undo.data[i] = 0.0;
    }
    doc.valueCount = values;
}

void FourierDialog::sizeChosen(int index)
{
    if (index < 0 || index >= kTransformSizeCount)
        return;
    const int size = kSmallestTransform << index;
    view.showSize(size);
    resize(size);
    doc.referencePoint = size;
    if (size == kLargestTransform) {
        doc.hScrollMax = size - 1;
        if (!view.setMainScrollRange(0, size - 1))
            ui.message("ERROR", "", Buttons::Ok, Icon::None);
    }
}

void FourierDialog::accept()
{
    doc.realAcquisition = view.isChecked(fourier_ids::Real) ? 1 : 0;
    doc.driftCorrection = view.isChecked(fourier_ids::DriftCorrection) ? 1 : 0;
    doc.quadrature = view.isChecked(fourier_ids::Quadrature) ? 1 : 0;
    doc.inverseTransform = view.isChecked(fourier_ids::Inverse) ? 1 : 0;
    if (!runFourierTransform(doc, savedValueCount))
        ui.message(text::kFilterDelayKept, text::kFourierCaption, Buttons::Ok,
                   Icon::Information);
}

void FourierDialog::cancel()
{
    doc.valueCount = savedValueCount;
    doc.acq.td = savedValueCount;
    doc.referencePoint = savedValueCount;
    doc.hScrollMax = savedValueCount;
}

bool runFourierTransform(SpectrumDocument& doc, int acquiredValues)
{
    const std::span<double> data(doc.data);
    const int n = valuesInUse(doc);
    // The first point is averaged with the last to reduce the baseline offset.
    averageFirstPoint(data, n);
    if (doc.driftCorrection)
        correctDrift(data, n, acquiredValues);
    const bool inverse = doc.inverseTransform != 0;
    if (inverse) {
        doc.displayUnits = DisplayUnits::Seconds;
        doc.unitChecks = {1, 0, 0, 0};
        doc.transformSign = -1;
    } else {
        doc.displayUnits = DisplayUnits::Ppm;
        doc.unitChecks = {0, 1, 0, 0};
        doc.transformSign = 1;
    }
    if (doc.quadrature && !inverse)
        alternateSigns(data, n);

    // The time-domain data keep the digital filter's delay as acquired; only a complex
    // spectrum is free of it, and an inverse run puts it back the way the forward run
    // took it out.
    const double delay = doc.digitalFilterDelay;
    const bool hasDelay = delay != 0.0 && std::isfinite(delay);
    const int removedIn = doc.filterDelayLayout;
    doc.filterDelayLayout = 0;
    bool delayRemoved = true;
    if (doc.realAcquisition) {
        realFft(data, n, doc.transformSign);
        delayRemoved = inverse || !hasDelay;
    } else {
        if (doc.conjugateOnTransform)
            conjugateData(data, n);
        doc.conjugateOnTransform = 0;
        const int points = n / 2;
        if (inverse && removedIn != 0)
            applyFilterDelay(data, points, delay, -1, static_cast<SpectrumLayout>(removedIn));
        complexFft(data, points, doc.transformSign);
        if (!inverse && hasDelay) {
            const auto layout =
                doc.quadrature ? SpectrumLayout::Centred : SpectrumLayout::ZeroFirst;
            applyFilterDelay(data, points, delay, 1, layout);
            doc.filterDelayLayout = static_cast<std::int32_t>(layout);
        }
    }

    doc.domain = inverse ? DataDomain::Time : DataDomain::Frequency;
    if (inverse) {
        doc.inverseTransform = 0;
        doc.quadrature = 0;
    } else {
        doc.inverseTransform = 1;
        doc.quadrature = 0;
        doc.realAcquisition = 0;
    }
    doc.maxAbsValue = findMaxAbs(doc);
    return delayRemoved;
}

}  // namespace tesvar
