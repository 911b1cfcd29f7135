#include "document/integral_label.h"

#include <cmath>

#include "document/analysis_tables.h"
#include "document/text_format.h"

namespace tesvar {

namespace {

bool inTable(int i) { return i >= 0 && i < kMaxIntegrals; }

}  // namespace

std::optional<double> integralLabelValue(const IntegralTable& table, int i)
{
    if (!inTable(i) || !inTable(table.reference))
        return std::nullopt;
    const double reference = table.value[table.reference];
    if (reference == 0.0)
        return std::nullopt;
    const double label = table.value[i] / reference * table.referenceHydrogens;
    if (!std::isfinite(label))
        return std::nullopt;
    return label;
}

std::string integralLabelText(const IntegralTable& table, int i)
{
    const auto label = integralLabelValue(table, i);
    return label ? formatFixed(*label, 2) : std::string("n/a");
}

}  // namespace tesvar
