// The Qt views of the processing dialogs and the Process commands in the main window:
// controls found by id, texts and ranges, and each view driving its controller.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "document/spectrum_document.h"
#include "importers/import_dispatch.h"
#include "platform/command_ids.h"
#include "shell/dialogs/apodization_dialog_view.h"
#include "shell/dialogs/fourier_dialog_view.h"
#include "shell/dialogs/phase_dialog_view.h"
#include "shell/dialogs/smooth_baseline_dialog_view.h"
#include "processing/fourier_dialog.h"
#include "processing/processing_commands.h"
#include "shell/main_window.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"
#include "qt/modal.h"

namespace tesvar {
namespace {

const std::string kAspirinFid = std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h/fid";

template <class T>
T* control(QWidget& parent, int id)
{
    return parent.findChild<T*>(QStringLiteral("id%1").arg(id));
}

std::unique_ptr<SpectrumDocument> rampDocument(int values)
{
    auto doc = std::make_unique<SpectrumDocument>();
    doc->valueCount = values;
    doc->acq.td = values;
    doc->acq.sw = 1000.0;
    doc->acq.aq = values / 2000.0;
    doc->quadrature = 1;
    for (int i = 0; i < values; ++i)
        doc->data[i] = std::cos(0.01 * i) * 100.0;
    doc->maxAbsValue = 100.0;
    return doc;
}

TEST(FourierDialogView, ControlsTextsAndTheSizeList)
{
    auto doc = rampDocument(1000);
    test::FakeUi ui;
    std::vector<std::pair<int, int>> ranges;
    FourierDialogView view(*doc, ui, [&](int a, int b) { ranges.push_back({a, b}); return true; },
                           nullptr);
    EXPECT_EQ(view.objectName(), "FourierDB");
    EXPECT_EQ(view.windowTitle(), "Fast Fourier Transform");
    const std::pair<int, QString> boxes[] = {
        {95, "Real"}, {90, "Drift Correction"}, {96, "Quadrature"}, {97, "Inverse"}};
    for (const auto& [id, label] : boxes) {
        auto* box = control<QCheckBox>(view, id);
        ASSERT_NE(box, nullptr) << id;
        EXPECT_EQ(box->text(), label);
    }
    EXPECT_TRUE(control<QCheckBox>(view, 96)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(view, 97)->isChecked());
    ASSERT_NE(view.findChild<QLabel*>(), nullptr);
    EXPECT_EQ(view.findChild<QLabel*>()->text(), "Points");

    auto* list = control<QListWidget>(view, 1042);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 13);
    EXPECT_EQ(list->item(0)->text(), "128");
    EXPECT_EQ(list->item(12)->text(), "524288");
    EXPECT_EQ(list->currentRow(), -1);
    auto* edit = control<QLineEdit>(view, 1044);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "1024");
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(doc->valueCount, 1024);

    // A single click chooses nothing; a double click chooses at once.
    const QRect item = list->visualItemRect(list->item(3));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(doc->valueCount, 1024);
    list->itemDoubleClicked(list->item(4));
    EXPECT_EQ(doc->valueCount, 2048);
    EXPECT_EQ(edit->text(), "2048");
    list->itemDoubleClicked(list->item(12));
    EXPECT_EQ(ranges, (std::vector<std::pair<int, int>>{{0, 524287}}));

    control<QPushButton>(view, 2)->click();
    EXPECT_EQ(doc->valueCount, 1000) << "Cancel gives back the size on opening";
}

TEST(FourierDialogView, OkTransformsAndCloses)
{
    auto doc = rampDocument(256);
    test::FakeUi ui;
    FourierDialogView view(*doc, ui, {}, nullptr);
    control<QCheckBox>(view, 96)->setChecked(false);
    control<QPushButton>(view, 1)->click();
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(doc->inverseTransform, 1);
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Ppm);
}

TEST(ApodizationDialogView, ControlsTextsAndGroups)
{
    auto doc = rampDocument(256);
    doc->expLB = 0.125;
    test::FakeUi ui;
    test::FakeWindow window;
    ApodizationDialogView view(*doc, ui, window, nullptr);
    EXPECT_EQ(view.objectName(), "id143");
    EXPECT_EQ(view.windowTitle(), "Window Function Parameters");
    const std::pair<int, QString> radios[] = {
        {1038, "Exponential Multiplication"},
        {1039, "Gaussian Multiplication"},
        {1040, "Lorentzian/Gaussian resolution enhancement "},
        {1069, "Sine bell Multiplication"},
        {1071, "Sine squared Multiplication"}};
    for (const auto& [id, label] : radios) {
        auto* radio = control<QRadioButton>(view, id);
        ASSERT_NE(radio, nullptr) << id;
        EXPECT_EQ(radio->text(), label);
    }
    for (int id : {1034, 1036, 1043, 1035, 1068, 1070})
        ASSERT_NE(control<QLineEdit>(view, id), nullptr) << id;
    EXPECT_EQ(control<QLineEdit>(view, 1034)->text(), "0.13");
    EXPECT_TRUE(control<QRadioButton>(view, 1038)->isChecked());

    // The first four exclude one another; sine squared joins them and stays chosen.
    control<QRadioButton>(view, 1071)->click();
    control<QRadioButton>(view, 1069)->click();
    EXPECT_FALSE(control<QRadioButton>(view, 1038)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(view, 1069)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(view, 1071)->isChecked());
    control<QRadioButton>(view, 1071)->click();
    EXPECT_TRUE(control<QRadioButton>(view, 1071)->isChecked()) << "cannot be cleared";
}

TEST(ApodizationDialogView, GbMessageKeepsTheDialogOpen)
{
    auto doc = rampDocument(256);
    test::FakeUi ui;
    test::FakeWindow window;
    ApodizationDialogView view(*doc, ui, window, nullptr);
    view.show();
    control<QRadioButton>(view, 1040)->click();
    control<QLineEdit>(view, 1035)->setText("1.5");
    control<QPushButton>(view, 1)->click();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"GB must be a number between 0 and 1"});
    EXPECT_TRUE(view.isVisible());
    control<QLineEdit>(view, 1035)->setText("0.5");
    control<QPushButton>(view, 1)->click();
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(window.repaints, 1);
}

TEST(PhaseDialogView, ControlsAndLivePreview)
{
    auto doc = rampDocument(512);
    undoSnapshot(*doc, true);
    test::FakeUi ui;
    test::FakeWindow window;
    auto* view = new PhaseDialogView(*doc, ui, window, nullptr);
    QPointer<PhaseDialogView> alive(view);
    EXPECT_EQ(view->objectName(), "id122");
    EXPECT_EQ(view->windowTitle(), "Phase Correction");
    EXPECT_FALSE(view->isModal());
    auto* order0 = control<QLineEdit>(*view, 1016);
    auto* order1 = control<QLineEdit>(*view, 1017);
    ASSERT_NE(order0, nullptr);
    ASSERT_NE(order1, nullptr);
    EXPECT_EQ(order0->text(), "0");
    ASSERT_NE(control<ArrowControl>(*view, 101), nullptr);
    ASSERT_NE(control<ArrowControl>(*view, 102), nullptr);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(view->slider(i)->minimum(), -180);
        EXPECT_EQ(view->slider(i)->maximum(), 180);
        EXPECT_EQ(view->slider(i)->value(), 0);
        EXPECT_EQ(view->slider(i)->width(), 200);
    }

    const double re0 = doc->data[0], im0 = doc->data[1];
    view->slider(0)->setValue(90);
    EXPECT_EQ(order0->text(), "90");
    EXPECT_EQ(doc->phase0, 90);
    EXPECT_NEAR(doc->data[0], -im0 + re0 * std::cos(90 * 0.01745327777777778), 1e-3);
    EXPECT_EQ(doc->data[1], im0) << "the preview leaves the imaginary parts";
    EXPECT_GE(window.repaints, 1);

    // An arrow click steps the number in its edit and moves the slider with it.
    order1->setText("44");
    control<ArrowControl>(*view, 102)->upButton()->click();
    EXPECT_EQ(order1->text(), "45");
    EXPECT_EQ(view->slider(1)->value(), 45);
    EXPECT_EQ(doc->phase1, 45);

    view->show();
    control<QPushButton>(*view, 2)->click();
    EXPECT_EQ(doc->data[0], re0) << "Cancel restores the snapshot";
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull()) << "the dialog deletes itself when it closes";
}

TEST(PhaseDialogView, KeyboardReachesTheSliders)
{
    auto doc = rampDocument(512);
    undoSnapshot(*doc, true);
    test::FakeUi ui;
    test::FakeWindow window;
    PhaseDialogView view(*doc, ui, window, nullptr);
    view.setAttribute(Qt::WA_DeleteOnClose, false);
    EXPECT_EQ(view.slider(0)->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    QTest::keyClick(view.slider(0), Qt::Key_Right);
    EXPECT_EQ(doc->phase0, 1);
    EXPECT_EQ(control<QLineEdit>(view, 1016)->text(), "1");
}

class ProcessInWindow : public ::testing::Test {
protected:
    ProcessInWindow() : doc(std::make_unique<SpectrumDocument>()), window(*doc, ui)
    {
        EXPECT_TRUE(importFile(*doc, FileType::BrukerX32, kAspirinFid, ui, window));
    }

    std::unique_ptr<SpectrumDocument> doc;
    test::FakeUi ui;
    MainWindow window;
};

TEST_F(ProcessInWindow, TheProcessCommandsAreConnected)
{
    for (int id : {cmd::Apodize, cmd::Fourier, cmd::PhaseCorrection, cmd::AutoBaseline}) {
        QAction* action = window.commandAction(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_EQ(action->data().toInt(), id);
        EXPECT_TRUE(action->isEnabled()) << id;
    }
}

TEST_F(ProcessInWindow, FourierCommandRunsTheDialogModally)
{
    doc->referenceArmed = 1;
    test::whenModal<FourierDialogView>([](FourierDialogView* view) {
        control<QListWidget>(*view, 1042)->itemDoubleClicked(
            control<QListWidget>(*view, 1042)->item(8));
        control<QPushButton>(*view, 1)->click();
    });
    window.commandAction(cmd::Fourier)->trigger();
    EXPECT_EQ(doc->valueCount, 32768);
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Ppm);
    EXPECT_EQ(doc->referenceArmed, 0);
    EXPECT_EQ(doc->interactionMode, cmd::ModeNone);
}

TEST_F(ProcessInWindow, ApodizeCommandRunsTheDialogModally)
{
    const double before = doc->data[1000];
    test::whenModal<ApodizationDialogView>([](ApodizationDialogView* view) {
        control<QLineEdit>(*view, 1034)->setText("3");
        control<QPushButton>(*view, 1)->click();
    });
    window.commandAction(cmd::Apodize)->trigger();
    EXPECT_EQ(doc->expLB, 3.0);
    EXPECT_NEAR(doc->data[1000], before * std::exp(-M_PI * 3.0 * 1000 / (2 * doc->acq.sw)), 1e-6);
}

TEST_F(ProcessInWindow, SecondPhaseCommandBringsTheOpenDialogForward)
{
    window.commandAction(cmd::PhaseCorrection)->trigger();
    auto dialogs = window.findChildren<PhaseDialogView*>();
    ASSERT_EQ(dialogs.size(), 1);
    PhaseDialogView* phase = dialogs.front();
    EXPECT_TRUE(phase->isVisible());
    EXPECT_FALSE(phase->isModal());
    EXPECT_TRUE(window.commandAction(cmd::Invert)->isEnabled()) << "the window stays usable";

    const double original = doc->data[0];
    phase->slider(0)->setValue(60);  // a preview changes the data
    window.commandAction(cmd::PhaseCorrection)->trigger();
    EXPECT_EQ(window.findChildren<PhaseDialogView*>().size(), 1);
    EXPECT_EQ(doc->undo.data[0], original) << "the preview did not become the snapshot";

    control<QPushButton>(*phase, 1)->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.findChildren<PhaseDialogView*>().empty());
    window.commandAction(cmd::PhaseCorrection)->trigger();
    EXPECT_EQ(window.findChildren<PhaseDialogView*>().size(), 1) << "opens again after OK";
    EXPECT_EQ(doc->undo.data[0], doc->data[0]);
}

TEST_F(ProcessInWindow, BaselineCommandCorrectsAtOnce)
{
    for (int i = 0; i < doc->valueCount; ++i)
        doc->data[i] = i % 2 ? 0.0 : 7.0;
    window.commandAction(cmd::AutoBaseline)->trigger();
    EXPECT_EQ(doc->data[0], 0.0);
    EXPECT_EQ(doc->data[1], -7.0);
}

TEST_F(ProcessInWindow, AutomaticCommandsRefuseTheFidAndCorrectTheSpectrum)
{
    window.commandAction(cmd::AutoPhase)->trigger();
    window.commandAction(cmd::SmoothBaseline)->trigger();
    EXPECT_EQ(ui.texts(), std::vector<std::string>(2, text::kNotTransformed));

    runFourierTransform(*doc, doc->valueCount);
    window.commandAction(cmd::PhaseCorrection)->trigger();
    PhaseDialogView* phase = window.findChildren<PhaseDialogView*>().front();
    window.commandAction(cmd::AutoPhase)->trigger();  // presses the open dialog's Auto
    ASSERT_NE(control<QPushButton>(*phase, 1018), nullptr);
    EXPECT_NE(doc->phase0, 0.0);
    EXPECT_EQ(phase->slider(0)->value(), std::lround(doc->phase0));
    EXPECT_EQ(doc->data[1], doc->undo.data[1]) << "a preview";
    control<QPushButton>(*phase, 2)->click();
    EXPECT_EQ(doc->phase0, 0.0) << "Cancel gives back the angles in use";

    test::whenModal<SmoothBaselineDialogView>([](SmoothBaselineDialogView* view) {
        control<QDoubleSpinBox>(*view, 1090)->setValue(2.0);
        control<QPushButton>(*view, 1)->click();
    });
    const double before = doc->data[0];
    window.commandAction(cmd::SmoothBaseline)->trigger();
    EXPECT_EQ(doc->smoothBaselineStrength, 2.0);
    EXPECT_NE(doc->data[0], before);
    EXPECT_EQ(doc->undo.data[0], before);
}

}  // namespace
}  // namespace tesvar
