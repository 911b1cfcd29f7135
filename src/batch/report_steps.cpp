// report KIND text|json [PATH]: the lines a view shows, or its values as JSON, written
// to PATH or to standard output.
#include "batch/report_steps.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "analysis/coupling.h"
#include "analysis/data_points.h"
#include "analysis/peak_picking.h"
#include "batch/analysis_reports.h"
#include "batch/batch_each.h"
#include "batch/step_table.h"
#include "document/parameter_lines.h"
#include "document/spectrum_document.h"
#include "document/text_format.h"

namespace tesvar::batch {

void writeParamsJson(const SpectrumDocument& doc, JsonWriter& json)
{
    json.beginObject();
    json.key("sf").value(doc.acq.sf);
    json.key("sw").value(doc.acq.sw);
    json.key("td").value(doc.acq.td);
    json.key("aq").value(doc.acq.aq);
    json.key("acqMode").value(static_cast<std::int32_t>(doc.acq.acqMode));
    json.key("valueCount").value(doc.valueCount);
    json.key("realAcquisition").value(doc.realAcquisition);
    json.key("maxAbsValue").value(doc.maxAbsValue);
    json.key("maxAbsIndex").value(doc.maxAbsIndex);
    json.key("referencePoint").value(doc.referencePoint);
    json.key("displayUnits").value(static_cast<std::int32_t>(doc.displayUnits));
    json.key("phase0").value(doc.phase0);
    json.key("phase1").value(doc.phase1);
    json.endObject();
}

void writePointsJson(const SpectrumDocument& doc, JsonWriter& json)
{
    const int n = valuesInUse(doc);
    json.beginObject();
    json.key("valueCount").value(doc.valueCount);
    json.key("values").beginArray();
    for (int i = 0; i < n; ++i)
        json.value(doc.data[i]);
    json.endArray();
    json.endObject();
}

const std::vector<ReportDefinition>& reportTable()
{
    static const std::vector<ReportDefinition> table = {
        {"params",
         [](const SpectrumDocument& doc) {
             auto lines = parameterLines(parameterFields(doc.acq, doc.realAcquisition != 0));
             // The phase angles in use, as the phase dialog's edits name them.
             lines.push_back("Phase Order 0: " + formatFixed(doc.phase0, 2));
             lines.push_back("Phase Order 1: " + formatFixed(doc.phase1, 2));
             return lines;
         },
         writeParamsJson},
        {"points", dataPointLines, writePointsJson},
        {"integrals", integralReportLines, writeIntegralsJson},
        {"peaks", peakListLines, writePeaksJson},
        {"j", couplingLines, writeCouplingJson},
    };
    return table;
}

namespace {

const ReportDefinition* findReport(const std::string& name)
{
    for (const auto& report : reportTable())
        if (report.name == name)
            return &report;
    return nullptr;
}

std::string reportNames()
{
    std::string names;
    for (const auto& report : reportTable())
        names += (names.empty() ? "" : "|") + report.name;
    return names;
}

std::string render(const ReportDefinition& report, bool asJson, const SpectrumDocument& doc)
{
    std::ostringstream text;
    if (asJson) {
        JsonWriter json(text);
        report.json(doc, json);
        text << '\n';
    } else {
        for (const auto& line : report.textLines(doc))
            text << line << '\n';
    }
    return text.str();
}

bool writeReport(BatchSession& s, const std::string& text, const std::string& path)
{
    if (path.empty()) {
        s.out << text;
        s.out.flush();
        return static_cast<bool>(s.out) || s.fail("cannot write the report to standard output");
    }
    const std::string full = s.fullPath(path);
    std::ofstream file(full, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file)
        return s.fail("cannot write the report to " + full);
    return true;
}

StepParse parseReport(StepArgs& args)
{
    const auto kind = args.next();
    const ReportDefinition* report = kind ? findReport(*kind) : nullptr;
    if (!report)
        return parseError("report needs a kind: " + reportNames());
    const auto format = args.next();
    if (!format || (*format != "text" && *format != "json"))
        return parseError("report " + report->name + " needs a format: text|json");
    const bool asJson = *format == "json";
    const auto given = args.nextUnlessStep();
    if (given && given->empty())
        return parseError("report " + report->name + ": the PATH is empty");
    const std::string path = given.value_or("");
    return parsed([report, asJson, path](BatchSession& s) {
        const std::string text = render(*report, asJson, s.doc);
        if (path.empty() && !s.source.empty())
            return writeReport(s, sourcedReport(s.source, report->name, asJson, text), path);
        return writeReport(s, text, path);
    });
}

}  // namespace

void addReportSteps(StepTable& table)
{
    StepDefinition step;
    step.name = "report";
    step.arguments = reportNames() + " text|json [PATH]";
    step.needsSpectrum = true;
    step.parse = parseReport;
    table.add(std::move(step));
}

}  // namespace tesvar::batch
