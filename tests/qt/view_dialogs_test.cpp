// The view dialogs, the start-up and About boxes, and their commands in the real window.
#include <gtest/gtest.h>

#include <memory>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "document/file_commands.h"
#include "document/spectrum_document.h"
#include "modal.h"
#include "platform/command_ids.h"
#include "shell/dialogs/about_box.h"
#include "shell/dialogs/startup_box.h"
#include "shell/dialogs/view_dialog_views.h"
#include "shell/main_window.h"
#include "shell/status_bar.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"

namespace tesvar {
namespace {

const std::string kSample = std::string(TESVAR_SAMPLES) + "/ethyl-acetate.TVX";

template <class T>
T* control(QWidget& dialog, int id)
{
    T* c = dialog.findChild<T*>(QStringLiteral("id%1").arg(id));
    EXPECT_NE(c, nullptr) << "control " << id;
    return c;
}

std::unique_ptr<SpectrumDocument> oneSecondSpectrum(test::FakeWindow& window)
{
    auto doc = std::make_unique<SpectrumDocument>();
    doc->acq.td = 1000;
    doc->acq.sw = 500.0;
    doc->acq.sf = 400.13;
    doc->acq.acqMode = 1;  // quadrature
    resetDocument(*doc, window);
    return doc;
}

TEST(SetLimitsDialogView, ControlsAndARefusedOkThatKeepsItOpen)
{
    test::FakeWindow window;
    auto doc = oneSecondSpectrum(window);
    test::FakeUi ui;
    SetLimitsDialogView view(*doc, ui, nullptr);
    EXPECT_EQ(view.windowTitle(), "Set limits");
    EXPECT_TRUE(view.isModal());
    EXPECT_EQ(control<QLineEdit>(view, 10001)->text(), "0.000000");
    EXPECT_EQ(control<QLineEdit>(view, 10002)->text(), "1.000000");
    EXPECT_EQ(control<QLabel>(view, 10003)->text(), "From...to");
    EXPECT_EQ(control<QLabel>(view, 10004)->text(), "Seconds");
    ASSERT_NE(control<QPushButton>(view, 2), nullptr);

    view.show();
    control<QLineEdit>(view, 10001)->setText("0.5");
    control<QLineEdit>(view, 10002)->setText("0.2");
    control<QPushButton>(view, 1)->click();
    EXPECT_TRUE(view.isVisible()) << "a refused OK keeps the dialog open";
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Try it again"});
    EXPECT_EQ(doc->viewRight, 1.0) << "a refused OK stores nothing";
    control<QLineEdit>(view, 10002)->setText("1");
    control<QPushButton>(view, 1)->click();
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(doc->viewLeft, 0.5);
    EXPECT_EQ(doc->viewRight, 1.0);
}

TEST(ViewDialogViews, ScaleFactorUnitsAndParametersShowAndStoreTheirFields)
{
    test::FakeWindow window;
    auto doc = oneSecondSpectrum(window);

    ScaleFactorDialogView scale(*doc, nullptr);
    EXPECT_EQ(scale.objectName(), "ScaleDB");
    EXPECT_EQ(scale.windowTitle(), "SCALE Y FACTOR");
    EXPECT_EQ(control<QLineEdit>(scale, 85)->text(), "1.330000");
    EXPECT_EQ(scale.findChild<QPushButton*>(QStringLiteral("id2")), nullptr) << "OK only";
    control<QLineEdit>(scale, 85)->setText("2.5");
    control<QPushButton>(scale, 1)->click();
    EXPECT_EQ(doc->verticalStep, 2.5);

    UnitsDialogView units(*doc, window, nullptr);
    EXPECT_EQ(units.windowTitle(), "Units");
    const std::pair<int, const char*> radios[] = {
        {1024, "Seconds"}, {1025, "ppm"}, {1026, "Hertz"}, {1027, "Points"}};
    for (const auto& [id, label] : radios)
        EXPECT_EQ(control<QRadioButton>(units, id)->text(), label);
    EXPECT_TRUE(control<QRadioButton>(units, 1024)->isChecked());
    // Automatic radio buttons: choosing one clears the others.
    control<QRadioButton>(units, 1026)->click();
    EXPECT_FALSE(control<QRadioButton>(units, 1024)->isChecked());
    control<QPushButton>(units, 2)->click();
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Seconds) << "Cancel changes nothing";
    UnitsDialogView again(*doc, window, nullptr);
    EXPECT_TRUE(control<QRadioButton>(again, 1024)->isChecked());
    control<QRadioButton>(again, 1026)->click();
    control<QPushButton>(again, 1)->click();
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Hertz);

    doc->acq.sw = 6009.6;
    ParametersDialogView params(*doc, nullptr);
    EXPECT_EQ(params.windowTitle(), "Data Acquisition Parameters");
    const std::pair<int, const char*> fields[] = {
        {1053, "400.130"}, {1055, "6009.600"}, {1063, "15.019"}, {1054, "1.00"}, {1057, "1000"}, {1058, "Complex"}};
    for (const auto& [id, text] : fields) {
        QLineEdit* edit = control<QLineEdit>(params, id);
        EXPECT_EQ(edit->text(), text) << id;
        EXPECT_TRUE(edit->isReadOnly()) << id;
    }
    QStringList labels;
    for (const QLabel* l : params.findChildren<QLabel*>())
        labels << l->text();
    for (const char* expected : {"Spectrum Frecuency  SF:", "Sweep Width SW:", "Acquisition Time AQ:",
                                 "Transform Domain TD:", "Acquisition Mode :", "MHz", "Hz", "ppm",
                                 "Seconds", "Points"})
        EXPECT_TRUE(labels.contains(expected)) << expected;
}

TEST(StartupBoxDialog, ClosesItselfWhenItsTimerFires)
{
    QElapsedTimer clock;
    clock.start();
    StartupBoxDialog box(nullptr, 30);
    EXPECT_EQ(box.objectName(), "id217");
    EXPECT_EQ(box.windowTitle(), "Tesvar Version 1.0");
    const QLabel* picture = box.findChild<QLabel*>(QStringLiteral("bitmap196"));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    ASSERT_NE(control<QPushButton>(box, 1), nullptr);
    // Nobody answers: the box ends by itself (the watchdog fails the test otherwise).
    test::closeIfLeftOpen(&box);
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}

TEST(StartupBoxDialog, OkClosesItBeforeItsTime)
{
    StartupBoxDialog box(nullptr);  // the full four seconds
    test::whenModal<StartupBoxDialog>(
        [](StartupBoxDialog* shown) { control<QPushButton>(*shown, 1)->click(); });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}

TEST(AboutBox, HasNoTitleItsPictureNameAndOk)
{
    AboutBox about(nullptr);
    EXPECT_EQ(about.objectName(), "id197");
    EXPECT_TRUE(about.windowTitle().isEmpty());
    EXPECT_NE(about.findChild<QLabel*>(QStringLiteral("bitmap196")), nullptr);
    EXPECT_TRUE(about.findChild<QLabel*>(QStringLiteral("productName"))->text().contains("Tesvar"));
    about.show();
    control<QPushButton>(about, 1)->click();
    EXPECT_FALSE(about.isVisible());
}

class ViewCommandsInWindow : public ::testing::Test {
protected:
    ViewCommandsInWindow() : doc(std::make_unique<SpectrumDocument>()), window(*doc, ui)
    {
        window.resize(900, 700);
        window.show();
    }

    void load()
    {
        ui.chooseNext(kSample);
        ASSERT_EQ(openSpectrum(*doc, ui, window), OpenOutcome::Opened);
    }

    std::unique_ptr<SpectrumDocument> doc;
    test::FakeUi ui;
    MainWindow window;
};

TEST_F(ViewCommandsInWindow, SetLimitsHasAViewMenuItemRightAfterFull)
{
    QAction* full = window.commandAction(cmd::Full);
    QAction* limits = window.commandAction(cmd::SetLimits);
    ASSERT_NE(limits, nullptr);
    EXPECT_EQ(limits->text(), "Set &limits...");
    EXPECT_EQ(limits->objectName(), "id20");
    const QList<QAction*> view = full->associatedObjects().isEmpty()
                                     ? QList<QAction*>()
                                     : qobject_cast<QMenu*>(full->associatedObjects().front())->actions();
    const auto at = view.indexOf(full);
    ASSERT_GE(at, 0);
    ASSERT_LT(at + 1, view.size());
    EXPECT_EQ(view[at + 1], limits);
    EXPECT_TRUE(limits->isEnabled());
    EXPECT_TRUE(limits->shortcut().isEmpty());
}

TEST_F(ViewCommandsInWindow, SetLimitsZoomsTheViewAndEndsAsTheTableSays)
{
    load();
    doc->referenceArmed = 1;
    window.setPrompt("Press  left mouse button to reference");
    const double aq = doc->acq.aq;
    test::whenModal<SetLimitsDialogView>([aq](SetLimitsDialogView* view) {
        control<QLineEdit>(*view, 10001)->setText(QString::number(aq / 4, 'f', 9));
        control<QLineEdit>(*view, 10002)->setText(QString::number(aq / 2, 'f', 9));
        control<QPushButton>(*view, 1)->click();
    });
    window.commandAction(cmd::SetLimits)->trigger();
    EXPECT_NEAR(doc->viewLeft, aq / 4, 1e-9);
    EXPECT_NEAR(doc->zoomFactor, 4.0, 1e-6);
    EXPECT_EQ(doc->referenceArmed, 0);
    EXPECT_EQ(window.statusLine().part(0), " ");
}

TEST_F(ViewCommandsInWindow, ScaleFactorReopensUntilTheStepIsFromOneToTen)
{
    load();
    int openings = 0;
    // Each opening arms the answer to the next one.
    std::function<void(ScaleFactorDialogView*)> answer = [&](ScaleFactorDialogView* view) {
        ++openings;
        control<QLineEdit>(*view, 85)->setText(openings == 1 ? "0.5" : "4");
        if (openings == 1)
            test::whenModal<ScaleFactorDialogView>(answer);
        control<QPushButton>(*view, 1)->click();
    };
    test::whenModal<ScaleFactorDialogView>(answer);
    window.commandAction(cmd::ScaleFactor)->trigger();
    EXPECT_EQ(openings, 2);
    EXPECT_EQ(doc->verticalStep, 4.0);
}

TEST_F(ViewCommandsInWindow, UnitsParametersAndAboutRunModallyOverTheWindow)
{
    EXPECT_FALSE(window.commandAction(cmd::Parameters)->isEnabled()) << "greyed until a load";
    load();
    EXPECT_TRUE(window.commandAction(cmd::Parameters)->isEnabled());
    EXPECT_TRUE(window.commandAction(cmd::ScaleFactor)->isEnabled());

    QWidget* owner = nullptr;
    test::whenModal<UnitsDialogView>([&owner](UnitsDialogView* view) {
        owner = view->parentWidget();
        control<QRadioButton>(*view, 1025)->click();
        control<QPushButton>(*view, 1)->click();
    });
    window.commandAction(cmd::ScaleUnits)->trigger();
    EXPECT_EQ(owner, &window);
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Ppm);

    QString sf;
    test::whenModal<ParametersDialogView>([&sf](ParametersDialogView* view) {
        sf = control<QLineEdit>(*view, 1053)->text();
        control<QPushButton>(*view, 1)->click();
    });
    window.commandAction(cmd::Parameters)->trigger();
    EXPECT_EQ(sf, "400.130");

    bool aboutShown = false;
    test::whenModal<AboutBox>([&aboutShown](AboutBox* box) {
        aboutShown = true;
        control<QPushButton>(*box, 1)->click();
    });
    window.commandAction(cmd::About)->trigger();
    EXPECT_TRUE(aboutShown);
    EXPECT_FALSE(window.windowIcon().isNull());
}

}  // namespace
}  // namespace tesvar
