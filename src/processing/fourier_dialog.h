#pragma once

#include <string>
#include <vector>

#include "document/spectrum_document.h"

namespace tesvar {

class Ui;

// Controls of the dialog "FourierDB", "Fast Fourier Transform".
namespace fourier_ids {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Real = 95;
inline constexpr int DriftCorrection = 90;
inline constexpr int Quadrature = 96;
inline constexpr int Inverse = 97;
inline constexpr int SizeList = 1042;
inline constexpr int SizeEdit = 1044;  // shows the size; never read
}  // namespace fourier_ids

// The transform sizes list 1042 offers: entry i stands for 2^(i + 7) values, up to half
// the capacity of the data, so that a FID filling half of it can be zero filled to twice
// its length.
inline constexpr int kSmallestTransform = 128;
inline constexpr int kLargestTransform = 524288;
inline constexpr int kTransformSizeCount = 13;
static_assert(kSmallestTransform << (kTransformSizeCount - 1) == kLargestTransform);
static_assert(kLargestTransform <= kDataCapacity);
std::vector<std::string> transformSizeEntries();

// What the Fourier dialog's controller needs of its window.
class FourierView {
public:
    virtual ~FourierView() = default;
    virtual void setChecked(int checkBoxId, bool checked) = 0;
    virtual bool isChecked(int checkBoxId) const = 0;
    // Fills list 1042 with no entry selected.
    virtual void fillSizeList(const std::vector<std::string>& entries) = 0;
    // Edit 1044, as a signed integer.
    virtual void showSize(int values) = 0;
    // Sets the main window's horizontal scroll range without redrawing; false when the
    // range could not be set.
    virtual bool setMainScrollRange(int minimum, int maximum) = 0;
};

// The rules of the modal "Fast Fourier Transform" dialog: what it shows on opening, the
// size it proposes and the one chosen in its list, the steps of OK in their order, and
// Cancel. The view calls in; it closes itself after accept and cancel.
class FourierDialog {
public:
    FourierDialog(SpectrumDocument& doc, Ui& ui, FourierView& view);

    // Takes the undo snapshot, shows the options and rounds the size up to a listed
    // power of two.
    void open();
    // A double click on entry `index` of list 1042 (a single click does nothing).
    void sizeChosen(int index);
    // OK: transforms the data in place.
    void accept();
    // Cancel: the size fields go back to their values on opening; the data are as they
    // were.
    void cancel();

private:
    void resize(int values);

    SpectrumDocument& doc;
    Ui& ui;
    FourierView& view;
    int savedValueCount = 0;
};

// The smallest listed size that holds `values`; the largest for any more.
int roundedTransformSize(int values);

namespace text {
inline constexpr const char* kFilterDelayKept =
    "The delay of the digital filter is not removed from a real transform.";
inline constexpr const char* kFourierCaption = "Fast Fourier Transform";
}  // namespace text

// The whole of OK once the options are in the document: first-point averaging, drift
// correction (measured on the first `acquiredValues` values, those the dialog opened
// with), sign alternation, conjugation, the transform, the removal of a recorded
// digital-filter delay in the layout the options give (or its return before an inverse
// run), the flags for the next opening and the new largest value. Returns false when a
// recorded delay stays in the spectrum: a real transform has no layout to remove it in.
bool runFourierTransform(SpectrumDocument& doc, int acquiredValues = kDataCapacity);

}  // namespace tesvar
