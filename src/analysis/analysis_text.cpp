#include "analysis/analysis_text.h"

#include <cmath>
#include <string>

#include "document/spectrum_document.h"

#include "document/text_format.h"
#include "processing/dialog_text.h"

namespace tesvar {

namespace {

constexpr std::size_t kEditTextLimit = 79;

}  // namespace

std::string formatPadded(const std::string& text, int width)
{
    if (static_cast<int>(text.size()) >= width)
        return text;
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

std::string formatPadded(double value, int width, int decimals)
{
    return formatPadded(formatFixed(value, decimals), width);
}

std::string formatPadded(long long value, int width)
{
    return formatPadded(std::to_string(value), width);
}

double readEditNumber(const std::string& text)
{
    return readDialogDecimal(text.substr(0, kEditTextLimit));
}

std::optional<double> readEditFiniteNumber(const std::string& text)
{
    return readFiniteNumber(std::string_view(text).substr(0, kEditTextLimit));
}

bool timeOnData(const SpectrumDocument& doc, double time)
{
    const double aq = doc.acq.aq;
    return doc.valueCount > 0 && aq > 0.0 && std::isfinite(aq) && time >= 0.0 && time <= aq;
}

}  // namespace tesvar
