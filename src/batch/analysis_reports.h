#pragma once

#include <string>
#include <vector>

#include "batch/json_writer.h"

namespace tesvar {
struct SpectrumDocument;
}

namespace tesvar::batch {

// report integrals: the labels as the plot shows them, one line per integral; JSON
// {reference, referenceHydrogens, integrals: [{start, end, value, label}]}, start and
// end in fractional point numbers, label null where the plot shows no number.
std::vector<std::string> integralReportLines(const SpectrumDocument& doc);
void writeIntegralsJson(const SpectrumDocument& doc, JsonWriter& json);

// report peaks: the lines of the peak report dialog's list; JSON {threshold, regions:
// [{start, end, fromPpm, toPpm, peaks: [{number, index, hz, ppm, value}]}]}, start,
// end and index as element indexes.
void writePeaksJson(const SpectrumDocument& doc, JsonWriter& json);

// report j: one "J i-k=..." line per pair of consecutive markers (couplingLines); JSON
// {markers: [time coordinates], lines: [{from, to, hz}]}.
void writeCouplingJson(const SpectrumDocument& doc, JsonWriter& json);

}  // namespace tesvar::batch
