#include <gtest/gtest.h>

#include "platform/command_ids.h"
#include "processing/processing_commands.h"
#include "support/fake_processing_views.h"
#include "support/fake_window.h"
#include "processing_fixture.h"

namespace tesvar {
namespace {

using test::FakeProcessingDialogs;
using test::FakeWindow;

class ProcessingCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc->referenceArmed = 1;
        doc->interactionMode = cmd::Zoom;
        window.prompt = "Keys Up/Down to increase/decrease integrals size";
    }
    void expectEndings(bool modeNone)
    {
        EXPECT_EQ(window.prompt, " ");
        EXPECT_EQ(doc->referenceArmed, 0);
        EXPECT_EQ(doc->interactionMode, modeNone ? cmd::ModeNone : cmd::Zoom);
    }
    std::unique_ptr<SpectrumDocument> doc = test::makeLoadedDocument(256);
    FakeWindow window;
    FakeProcessingDialogs dialogs;
};

TEST_F(ProcessingCommands, ApodizeRunsItsDialogWithoutRepaintingItself)
{
    apodizeCommand(*doc, window, dialogs);
    EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"apodization"}));
    EXPECT_EQ(window.repaints, 0);  // the dialog's OK repaints
    expectEndings(true);
}

TEST_F(ProcessingCommands, FourierRunsItsDialogAndRepaints)
{
    fourierCommand(*doc, window, dialogs);
    EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"fourier"}));
    EXPECT_EQ(window.repaints, 1);
    expectEndings(true);
}

TEST_F(ProcessingCommands, PhaseTakesTheSnapshotThenBringsTheOpenDialogForward)
{
    doc->data[4] = 3.0;
    phaseCommand(*doc, window, dialogs);
    EXPECT_EQ(doc->undo.data[4], 3.0);
    expectEndings(true);

    doc->data[4] = -8.0;  // a preview of the open dialog
    phaseCommand(*doc, window, dialogs);
    EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"open phase", "raise phase"}));
    EXPECT_EQ(doc->undo.data[4], 3.0);  // the preview did not become the starting point
}

TEST_F(ProcessingCommands, AutomaticBaselineTakesNoSnapshotAndRepaints)
{
    for (int k = 0; k < 128; ++k)
        doc->data[2 * k] = 2.0;
    undoSnapshot(*doc, true);
    doc->undo.data[0] = 77.0;
    autoBaselineCommand(*doc, window);
    EXPECT_EQ(doc->data[0], 0.0);
    EXPECT_EQ(doc->data[1], -2.0);
    EXPECT_EQ(doc->undo.data[0], 77.0);
    EXPECT_EQ(window.repaints, 1);
    expectEndings(false);
}

}  // namespace
}  // namespace tesvar
