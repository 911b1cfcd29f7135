#include "render/clipboard_images.h"

#include <algorithm>
#include <cstdlib>

#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "platform/ui.h"
#include "platform/window_port.h"

namespace tesvar {

using namespace clipboard_text;

void copyRegionToClipboard(Ui& ui, ClipboardWindow& window, const DragCorners& drag)
{
    const int left = std::min(drag.x1, drag.x2);
    const int top = std::min(drag.y1, drag.y2);
    const int width = std::max(std::abs(drag.x2 - drag.x1), 1);
    const int height = std::max(std::abs(drag.y2 - drag.y1), 1);

    const std::optional<Bitmap> pixels = window.windowPixels(left, top, width, height);
    if (!pixels) {
        ui.beep();
        ui.message(kNoBitmap, kRuntimeError, Buttons::Ok, Icon::None);
        return;
    }
    // Success is claimed only once the clipboard holds the picture.
    if (!ui.putClipboardImage(*pixels)) {
        ui.message(kCopyClosed, kRuntimeError, Buttons::Ok, Icon::None);
        return;
    }
    ui.message(kCopied, kCopiedCaption, Buttons::Ok, Icon::None);
}

void pasteClipboardImage(Ui& ui, ClipboardWindow& window)
{
    const int cw = window.clientWidth();
    const int ch = window.clientHeight();
    const ClipboardImage clip = ui.clipboardImage();
    if (!clip.opened) {
        ui.message(kPasteClosed, kRuntimeError, Buttons::Ok, Icon::None);
        return;
    }
    if (!clip.image) {
        ui.message(kNoImage, kRuntimeError, Buttons::Ok, Icon::None);
        return;
    }
    const Bitmap& image = *clip.image;
    const int bw = image.width;
    const int bh = image.height;

    const char* question = nullptr;
    int fitWidth = bw;
    int fitHeight = bh;
    if (bw > cw && bh > ch) {
        question = kWiderAndLonger;
        fitWidth = cw;
        fitHeight = ch;
    } else if (bw > cw) {
        question = kWider;
        fitWidth = cw;
    } else if (bh > ch) {
        question = kLonger;
        fitHeight = ch;
    }
    if (!question) {
        window.drawPicture(image, bw, bh);
        return;
    }
    switch (ui.message(question, kQuestionCaption, Buttons::YesNoCancel, Icon::Question)) {
    case Answer::Yes:
        window.drawPicture(image, fitWidth, fitHeight);
        break;
    case Answer::No:
        // Drawn at full size: the window clips its right and bottom edges.
        window.drawPicture(image, bw, bh);
        break;
    default:
        break;
    }
}

void copyCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window)
{
    doc.dragToolArmed = 1;
    doc.dragStyle = DragStyle::Rectangle;
    doc.interactionMode = cmd::Copy;
    ui.beep();
    window.setPrompt(" ");
    doc.referenceArmed = 0;
}

void pasteCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                  ClipboardWindow& clipboardWindow)
{
    pasteClipboardImage(ui, clipboardWindow);
    window.setPrompt(" ");
    doc.referenceArmed = 0;
}

}  // namespace tesvar
