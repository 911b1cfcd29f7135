#include "analysis/data_points.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "analysis/edits_view.h"
#include "document/spectrum_document.h"
#include "document/text_format.h"

namespace tesvar {

namespace {

// trunc(x) as an int, kept within -1..capacity + 1 so that limits scrolled far beyond
// the data (or not numbers at all) cannot overflow the conversion.
int truncatedIndex(double x)
{
    if (std::isnan(x))
        return -1;
    return static_cast<int>(std::clamp(std::trunc(x), -1.0, kDataCapacity + 1.0));
}

}  // namespace

DataPointRange dataPointRange(const SpectrumDocument& doc)
{
    DataPointRange range;
    const double aq = doc.acq.aq;
    if (!(aq > 0.0) || !std::isfinite(aq))
        return range;
    const double perSecond = doc.valueCount / aq;
    int first = truncatedIndex(perSecond * doc.viewLeft);
    if (first % 2 != 0)
        first -= 1;  // start on the real part of that point
    const int last = truncatedIndex(perSecond * doc.viewRight);

    const int count = valuesInUse(doc);
    range.first = std::max(first, 0);
    range.last = std::min(last, count - 1);
    return range;
}

std::string dataPointLine(int pointNumber, double value)
{
    char number[16];
    std::snprintf(number, sizeof number, "%5d  ", pointNumber);
    return number + formatFixed(value, 3);
}

std::vector<std::string> dataPointLines(const SpectrumDocument& doc)
{
    const DataPointRange range = dataPointRange(doc);
    std::vector<std::string> lines;
    for (int i = range.first; i <= range.last; i += 2)
        lines.push_back(dataPointLine(i / 2, doc.data[i]));
    return lines;
}

void showDataPoints(const SpectrumDocument& doc, ListView& list)
{
    for (const std::string& line : dataPointLines(doc))
        list.appendLine(line);
}

}  // namespace tesvar
