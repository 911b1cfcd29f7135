#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/print_command.h"
#include "render_fixture.h"
#include "support/fake_ui.h"

namespace tesvar {
namespace {

using test::RecordingCanvas;

// Records the Print command's use of the platform, in order.
class FakePictureOutput : public PictureOutput {
public:
    std::optional<std::string> picturePath() override { return "Tesvar.wmf"; }
    bool recordPicture(const std::string& path, const std::function<void(Canvas&)>& draw) override
    {
        calls.push_back("record " + path);
        draw(picture);
        fileExists = recordWorks;
        return recordWorks;
    }
    bool printPicture(const std::string& path) override
    {
        calls.push_back("print " + path);
        return printerWorks;
    }
    bool removeFile(const std::string& path) override
    {
        calls.push_back("remove " + path);
        const bool existed = fileExists;
        fileExists = false;
        return existed && removeWorks;
    }

    bool recordWorks = true, printerWorks = true, removeWorks = true, fileExists = false;
    std::vector<std::string> calls;
    RecordingCanvas picture;
};

struct PrintFixture {
    std::unique_ptr<SpectrumDocument> doc = test::loadedSpectrum(256, 6000, 400.13, 1000, 700);
    test::FakeUi ui;
    test::FakeWindow window;
    FakePictureOutput output;
    void print() { printPlot(*doc, ui, window, output); }
};

TEST(PrintCommand, RecordsPrintsRepaintsAndRemovesThePictureFile)
{
    PrintFixture f;
    f.print();
    EXPECT_EQ(f.output.calls, (std::vector<std::string>{"record Tesvar.wmf", "print Tesvar.wmf",
                                                        "remove Tesvar.wmf"}));
    EXPECT_TRUE(f.ui.messages.empty());
    EXPECT_EQ(f.window.repaints, 1);
    // The recorded picture is the printed one: it ends with the header and the caption.
    const auto texts = f.output.picture.texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2].text.rfind("Spectrum Frecuency(MHz)= 400.130", 0), 0u);
    EXPECT_EQ(texts.back().text, "Seconds");
}

TEST(PrintCommand, WithoutAPrinterReportsAndStillRemovesTheFile)
{
    PrintFixture f;
    f.output.printerWorks = false;
    f.print();
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text, "Error printing");
    EXPECT_EQ(f.ui.messages[0].caption, "Tesvar");
    EXPECT_EQ(f.ui.messages[0].icon, Icon::Information);
    EXPECT_EQ(f.output.calls.back(), "remove Tesvar.wmf");
    EXPECT_FALSE(f.output.fileExists);
    EXPECT_EQ(f.window.repaints, 1);
}

TEST(PrintCommand, APictureThatCannotBeRecordedIsNotPrintedAndBothFailuresAreTold)
{
    PrintFixture f;
    f.output.recordWorks = false;
    f.print();
    EXPECT_EQ(f.output.calls, (std::vector<std::string>{"record Tesvar.wmf", "remove Tesvar.wmf"}));
    EXPECT_EQ(f.ui.texts(), (std::vector<std::string>{"Error printing", "Error removing metafile"}));
    EXPECT_EQ(f.ui.messages[1].caption, "Error");
    EXPECT_EQ(f.ui.messages[1].icon, Icon::Warning);
}

TEST(PrintCommand, AFileThatCannotBeRemovedIsReportedAfterAGoodPrint)
{
    PrintFixture f;
    f.output.removeWorks = false;
    f.print();
    EXPECT_EQ(f.ui.texts(), (std::vector<std::string>{"Error removing metafile"}));
}

TEST(PrintCommand, EndsWithTheClearedPromptNoToolAndNoArmedReference)
{
    PrintFixture f;
    f.doc->interactionMode = 40008;
    f.doc->referenceArmed = 1;
    f.window.prompt = "Keys Up/Down to increase/decrease integrals size";
    printCommand(*f.doc, f.ui, f.window, f.output);
    EXPECT_EQ(f.window.prompt, " ");
    EXPECT_EQ(f.doc->referenceArmed, 0);
    EXPECT_EQ(f.doc->interactionMode, 8989);
    EXPECT_EQ(f.output.calls.size(), 3u);
}

}  // namespace
}  // namespace tesvar
