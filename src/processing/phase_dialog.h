#pragma once

namespace tesvar {

struct SpectrumDocument;
class Ui;
class WindowPort;

// Controls of the modeless dialog 122, "Phase Correction".
namespace phase_ids {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Order0Edit = 1016;
inline constexpr int Order1Edit = 1017;
inline constexpr int Order0Arrow = 101;
inline constexpr int Order1Arrow = 102;
inline constexpr int Auto = 1018;
inline constexpr int kMinimum = -180;
inline constexpr int kMaximum = 180;
}  // namespace phase_ids

// Slider notification codes: 0 to 7 are the line, page, track, thumb, top and bottom
// steps; 8 ends a drag.
inline constexpr int kSliderEndTrack = 8;

// What the phase dialog's controller needs of its window. Slider 0 drives the
// zero-order phase, slider 1 the first-order phase.
class PhaseView {
public:
    virtual ~PhaseView() = default;
    // Edits 1016 and 1017 as signed integers; an edit whose text is no number reads 0.
    virtual void setEditValue(int editId, int value) = 0;
    virtual int editValue(int editId) const = 0;
    virtual void setSliderPosition(int slider, int position) = 0;
};

// The rules of the modeless "Phase Correction" dialog. Every preview, OK and Cancel
// starts again from the undo snapshot as it then stands, so previews never accumulate.
// The view calls in; it closes itself after accept and cancel.
class PhaseDialog {
public:
    PhaseDialog(SpectrumDocument& doc, WindowPort& window, PhaseView& view);

    // Both angles start at 0.
    void open();
    // Auto: the automatic phase of the data as the dialog opened them; the edits and
    // sliders move to the angles found (rounded to whole degrees, while the preview
    // keeps their fractions). A FID or a spectrum without lines is refused with a message.
    void autoPhase(Ui& ui);
    // A slider moved to `position`: the preview rotates the real parts of the snapshot.
    // The end-of-drag notification changes nothing.
    void sliderMoved(int slider, int position, int code);
    // An arrow control was clicked: it has written its value into its edit, and both
    // edits are read.
    void arrowClicked();
    // OK: the full rotation of every point, and a new largest value (and so a new pivot).
    void accept();
    // Cancel: the data and the angles in use as on opening.
    void cancel();

private:
    void preview();

    SpectrumDocument& doc;
    WindowPort& window;
    PhaseView& view;
    double openedPhase0 = 0.0;
    double openedPhase1 = 0.0;
};

// One preview step: the snapshot back into the data, then the real parts rotated by
// the document's phase0 and phase1 about the pivot maxAbsIndex.
void previewPhase(SpectrumDocument& doc);

}  // namespace tesvar
