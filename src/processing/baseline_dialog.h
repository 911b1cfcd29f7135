#pragma once

#include <functional>

namespace tesvar {

class Canvas;
class Ui;
class WindowPort;
struct SpectrumDocument;

// Controls of the captionless strip dialog "BaselineDB".
namespace baseline_ids {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Order0Edit = 1081;    // 1081 .. 1084 for orders 0 .. 3
inline constexpr int Order0Arrow = 56777;  // 56777 .. 56780, beside the edits
inline constexpr int kOrders = 4;
}  // namespace baseline_ids

// What the manual baseline dialog's controller needs of its window: four sliders and
// four arrow controls sharing one range, the four edits, and a drawing surface on the
// main window's client area for the preview curve.
class BaselineView {
public:
    virtual ~BaselineView() = default;
    virtual void setRange(int lower, int upper) = 0;
    // Edits 1081 + order, as signed integers; an edit whose text is no number reads 0.
    virtual void setEditValue(int order, int value) = 0;
    virtual int editValue(int order) const = 0;
    virtual void setSliderPosition(int order, int position) = 0;
    // Runs `draw` on the window's screen surface (obtained and released around it).
    virtual void drawOnWindow(const std::function<void(Canvas&)>& draw) = 0;
};

// The rules of "BaselineDB": four sliders set the coefficients of a polynomial of order
// 0 to 3, previewed as a curve over the plot; OK adds the polynomial to the data.
class BaselineDialog {
public:
    BaselineDialog(SpectrumDocument& doc, WindowPort& window, BaselineView& view);

    // Takes the undo snapshot, sets every coefficient to 0 and gives the sliders a range
    // of half the largest value either way.
    void open();
    // A slider notification: codes 0 to 7 set the coefficient (nothing is drawn yet),
    // code 8 (end of a drag, from any slider) redraws the preview.
    void sliderMoved(int order, int position, int code);
    // An arrow control wrote its value into its edit: the coefficient follows the edit,
    // the slider follows the coefficient, and the preview is redrawn.
    void arrowClicked(int order);
    // Adds the polynomial of the current coefficients to every value and repaints.
    void accept();
    // Repaints (removing the preview); the data are unchanged.
    void cancel();

    int lower() const { return rangeLower; }
    int upper() const { return rangeUpper; }

private:
    void preview();

    SpectrumDocument& doc;
    WindowPort& window;
    BaselineView& view;
    int rangeLower = 0;
    int rangeUpper = 0;
};

// Command 43: runs the dialog (modal), then beeps, clears the prompt and disarms a
// pending reference click.
void manualBaselineCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                           const std::function<void()>& runDialog);

// Draws the preview in inverting mode: the curve drawn last time is drawn again, which
// erases it, then the curve of the current coefficients. Returns the new value of
// baselineFirstDraw (0: a curve is on the screen).
int drawBaselinePreview(SpectrumDocument& doc, Canvas& screen);

}  // namespace tesvar
