#pragma once

#include <cstdint>
#include <string>

#include "analysis/edits_view.h"

namespace tesvar {

class Ui;
class WindowPort;
struct SpectrumDocument;

// Controls of dialog 142, "Reference".
namespace reference_ids {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int CurrentEdit = 1035;  // disabled
inline constexpr int NewLabel = 1032;
inline constexpr int NewEdit = 1034;
}  // namespace reference_ids

namespace text {
inline constexpr const char* kReferenceTitle = "Reference";
inline constexpr const char* kCurrentReference = "Current Reference";
inline constexpr const char* kNewReference = "New Reference";
inline constexpr const char* kReferencePrompt = "Press  left mouse button to reference";
inline constexpr const char* kReferenceUnits = "To reference the units must be in Hertz or  ppm";
inline constexpr const char* kReferenceUnitsCaption = "Warning";
}  // namespace text

// True when the display unit is ppm or Hertz; otherwise the warning is shown.
bool referenceUnitsUsable(const SpectrumDocument& doc, Ui& ui);

// True when time coordinate t lies on the data and reads a finite number in the current
// unit; otherwise the click is refused with a message.
bool referenceClickUsable(const SpectrumDocument& doc, Ui& ui, double time);

// Keeps a reference click at time coordinate t: referenceTime, and referenceIndex, the
// element index under it moved up to the next real element when odd.
void setReferenceClick(SpectrumDocument& doc, double time);

// The unreferenced reading at the click in the current unit (Hz or ppm).
double unreferencedReading(const SpectrumDocument& doc);

// Makes the clicked position read `value` in the current unit: the unit's offset
// becomes value minus the unreferenced reading, and the other unit's offset the same
// shift in its unit (Hz = ppm x sf), so that the axis, the readout and the peak report
// share one frequency scale. referencePoint stays the origin of the unreferenced scale;
// the axis adds the offset to it.
void applyReference(SpectrumDocument& doc, double value);

// The rules of the modal dialog 142: both edits show the reading at the click (with the
// offset in force); OK references the click to the new edit's number, Cancel changes
// nothing. Both repaint the plot; the view closes itself after either, unless OK
// refused a number that is not finite ("inf", "nan", 1e400) with a message.
class ReferenceDialog {
public:
    ReferenceDialog(SpectrumDocument& doc, Ui& ui, WindowPort& window, EditsView& view);

    void open();
    // False, with nothing changed, when the number was refused.
    bool accept();
    void cancel();

private:
    SpectrumDocument& doc;
    Ui& ui;
    WindowPort& window;
    EditsView& view;
};

}  // namespace tesvar
