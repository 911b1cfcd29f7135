#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/spectrum_document.h"
#include "document/view_dialogs.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"

namespace tesvar {
namespace {

// The dialog's controls as a map from control id to text and check state.
class FakeFields : public DialogFields {
public:
    void setText(int id, const std::string& t) override { texts[id] = t; }
    std::string text(int id) const override
    {
        const auto it = texts.find(id);
        return it == texts.end() ? std::string() : it->second;
    }
    void setChecked(int id, bool c) override { checks[id] = c; }
    bool isChecked(int id) const override
    {
        const auto it = checks.find(id);
        return it != checks.end() && it->second;
    }

    std::map<int, std::string> texts;
    std::map<int, bool> checks;
};

std::unique_ptr<SpectrumDocument> oneSecondSpectrum(test::FakeWindow& window)
{
    auto doc = std::make_unique<SpectrumDocument>();
    doc->acq.td = 1000;
    doc->acq.sw = 500.0;  // aq = 1 s
    resetDocument(*doc, window);
    return doc;
}

TEST(SetLimitsDialog, ShowsTheViewAndRefusesAReversedWindowUntilCorrected)
{
    test::FakeWindow window;
    auto doc = oneSecondSpectrum(window);
    doc->viewLeft = 0.125;
    test::FakeUi ui;
    FakeFields fields;
    SetLimitsDialog dialog(*doc, ui, fields);
    dialog.open();
    EXPECT_EQ(fields.text(view_ids::LimitFrom), "0.125000");
    EXPECT_EQ(fields.text(view_ids::LimitTo), "1.000000");

    fields.setText(view_ids::LimitFrom, "0.5");
    fields.setText(view_ids::LimitTo, "0.2");
    EXPECT_FALSE(dialog.accept());
    EXPECT_EQ(ui.beeps, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error");
    EXPECT_EQ(ui.messages[0].caption, "Try it again");
    // Nothing is stored: Cancel now leaves the view as it was.
    EXPECT_EQ(doc->viewLeft, 0.125);
    EXPECT_EQ(doc->viewRight, 1.0);

    // Up to the end of the acquisition, with trailing text ignored.
    fields.setText(view_ids::LimitTo, "1.000000 s");
    EXPECT_TRUE(dialog.accept());
    EXPECT_EQ(doc->viewRight, 1.0);
    // A negative start is accepted.
    fields.setText(view_ids::LimitFrom, "-0.25");
    EXPECT_TRUE(dialog.accept());
    EXPECT_EQ(doc->viewLeft, -0.25);
    EXPECT_EQ(ui.messages.size(), 1u);
}

// Each unit as the axis reads it: ppm and Hertz run to the left, from offsets with
// more decimals than the edits show.
TEST(SetLimitsDialog, ShowsAndTakesTheLimitsInTheUnitOfTheAxis)
{
    struct Case {
        DisplayUnits units;
        const char *name, *shownFrom, *shownTo, *from, *to, *pastEnd;
    };
    const Case cases[] = {
        {DisplayUnits::Seconds, "Seconds", "0.250000", "1.000000", "0.5", "0.75", "1.01"},
        {DisplayUnits::Ppm, "ppm", "0.937800", "0.000300", "0.6253", "0.3128", "0.0002"},
        {DisplayUnits::Hertz, "Hertz", "375.120000", "0.120000", "250.12", "125.12", "0.1"},
        {DisplayUnits::Points, "Points", "125.000000", "500.000000", "250", "375", "501"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeWindow window;
        auto doc = oneSecondSpectrum(window);
        doc->acq.sf = 400.0;
        doc->ppmOffset = 0.00030049;
        doc->hzOffset = 0.1200004;
        doc->displayUnits = c.units;
        doc->viewLeft = 0.25;
        test::FakeUi ui;
        FakeFields fields;
        SetLimitsDialog dialog(*doc, ui, fields);
        dialog.open();
        EXPECT_EQ(fields.text(view_ids::LimitUnit), c.name);
        EXPECT_EQ(fields.text(view_ids::LimitFrom), c.shownFrom);
        EXPECT_EQ(fields.text(view_ids::LimitTo), c.shownTo);
        EXPECT_TRUE(dialog.accept()) << "the edges as shown, the end of the spectrum too";
        EXPECT_TRUE(doc->viewLeft == 0.25 && doc->viewRight == 1.0);
        const auto typed = [&](const char* from, const char* to) {
            fields.setText(view_ids::LimitFrom, from);
            fields.setText(view_ids::LimitTo, to);
            return dialog.accept();
        };
        EXPECT_FALSE(typed(c.to, c.from)) << "reversed";
        EXPECT_FALSE(typed(c.from, c.pastEnd)) << "past the end";
        EXPECT_EQ(ui.messages.size(), 2u);
        EXPECT_TRUE(typed(c.from, c.to));
        EXPECT_NEAR(doc->viewLeft, 0.5, 1e-6);
        EXPECT_NEAR(doc->viewRight, 0.75, 1e-6);
    }
}

TEST(SetLimitsDialog, ReadsOnlyTheFirstEightyCharactersAndRefusesPastTheEnd)
{
    test::FakeWindow window;
    auto doc = oneSecondSpectrum(window);
    test::FakeUi ui;
    FakeFields fields;
    SetLimitsDialog dialog(*doc, ui, fields);
    dialog.open();
    // A number that starts beyond the 80th character is not read: the start is 0.
    fields.setText(view_ids::LimitFrom, std::string(80, ' ') + "0.5");
    fields.setText(view_ids::LimitTo, "0.75");
    EXPECT_TRUE(dialog.accept());
    EXPECT_EQ(doc->viewLeft, 0.0);
    fields.setText(view_ids::LimitTo, "1.01");
    EXPECT_FALSE(dialog.accept());
    fields.setText(view_ids::LimitTo, "no number");  // reads as 0: from 0 to 0
    EXPECT_TRUE(dialog.accept());
}

// The window's runs of the dialogs, each answering as a user would.
class ScriptedDialogs : public ViewDialogs {
public:
    explicit ScriptedDialogs(SpectrumDocument& d) : doc(d) {}
    void runSetLimits() override
    {
        ++limitsRuns;
        doc.viewLeft = 0.25;
        doc.viewRight = 0.75;
    }
    void runScaleFactor() override
    {
        FakeFields fields;
        ScaleFactorDialog dialog(doc, fields);
        dialog.open();
        shown.push_back(fields.text(view_ids::ScaleStep));
        fields.setText(view_ids::ScaleStep, typed.front());
        typed.pop_front();
        dialog.accept();
    }
    void runUnits() override {}
    void runParameters() override {}
    void runAbout() override {}

    SpectrumDocument& doc;
    int limitsRuns = 0;
    std::deque<std::string> typed;
    std::vector<std::string> shown;
};

TEST(SetLimitsCommand, RecomputesTheZoomClearsThePromptDisarmsAndRepaints)
{
    test::FakeWindow window;
    auto doc = oneSecondSpectrum(window);
    doc->referenceArmed = 1;
    window.prompt = "Press  left mouse button to reference";
    window.repaints = 0;
    ScriptedDialogs dialogs(*doc);
    setLimitsCommand(*doc, window, dialogs);
    EXPECT_EQ(dialogs.limitsRuns, 1);
    EXPECT_DOUBLE_EQ(doc->zoomFactor, 2.0);
    EXPECT_EQ(doc->fullView, 1) << "Set limits leaves the full-view flag alone";
    EXPECT_EQ(window.prompt, " ");
    EXPECT_EQ(doc->referenceArmed, 0);
    EXPECT_EQ(window.repaints, 1);
}

TEST(ScaleFactorCommand, ReopensUntilTheFactorLiesFromOneToTen)
{
    test::FakeWindow window;
    auto doc = oneSecondSpectrum(window);
    ScriptedDialogs dialogs(*doc);
    dialogs.typed = {"0.5", "11", "abc", "10"};
    scaleFactorCommand(*doc, dialogs);
    EXPECT_EQ(doc->verticalStep, 10.0);
    // Each opening shows what the previous OK stored.
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{"1.330000", "0.500000", "11.000000", "0.000000"}));

    dialogs.typed = {"1"};
    dialogs.shown.clear();
    scaleFactorCommand(*doc, dialogs);
    EXPECT_EQ(doc->verticalStep, 1.0);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    // The edit holds 11 characters: "1.0000000009" is read as 1.00000000.
    dialogs.typed = {"1.0000000009"};
    scaleFactorCommand(*doc, dialogs);
    EXPECT_EQ(doc->verticalStep, 1.0);
}

TEST(UnitsDialog, CancelChangesNothingAndOkSwitchesTheAxisUnit)
{
    test::FakeWindow window;
    auto doc = oneSecondSpectrum(window);
    window.repaints = 0;
    {
        FakeFields fields;
        UnitsDialog dialog(*doc, window, fields);
        dialog.open();
        EXPECT_EQ(fields.checks, (std::map<int, bool>{{view_ids::UnitSeconds, true},
                                                      {view_ids::UnitPpm, false},
                                                      {view_ids::UnitHertz, false},
                                                      {view_ids::UnitPoints, false}}));
        fields.setChecked(view_ids::UnitSeconds, false);
        fields.setChecked(view_ids::UnitHertz, true);
        // Cancel closes the dialog without its OK.
    }
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Seconds);
    EXPECT_EQ(doc->unitChecks, (std::array<std::int32_t, 4>{1, 0, 0, 0}));
    EXPECT_EQ(window.repaints, 0);

    FakeFields fields;
    UnitsDialog dialog(*doc, window, fields);
    dialog.open();
    fields.setChecked(view_ids::UnitSeconds, false);
    fields.setChecked(view_ids::UnitPpm, true);
    dialog.accept();
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Ppm);
    EXPECT_EQ(doc->unitChecks, (std::array<std::int32_t, 4>{0, 1, 0, 0}));
    EXPECT_EQ(window.repaints, 1);

    // Reopened, it shows the new choice.
    FakeFields again;
    UnitsDialog(*doc, window, again).open();
    EXPECT_TRUE(again.isChecked(view_ids::UnitPpm));
    EXPECT_FALSE(again.isChecked(view_ids::UnitSeconds));
}

TEST(ParametersDialog, ShowsTheAcquisitionInItsFormats)
{
    test::FakeWindow window;
    auto doc = std::make_unique<SpectrumDocument>();
    doc->acq.sf = 400.13;
    doc->acq.sw = 6009.6;
    doc->acq.td = 32768;
    doc->acq.acqMode = 1;
    resetDocument(*doc, window);
    FakeFields fields;
    showParameters(*doc, fields);
    EXPECT_EQ(fields.text(view_ids::ParamSf), "400.130");
    EXPECT_EQ(fields.text(view_ids::ParamSw), "6009.600");
    EXPECT_EQ(fields.text(view_ids::ParamSwPpm), "15.019");
    EXPECT_EQ(fields.text(view_ids::ParamAq), "2.73");  // 32768 / 12019.2 s
    EXPECT_EQ(fields.text(view_ids::ParamTd), "32768");
    EXPECT_EQ(fields.text(view_ids::ParamMode), "Complex");

    doc->acq.td = 0;
    doc->realAcquisition = 1;
    showParameters(*doc, fields);
    EXPECT_EQ(fields.text(view_ids::ParamTd), "") << "\"%.d\" prints a zero as nothing";
    EXPECT_EQ(fields.text(view_ids::ParamMode), "Real");
}

class RecordingStartupView : public StartupBoxView {
public:
    void startTimer(int id, int ms) override { calls.push_back("start " + std::to_string(id) + " " + std::to_string(ms)); }
    void stopTimer(int id) override { calls.push_back("stop " + std::to_string(id)); }
    void closeBox() override { calls.push_back("close"); }
    std::vector<std::string> calls;
};

TEST(StartupBox, TheTimerOfFourSecondsClosesItOnceAfterStoppingItself)
{
    RecordingStartupView view;
    StartupBox box(view);
    box.open();
    EXPECT_TRUE(box.isOpen());
    box.timerFired(1);  // someone else's timer
    EXPECT_TRUE(box.isOpen());
    box.timerFired(StartupBox::kTimerId);
    EXPECT_FALSE(box.isOpen());
    box.ok();  // a late OK finds it closed
    EXPECT_EQ(view.calls, (std::vector<std::string>{"start 3344 4000", "stop 3344", "close"}));
}

TEST(StartupBox, OkClosesItAtOnceAndTheDelayCanBeShortened)
{
    RecordingStartupView view;
    StartupBox box(view, 25);
    box.open();
    box.ok();
    box.timerFired(StartupBox::kTimerId);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"start 3344 25", "stop 3344", "close"}));
}

}  // namespace
}  // namespace tesvar
