#include "document/parameter_lines.h"

#include <cmath>
#include <cstdio>

#include "document/text_format.h"

namespace tesvar {

namespace {

std::string fixed(double value, int decimals)
{
    return std::isfinite(value) ? formatFixed(value, decimals) : std::string();
}

std::string labelled(const char* label, const std::string& value, const char* unit)
{
    return std::string(label) + " " + value + " " + unit;
}

}  // namespace

ParameterFields parameterFields(const AcquisitionParameters& acq, bool realAcquisition)
{
    ParameterFields fields;
    fields.sf = fixed(acq.sf, 3);
    fields.sw = fixed(acq.sw, 3);
    // With no frequency the ratio is infinite or undefined: the field stays empty.
    fields.swPpm = acq.sf != 0.0 ? fixed(acq.sw / acq.sf, 3) : std::string();
    fields.aq = fixed(acq.aq, 2);
    char td[16];
    std::snprintf(td, sizeof td, "%.d", static_cast<int>(acq.td));
    fields.td = td;
    fields.mode = realAcquisition ? text::kRealMode : text::kComplexMode;
    return fields;
}

std::vector<std::string> parameterLines(const ParameterFields& fields)
{
    return {
        labelled(text::kSfLabel, fields.sf, text::kMhzUnit),
        labelled(text::kSwLabel, fields.sw, text::kHzUnit) + " " + fields.swPpm + " " +
            text::kPpmUnit,
        labelled(text::kAqLabel, fields.aq, text::kSecondsUnit),
        labelled(text::kTdLabel, fields.td, text::kPointsUnit),
        std::string(text::kModeLabel) + " " + fields.mode,
    };
}

}  // namespace tesvar
