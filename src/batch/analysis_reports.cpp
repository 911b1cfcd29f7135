#include "batch/analysis_reports.h"

#include <algorithm>

#include "analysis/coupling.h"
#include "analysis/peak_picking.h"
#include "document/integral_label.h"
#include "document/spectrum_document.h"

namespace tesvar::batch {

namespace {

// The integrals the plot shows: 0..last while any exist.
int integralsShown(const SpectrumDocument& doc)
{
    return doc.integralsShown == 1 ? std::clamp(doc.integrals.last + 1, 0, kMaxIntegrals) : 0;
}

}  // namespace

std::vector<std::string> integralReportLines(const SpectrumDocument& doc)
{
    std::vector<std::string> lines;
    for (int i = 0; i < integralsShown(doc); ++i)
        lines.push_back(integralLabelText(doc.integrals, i));
    return lines;
}

void writeIntegralsJson(const SpectrumDocument& doc, JsonWriter& json)
{
    const IntegralTable& t = doc.integrals;
    json.beginObject();
    json.key("reference").value(t.reference);
    json.key("referenceHydrogens").value(t.referenceHydrogens);
    json.key("integrals").beginArray();
    for (int i = 0; i < integralsShown(doc); ++i) {
        json.beginObject();
        json.key("start").value(t.start[i]);
        json.key("end").value(t.end[i]);
        json.key("value").value(t.value[i]);
        json.key("label");
        if (const auto label = integralLabelValue(t, i))
            json.value(*label);
        else
            json.null();
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

void writePeaksJson(const SpectrumDocument& doc, JsonWriter& json)
{
    const PeakTable& t = doc.peaks;
    json.beginObject();
    json.key("threshold").value(t.lastThreshold);
    json.key("regions").beginArray();
    int peak = 0;
    for (int r = 0; r < std::min(t.regionCount, kMaxPeakRegions); ++r) {
        json.beginObject();
        json.key("start").value(t.regionStart[r]);
        json.key("end").value(t.regionEnd[r]);
        json.key("fromPpm").value(peakPpm(doc, t.regionStart[r]));
        json.key("toPpm").value(peakPpm(doc, t.regionEnd[r]));
        json.key("peaks").beginArray();
        for (int j = 1; j <= t.regionPeaks[r] && peak < t.peakCount; ++j, ++peak) {
            const PeakRecord& p = t.peaks[peak];
            json.beginObject();
            json.key("number").value(j);
            json.key("index").value(p.index);
            json.key("hz").value(peakHertz(doc, p.index));
            json.key("ppm").value(peakPpm(doc, p.index));
            json.key("value").value(p.value);
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

void writeCouplingJson(const SpectrumDocument& doc, JsonWriter& json)
{
    const int markers = std::clamp(doc.jMarkerCount, 0, kMaxJMarkers);
    json.beginObject();
    json.key("markers").beginArray();
    for (int i = 0; i < markers; ++i)
        json.value(doc.jMarkers[i]);
    json.endArray();
    json.key("lines").beginArray();
    for (int i = 1; i < markers; ++i) {
        json.beginObject();
        json.key("from").value(i - 1);
        json.key("to").value(i);
        json.key("hz").value(couplingBetween(doc, i - 1, i));
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

}  // namespace tesvar::batch
