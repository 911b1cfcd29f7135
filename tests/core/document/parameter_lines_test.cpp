#include <gtest/gtest.h>

#include <limits>

#include "document/parameter_lines.h"

namespace tesvar {
namespace {

AcquisitionParameters proton400()
{
    AcquisitionParameters acq;
    acq.sf = 400.13;
    acq.sw = 6009.6;
    acq.td = 16384;
    acq.aq = acq.td / (acq.sw * 2.0);  // 1.36315... s
    return acq;
}

TEST(ParameterFields, ShowsTheDialogValuesWithTheirFormats)
{
    const ParameterFields f = parameterFields(proton400(), false);
    EXPECT_EQ(f.sf, "400.130");
    EXPECT_EQ(f.sw, "6009.600");
    EXPECT_EQ(f.swPpm, "15.019");  // 6009.6 / 400.13 = 15.0191...
    EXPECT_EQ(f.aq, "1.36");
    EXPECT_EQ(f.td, "16384");
    EXPECT_EQ(f.mode, "Complex");
    EXPECT_EQ(parameterFields(proton400(), true).mode, "Real");
}

TEST(ParameterFields, RoundsToTheShownDecimals)
{
    AcquisitionParameters acq;
    acq.sf = 99.9996;  // rounds up across the decimal point
    acq.sw = -12.3456;
    acq.aq = 0.996;
    acq.td = -2;
    const ParameterFields f = parameterFields(acq, false);
    EXPECT_EQ(f.sf, "100.000");
    EXPECT_EQ(f.sw, "-12.346");
    EXPECT_EQ(f.swPpm, "-0.123");
    EXPECT_EQ(f.aq, "1.00");
    EXPECT_EQ(f.td, "-2");
}

TEST(ParameterFields, ZeroPointsShowAnEmptyField)
{
    AcquisitionParameters acq = proton400();
    acq.td = 0;
    EXPECT_EQ(parameterFields(acq, false).td, "");
}

TEST(ParameterFields, NoFrequencyOrNoNumberLeavesTheFieldEmpty)
{
    AcquisitionParameters acq = proton400();
    acq.sf = 0.0;  // sw / sf would be infinite
    ParameterFields f = parameterFields(acq, false);
    EXPECT_EQ(f.sf, "0.000");
    EXPECT_EQ(f.swPpm, "");

    acq.sw = 0.0;  // 0 / 0 would be undefined; aq infinite
    acq.aq = std::numeric_limits<double>::infinity();
    f = parameterFields(acq, false);
    EXPECT_EQ(f.sw, "0.000");
    EXPECT_EQ(f.swPpm, "");
    EXPECT_EQ(f.aq, "");

    acq.sf = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(parameterFields(acq, false).sf, "");

    for (const auto& line : parameterLines(f)) {
        EXPECT_EQ(line.find("inf"), std::string::npos) << line;
        EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    }
}

TEST(ParameterLines, CarryTheDialogLabelsAndUnits)
{
    const auto lines = parameterLines(parameterFields(proton400(), true));
    const std::vector<std::string> expected = {
        "Spectrum Frecuency  SF: 400.130 MHz",
        "Sweep Width SW: 6009.600 Hz 15.019 ppm",
        "Acquisition Time AQ: 1.36 Seconds",
        "Transform Domain TD: 16384 Points",
        "Acquisition Mode : Real",
    };
    EXPECT_EQ(lines, expected);
}

TEST(ParameterLines, AnEmptyFieldKeepsItsPlace)
{
    AcquisitionParameters acq = proton400();
    acq.sf = 0.0;
    acq.td = 0;
    const auto lines = parameterLines(parameterFields(acq, false));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "Sweep Width SW: 6009.600 Hz  ppm");
    EXPECT_EQ(lines[3], "Transform Domain TD:  Points");
    EXPECT_EQ(lines[4], "Acquisition Mode : Complex");
}

}  // namespace
}  // namespace tesvar
