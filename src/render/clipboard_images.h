#pragma once

#include <optional>

#include "platform/bitmap.h"

namespace tesvar {

class Ui;
class WindowPort;
struct SpectrumDocument;

// Texts of the clipboard exchange.
namespace clipboard_text {
inline constexpr const char* kRuntimeError = "Runtime Error";
inline constexpr const char* kNoBitmap =
    "An error ocurred while attempting to create a compatible bitmap in the Clipboard. "
    "No data was copied  to de clipboard";
inline constexpr const char* kCopied = "The image was copied successfully to the clipboard";
inline constexpr const char* kCopiedCaption = "Task completed OK";
inline constexpr const char* kCopyClosed =
    "The clipboard could not be opened. No data was copied to the clipboard.";
inline constexpr const char* kNoImage =
    "An error ocurried while attempting to grap the handle of the bitmap in the Clipboard. "
    "No data was pasted from the Clipboard.";
inline constexpr const char* kPasteClosed =
    "The clipboard could not be opened. No data was pasted from the Clipboard.";
inline constexpr const char* kQuestionCaption = "Tesvar";
inline constexpr const char* kWiderAndLonger =
    "Image is wider and longer than current window. Resize image? [Yes: resize.] "
    "[No:right and bottom edges will be clipped]";
inline constexpr const char* kWider =
    "Incoming image is wider than current window.Resize image? [Yes: resize.] "
    "[No:right and bottom edges will be clipped]";
inline constexpr const char* kLonger =
    "Incoming image is longer than current window.Resize image? [Yes: resize.] "
    "[No:right and bottom edges will be clipped]";
}  // namespace clipboard_text

// What the clipboard exchange needs of the main window: the size of its client area,
// the pixels it shows, and drawing onto it.
class ClipboardWindow {
public:
    virtual ~ClipboardWindow() = default;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    // The width x height pixels the window shows from (left, top); nothing when no
    // bitmap of that size can be made.
    virtual std::optional<Bitmap> windowPixels(int left, int top, int width, int height) = 0;
    // Draws the picture scaled to width x height with its top-left corner at the client
    // origin. It stays on the window until the next repaint.
    virtual void drawPicture(const Bitmap& picture, int width, int height) = 0;
};

// The two corners of the copy tool's drag, in client pixels: where the button went
// down and where the pointer was last seen.
struct DragCorners {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Puts the window's pixels inside the dragged rectangle on the clipboard. A drag of
// no width or no height copies the one-pixel strip it covers.
void copyRegionToClipboard(Ui& ui, ClipboardWindow& window, const DragCorners& drag);

// Draws the clipboard's image at the client origin, asking first whether an image
// larger than the client area is to be shrunk to fit.
void pasteClipboardImage(Ui& ui, ClipboardWindow& window);

// Commands 11 and 12 arm the copy tool: the next drag shows a rectangle, and its
// release copies. Command 13 pastes.
void copyCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window);
void pasteCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                  ClipboardWindow& clipboardWindow);

}  // namespace tesvar
