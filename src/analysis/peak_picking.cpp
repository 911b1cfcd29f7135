#include "analysis/peak_picking.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "analysis/analysis_text.h"
#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "platform/ui.h"
#include "platform/window_port.h"
#include "document/plot_geometry.h"

namespace tesvar {

namespace {

// The scan over one region. Candidates go into the table after its last record; the
// scan stops early when the table has no room for one more.
class PeakScan {
public:
    PeakScan(SpectrumDocument& doc, double threshold)
        : doc(doc), inUse(valuesInUse(doc)), limit(std::fabs(threshold))
    {
    }

    // Returns false when the table overflowed.
    bool run(std::int64_t lo, std::int64_t hi);
    int found = 0;
    // The last candidate was recorded where the region ends, searching or still
    // rising: it marks the end of the scan rather than a peak.
    bool endedOnCandidate = false;

private:
    // Magnitude of element j; values beyond the last one in use count as zero.
    double mag(std::int64_t j) const
    {
        return j >= 0 && j < inUse ? std::fabs(doc.data[static_cast<std::size_t>(j)]) : 0.0;
    }
    bool anyAhead(std::int64_t i, bool greater) const
    {
        const double here = mag(i);
        for (int step = 2; step <= 6; step += 2) {
            const double ahead = mag(i + step);
            if (greater ? ahead > here : ahead < here)
                return true;
        }
        return false;
    }
    bool record(std::int64_t i)
    {
        PeakTable& t = doc.peaks;
        const int slot = t.peakCount + found;
        if (slot >= kMaxPeaks)
            return false;
        t.peaks[slot] = {doc.data[static_cast<std::size_t>(i)], static_cast<std::int32_t>(i)};
        ++found;
        return true;
    }
    bool recordEnd(std::int64_t i)
    {
        endedOnCandidate = true;
        return record(i);
    }

    SpectrumDocument& doc;
    std::int64_t inUse;
    double limit;
};

bool PeakScan::run(std::int64_t lo, std::int64_t hi)
{
    const std::int64_t stop = hi - 2;
    if (!(stop > lo))
        return true;
    std::int64_t i = lo;
    for (;;) {
        // Search: the first value that reaches the threshold.
        i += 2;
        if (i >= stop)
            return recordEnd(i);
        while (mag(i) < limit) {
            i += 2;
            if (i >= stop)
                return recordEnd(i);
        }
        // Climb while one of the next three values is larger. Reaching the end of the
        // region on a top is still a peak; reaching it still rising is not.
        while (anyAhead(i, true)) {
            i += 2;
            if (i >= stop)
                return anyAhead(i, true) ? recordEnd(i) : record(i);
        }
        if (!record(i))
            return false;
        // Descend while one of the next three values is smaller.
        while (anyAhead(i, false)) {
            i += 2;
            if (i >= stop)
                return true;
        }
    }
}

}  // namespace

double peakHertz(const SpectrumDocument& doc, std::int64_t index)
{
    const double f = static_cast<double>(index) / doc.valueCount;
    return doc.acq.sw - doc.acq.sw * f + doc.hzOffset;
}

double peakPpm(const SpectrumDocument& doc, std::int64_t index)
{
    const double f = static_cast<double>(index) / doc.valueCount;
    return (doc.acq.sw - doc.acq.sw * f) / doc.acq.sf + doc.ppmOffset;
}

bool pickPeaks(SpectrumDocument& doc, Ui& ui, std::int64_t lo, std::int64_t hi, double threshold)
{
    PeakTable& t = doc.peaks;
    if (t.regionCount >= kMaxPeakRegions) {
        ui.message(text::kTooManyPeakRegions, text::kPeakTableFullCaption, Buttons::Ok,
                   Icon::Error);
        return false;
    }
    if (hi < lo)
        std::swap(lo, hi);
    // Even bounds, within the real values in use.
    const std::int64_t lastReal = std::max<std::int64_t>(evenIndex(valuesInUse(doc) - 1), 0);
    lo = std::clamp<std::int64_t>(evenIndex(lo), 0, lastReal);
    hi = std::clamp<std::int64_t>(evenIndex(hi), 0, lastReal);

    PeakScan scan(doc, threshold);
    if (!scan.run(lo, hi)) {
        ui.message(text::kTooManyPeaks, text::kPeakTableFullCaption, Buttons::Ok, Icon::Error);
        return false;
    }

    t.lastThreshold = threshold;
    const int r = t.regionCount;
    t.regionStart[r] = static_cast<std::int32_t>(lo);
    t.regionEnd[r] = static_cast<std::int32_t>(hi);
    // A candidate recorded at the end of the region is not a peak; a peak found before
    // the region ends on a falling slope is kept.
    const int kept = scan.endedOnCandidate ? scan.found - 1 : scan.found;
    t.peakCount += kept;
    t.regionPeaks[r] = kept;
    t.regionCount = r + 1;
    return true;
}

bool pickPeaksAndReport(SpectrumDocument& doc, Ui& ui, WindowPort& window, std::int64_t lo,
                        std::int64_t hi, double threshold)
{
    if (!pickPeaks(doc, ui, lo, hi, threshold))
        return false;
    window.sendCommand(cmd::EditPeaks);
    return true;
}

int firstPeakOfRegion(const SpectrumDocument& doc, int region)
{
    int first = 0;
    for (int r = 0; r < region && r < kMaxPeakRegions; ++r)
        first += doc.peaks.regionPeaks[r];
    return first;
}

std::string thresholdText(double threshold) { return formatPadded(threshold, 8, 2); }

std::string peakRegionLine(const SpectrumDocument& doc, int region)
{
    const PeakTable& t = doc.peaks;
    return "FROM:" + formatPadded(peakPpm(doc, t.regionStart[region]), 7, 2) + " ppm   TO:" +
           formatPadded(peakPpm(doc, t.regionEnd[region]), 7, 2) + " ppm";
}

std::vector<std::string> peakRowLines(const SpectrumDocument& doc, int region)
{
    const PeakTable& t = doc.peaks;
    std::vector<std::string> rows;
    const int first = firstPeakOfRegion(doc, region);
    for (int j = 1; j <= t.regionPeaks[region] && first + j - 1 < t.peakCount; ++j) {
        const PeakRecord& p = t.peaks[first + j - 1];
        rows.push_back(formatPadded(j, 6) + "    " + formatPadded(peakHertz(doc, p.index), 10, 2) +
                       "    " + formatPadded(peakPpm(doc, p.index), 9, 2) + "     " +
                       formatPadded(p.value, 10, 3));
    }
    return rows;
}

std::vector<std::string> peakListLines(const SpectrumDocument& doc)
{
    std::vector<std::string> lines;
    for (int r = 0; r < std::min(doc.peaks.regionCount, kMaxPeakRegions); ++r) {
        lines.emplace_back(" ");
        lines.push_back(peakRegionLine(doc, r));
        lines.emplace_back(" ");
        for (std::string& row : peakRowLines(doc, r))
            lines.push_back(std::move(row));
    }
    return lines;
}

}  // namespace tesvar
