#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "document/spectrum_document.h"
#include "document/view_settings.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"

namespace tesvar {
namespace {

std::unique_ptr<SpectrumDocument> oneSecondSpectrum()
{
    auto doc = std::make_unique<SpectrumDocument>();
    doc->acq.td = 1000;
    doc->acq.sw = 500.0;  // aq = 1 s
    test::FakeWindow window;
    resetDocument(*doc, window);
    return doc;
}

TEST(ApplyUnits, TheLastCheckedUnitWinsAndNoneKeepsTheUnit)
{
    auto doc = oneSecondSpectrum();
    test::FakeWindow window;
    applyUnits(*doc, window, {0, 1, 0, 0});
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Ppm);
    EXPECT_EQ(doc->unitChecks, (std::array<std::int32_t, 4>{0, 1, 0, 0}));
    applyUnits(*doc, window, {0, 0, 1, 1});
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Points);
    applyUnits(*doc, window, {0, 0, 0, 0});
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Points);
    EXPECT_EQ(window.repaints, 3);
}

TEST(ApplyLimits, RefusesAReversedWindowWithABeepAndStoresNothing)
{
    auto doc = oneSecondSpectrum();
    test::FakeUi ui;
    EXPECT_FALSE(applyLimits(*doc, ui, 0.5, 0.2));
    EXPECT_EQ(ui.beeps, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error");
    EXPECT_EQ(ui.messages[0].caption, "Try it again");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
    EXPECT_EQ(doc->viewLeft, 0.0);
    EXPECT_EQ(doc->viewRight, 1.0);
}

TEST(ApplyLimits, AcceptsTheEndOfTheAcquisitionAndANegativeStart)
{
    auto doc = oneSecondSpectrum();
    test::FakeUi ui;
    test::FakeWindow window;
    EXPECT_TRUE(applyLimits(*doc, ui, 0.25, 1.0));
    EXPECT_TRUE(applyLimits(*doc, ui, -0.5, 0.5));
    limitsChanged(*doc, window);
    EXPECT_EQ(doc->zoomFactor, 1.0);
    EXPECT_EQ(window.repaints, 1);
    EXPECT_FALSE(applyLimits(*doc, ui, 0.0, 1.0000001));
    EXPECT_FALSE(applyLimits(*doc, ui, -INFINITY, 0.5));
    EXPECT_FALSE(applyLimits(*doc, ui, 0.1, std::nan("")));
    EXPECT_TRUE(doc->viewLeft == -0.5 && doc->viewRight == 0.5);
    EXPECT_TRUE(ui.messages.size() == 3 && ui.beeps == 3);
}

}  // namespace
}  // namespace tesvar
