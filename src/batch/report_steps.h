#pragma once

#include <functional>
#include <string>
#include <vector>

#include "batch/json_writer.h"

namespace tesvar {
struct SpectrumDocument;
}

namespace tesvar::batch {

// One kind of `report`: the lines the application shows for it, and its values as one
// JSON object.
struct ReportDefinition {
    std::string name;
    std::function<std::vector<std::string>(const SpectrumDocument&)> textLines;
    std::function<void(const SpectrumDocument&, JsonWriter&)> json;
};

// The kinds `report` knows, in the order the usage lists them.
const std::vector<ReportDefinition>& reportTable();

// params: the acquisition parameters and the document values derived from them.
void writeParamsJson(const SpectrumDocument& doc, JsonWriter& json);
// points: every value in use.
void writePointsJson(const SpectrumDocument& doc, JsonWriter& json);

}  // namespace tesvar::batch
