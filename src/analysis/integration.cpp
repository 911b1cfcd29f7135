#include "analysis/integration.h"

#include <algorithm>
#include <cmath>

#include "document/spectrum_document.h"
#include "document/truncation.h"
#include "platform/ui.h"
#include "platform/window_port.h"
#include "document/plot_geometry.h"

namespace tesvar {

namespace {

// The last point whose real part is one of the values in use; -1 when there is none.
std::int64_t lastPointInUse(const SpectrumDocument& doc)
{
    const std::int64_t inUse = std::clamp<std::int64_t>(doc.valueCount, 0, kDataCapacity);
    return inUse > 0 ? (inUse - 1) / 2 : -1;
}

double realValue(const SpectrumDocument& doc, std::int64_t point)
{
    return doc.data[static_cast<std::size_t>(2 * point)];
}

// Mean of the real values of points from..to, kept within the points in use.
double windowMean(const SpectrumDocument& doc, std::int64_t from, std::int64_t to)
{
    from = std::max<std::int64_t>(from, 0);
    to = std::min(to, lastPointInUse(doc));
    if (to < from)
        return 0.0;
    double sum = 0.0;
    for (std::int64_t p = from; p <= to; ++p)
        sum += realValue(doc, p);
    return sum / static_cast<double>(to - from + 1);
}

int lastIndex(const IntegralTable& table) { return std::min(table.last, kMaxIntegrals - 1); }

void copyEntry(IntegralTable& t, int to, int from)
{
    t.value[to] = t.value[from];
    t.start[to] = t.start[from];
    t.end[to] = t.end[from];
    t.labelLeft[to] = t.labelLeft[from];
    t.labelRight[to] = t.labelRight[from];
}

}  // namespace

std::int64_t evenPoint(double position) { return evenIndex(truncatedPosition(position)); }

SummedPoints summedPoints(const SpectrumDocument& doc, double start, double end)
{
    return {std::max<std::int64_t>(evenPoint(start), 0),
            std::min(evenPoint(end), lastPointInUse(doc))};
}

double integralBaseline(const SpectrumDocument& doc, int k)
{
    const IntegralTable& table = doc.integrals;
    if (k < 0 || k >= kMaxIntegrals)
        return 0.0;
    const SummedPoints points = summedPoints(doc, table.start[k], table.end[k]);
    const std::int64_t a = points.first;
    const std::int64_t b = points.last;
    const std::int64_t n = b - a;
    if (n < 1)
        return 0.0;
    const double left = windowMean(doc, a, a + 4);
    const double right = windowMean(doc, b - 4, b);
    const double slope = (right - left) / static_cast<double>(n);
    // The end point b is not part of the sum: one term fewer than the data sum.
    double sum = 0.0;
    for (std::int64_t i = a; i < b; ++i)
        sum += left + slope * static_cast<double>(i - a);
    return sum;
}

bool integrateRegion(SpectrumDocument& doc, Ui& ui, double start, double end, bool startNew)
{
    IntegralTable& table = doc.integrals;
    if (end < start)
        std::swap(start, end);
    const SummedPoints points = summedPoints(doc, start, end);
    if (points.last < points.first) {
        ui.message(text::kRegionOutsideData, text::kIntegralRefusedCaption, Buttons::Ok,
                   Icon::Error);
        return false;
    }
    if (startNew)
        table.count = 0;
    if (table.count >= kMaxIntegrals) {
        ui.message(text::kTooManyIntegralsText, text::kTooManyIntegralsCaption, Buttons::Ok,
                   Icon::None, Owner::None);
        return false;
    }
    const int k = std::max(table.count, 0);
    table.last = k;
    doc.integralsShown = 1;
    table.start[k] = start;
    table.end[k] = end;

    double sum = 0.0;
    for (std::int64_t p = points.first; p <= points.last; ++p)
        sum += realValue(doc, p);
    table.value[k] = sum - integralBaseline(doc, k);

    table.count = k + 1;
    table.present = 1;
    return true;
}

bool hitTestIntegral(IntegralTable& table, int x)
{
    if (table.present == 0)
        return false;
    for (int i = 0; i <= lastIndex(table); ++i) {
        if (table.labelLeft[i] <= x && x <= table.labelRight[i]) {
            table.previousReference = table.reference;
            table.reference = i;
            return true;
        }
    }
    return false;
}

void deleteReferenceIntegral(SpectrumDocument& doc)
{
    IntegralTable& table = doc.integrals;
    const int deleted = std::clamp(table.reference, 0, kMaxIntegrals - 1);
    for (int i = deleted; i < lastIndex(table); ++i)
        copyEntry(table, i, i + 1);

    // The reference in force before the click, followed into its new slot: an
    // integral after the deleted one has moved down by one.
    int reference = table.previousReference;
    if (reference > deleted)
        --reference;
    if (table.count >= 1) {
        --table.last;
        --table.count;
    }
    // The deleted integral was the reference and none moved into its slot: the first
    // integral takes its place, rather than a slot that no integral occupies.
    if (reference > table.last || reference < 0)
        reference = 0;
    table.reference = reference;

    if (table.count <= 0) {
        table.count = 0;
        doc.integralsShown = 0;
        table.present = 0;
        table.reference = 0;
        table.referenceHydrogens = 1.0;
        table.startNew = 1;
    }
}

void deleteAllIntegrals(SpectrumDocument& doc, WindowPort& window)
{
    doc.integrals.count = 0;
    deleteReferenceIntegral(doc);
    window.invalidatePlot();
}

void increaseIntegrals(SpectrumDocument& doc, WindowPort& window)
{
    doc.integralScale *= doc.integralStep;
    window.invalidatePlot();
}

void decreaseIntegrals(SpectrumDocument& doc, WindowPort& window)
{
    doc.integralScale /= doc.integralStep;
    window.invalidatePlot();
}

}  // namespace tesvar
