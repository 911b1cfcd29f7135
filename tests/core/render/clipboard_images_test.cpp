#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "render/clipboard_images.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"

namespace tesvar {
namespace {

using namespace clipboard_text;

// Every pixel of the window tells where it is: 0xff000000 | x << 12 | y.
std::uint32_t pixelAt(int x, int y) { return 0xff000000u | (static_cast<std::uint32_t>(x) << 12) | y; }

class FakeClipboardWindow : public ClipboardWindow {
public:
    FakeClipboardWindow(int w, int h) : width(w), height(h) {}

    int clientWidth() const override { return width; }
    int clientHeight() const override { return height; }
    std::optional<Bitmap> windowPixels(int left, int top, int w, int h) override
    {
        grabs.push_back({left, top, w, h});
        if (!bitmapsCanBeMade)
            return std::nullopt;
        Bitmap b(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                b.at(x, y) = pixelAt(left + x, top + y);
        return b;
    }
    void drawPicture(const Bitmap& picture, int w, int h) override
    {
        drawn.push_back({picture.width, picture.height, w, h});
    }

    struct Rect {
        int a, b, c, d;
        bool operator==(const Rect&) const = default;
    };
    int width, height;
    bool bitmapsCanBeMade = true;
    std::vector<Rect> grabs;
    std::vector<Rect> drawn;  // picture width, height, drawn width, height
};

TEST(CopyRegion, EitherDragDirectionCopiesTheSamePixelsAndReportsSuccess)
{
    FakeClipboardWindow window(800, 600);
    test::FakeUi ui;
    copyRegionToClipboard(ui, window, {100, 50, 140, 80});
    ASSERT_TRUE(ui.clipboard);
    const Bitmap forward = *ui.clipboard;
    copyRegionToClipboard(ui, window, {140, 80, 100, 50});
    EXPECT_EQ(*ui.clipboard, forward);
    copyRegionToClipboard(ui, window, {140, 50, 100, 80});  // the other diagonal
    EXPECT_EQ(*ui.clipboard, forward);

    EXPECT_EQ(forward.width, 40);
    EXPECT_EQ(forward.height, 30);
    EXPECT_EQ(forward.at(0, 0), pixelAt(100, 50));
    EXPECT_EQ(forward.at(39, 29), pixelAt(139, 79));
    ASSERT_EQ(ui.messages.size(), 3u);
    for (const auto& m : ui.messages) {
        EXPECT_EQ(m.text, "The image was copied successfully to the clipboard");
        EXPECT_EQ(m.caption, "Task completed OK");
        EXPECT_EQ(m.buttons, Buttons::Ok);
        EXPECT_EQ(m.owner, Owner::ActiveWindow);
    }
    EXPECT_EQ(ui.beeps, 0);
}

TEST(CopyRegion, ADragWithoutWidthCopiesTheStripItCovers)
{
    FakeClipboardWindow window(800, 600);
    test::FakeUi ui;
    copyRegionToClipboard(ui, window, {200, 90, 200, 30});
    ASSERT_EQ(window.grabs.size(), 1u);
    EXPECT_EQ(window.grabs[0], (FakeClipboardWindow::Rect{200, 30, 1, 60}));
    ASSERT_TRUE(ui.clipboard);
    EXPECT_EQ(ui.clipboard->at(0, 59), pixelAt(200, 89));
}

TEST(CopyRegion, NoBitmapBeepsAndReportsWithoutTouchingTheClipboard)
{
    FakeClipboardWindow window(800, 600);
    window.bitmapsCanBeMade = false;
    test::FakeUi ui;
    ui.clipboard = Bitmap(3, 3, 0xff123456u);
    copyRegionToClipboard(ui, window, {0, 0, 10, 10});
    EXPECT_EQ(ui.beeps, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "An error ocurred while attempting to create a compatible bitmap in the "
              "Clipboard. No data was copied  to de clipboard");
    EXPECT_EQ(ui.messages[0].caption, "Runtime Error");
    EXPECT_EQ(ui.clipboardPuts, 0);
    EXPECT_EQ(ui.clipboard, Bitmap(3, 3, 0xff123456u));
}

TEST(CopyRegion, AClipboardThatCannotBeOpenedIsReportedAndNeverClaimedAsCopied)
{
    FakeClipboardWindow window(800, 600);
    test::FakeUi ui;
    ui.clipboardOpens = false;
    copyRegionToClipboard(ui, window, {0, 0, 10, 10});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kCopyClosed);
    EXPECT_EQ(ui.messages[0].caption, "Runtime Error");
    EXPECT_FALSE(ui.clipboard);
}

TEST(PasteImage, AnImageOfTheClientSizeOrSmallerIsDrawnWithoutAQuestion)
{
    FakeClipboardWindow window(800, 600);
    test::FakeUi ui;
    ui.clipboard = Bitmap(800, 600);
    pasteClipboardImage(ui, window);
    ui.clipboard = Bitmap(20, 600);
    pasteClipboardImage(ui, window);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(window.drawn, (std::vector<FakeClipboardWindow::Rect>{{800, 600, 800, 600},
                                                                    {20, 600, 20, 600}}));
    // The clipboard keeps its image.
    EXPECT_EQ(ui.clipboard->width, 20);
}

TEST(PasteImage, AWiderImageIsSqueezedOnYesClippedOnNoAndLeftOnCancel)
{
    FakeClipboardWindow window(800, 600);
    test::FakeUi ui;
    ui.clipboard = Bitmap(1000, 300);
    ui.answerNext(Answer::Yes);
    ui.answerNext(Answer::No);
    ui.answerNext(Answer::Cancel);
    pasteClipboardImage(ui, window);
    pasteClipboardImage(ui, window);
    pasteClipboardImage(ui, window);
    EXPECT_EQ(window.drawn, (std::vector<FakeClipboardWindow::Rect>{{1000, 300, 800, 300},
                                                                    {1000, 300, 1000, 300}}));
    ASSERT_EQ(ui.messages.size(), 3u);
    for (const auto& m : ui.messages) {
        EXPECT_EQ(m.text,
                  "Incoming image is wider than current window.Resize image? [Yes: resize.] "
                  "[No:right and bottom edges will be clipped]");
        EXPECT_EQ(m.caption, "Tesvar");
        EXPECT_EQ(m.buttons, Buttons::YesNoCancel);
        EXPECT_EQ(m.icon, Icon::Question);
    }
    EXPECT_EQ(ui.clipboard, Bitmap(1000, 300));
}

TEST(PasteImage, LongerAndLargerImagesAskTheirOwnQuestion)
{
    FakeClipboardWindow window(800, 600);
    test::FakeUi ui;
    ui.clipboard = Bitmap(500, 601);
    pasteClipboardImage(ui, window);  // answered Yes by default
    ui.clipboard = Bitmap(801, 601);
    pasteClipboardImage(ui, window);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text,
              "Incoming image is longer than current window.Resize image? [Yes: resize.] "
              "[No:right and bottom edges will be clipped]");
    EXPECT_EQ(ui.messages[1].text,
              "Image is wider and longer than current window. Resize image? [Yes: resize.] "
              "[No:right and bottom edges will be clipped]");
    EXPECT_EQ(window.drawn, (std::vector<FakeClipboardWindow::Rect>{{500, 601, 500, 600},
                                                                    {801, 601, 800, 600}}));
}

TEST(PasteImage, AClipboardWithoutAnImageOrClosedIsReportedAndNothingIsDrawn)
{
    FakeClipboardWindow window(800, 600);
    test::FakeUi ui;
    pasteClipboardImage(ui, window);  // text only: no image
    ui.clipboardOpens = false;
    pasteClipboardImage(ui, window);
    EXPECT_TRUE(window.drawn.empty());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text,
              "An error ocurried while attempting to grap the handle of the bitmap in the "
              "Clipboard. No data was pasted from the Clipboard.");
    EXPECT_EQ(ui.messages[0].caption, "Runtime Error");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
    EXPECT_EQ(ui.messages[1].text, kPasteClosed);
    EXPECT_EQ(ui.messages[1].caption, "Runtime Error");
}

TEST(ClipboardCommands, CopyArmsTheRectangleToolAndPasteClearsThePrompt)
{
    auto doc = std::make_unique<SpectrumDocument>();
    test::FakeUi ui;
    test::FakeWindow window;
    doc->interactionMode = cmd::Zoom;
    doc->dragStyle = DragStyle::VerticalLine;
    doc->referenceArmed = 1;
    window.prompt = "Keys Up/Down to increase/decrease integrals size";
    copyCommand(*doc, ui, window);
    EXPECT_EQ(doc->interactionMode, cmd::Copy);
    EXPECT_EQ(doc->dragToolArmed, 1);
    EXPECT_EQ(doc->dragStyle, DragStyle::Rectangle);
    EXPECT_EQ(doc->referenceArmed, 0);
    EXPECT_EQ(window.prompt, " ");
    EXPECT_EQ(ui.beeps, 1);

    FakeClipboardWindow picture(800, 600);
    ui.clipboard = Bitmap(10, 10);
    doc->referenceArmed = 1;
    doc->interactionMode = cmd::Zoom;
    window.prompt = "x";
    pasteCommand(*doc, ui, window, picture);
    EXPECT_EQ(picture.drawn.size(), 1u);
    EXPECT_EQ(doc->referenceArmed, 0);
    EXPECT_EQ(window.prompt, " ");
    EXPECT_EQ(doc->interactionMode, cmd::Zoom) << "Paste leaves the tool as it was";
}

}  // namespace
}  // namespace tesvar
