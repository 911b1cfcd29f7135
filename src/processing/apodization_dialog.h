#pragma once

#include <string>

namespace tesvar {

struct SpectrumDocument;
class Ui;
class WindowPort;

// Controls of dialog 143, "Window Function Parameters".
namespace apodization_ids {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Exponential = 1038;
inline constexpr int Gaussian = 1039;
inline constexpr int LorentzGauss = 1040;
inline constexpr int SineBell = 1069;
inline constexpr int SineSquared = 1071;
inline constexpr int ExpLB = 1034;
inline constexpr int GaussLB = 1036;
inline constexpr int LgLB = 1043;
inline constexpr int LgGB = 1035;
inline constexpr int SineBellShift = 1068;
inline constexpr int SineSquaredShift = 1070;
// The five radio buttons in the order of windowChoice.
inline constexpr int kRadios[5] = {Exponential, Gaussian, LorentzGauss, SineBell,
                                   SineSquared};
}  // namespace apodization_ids

namespace text {
inline constexpr const char* kLgPositiveLB =
    "LB must be negative for the Lorentzian/Gaussian function\n"
    "Tesvar will use the negative of that value.";
inline constexpr const char* kLgGBRange = "GB must be a number between 0 and 1";
inline constexpr const char* kLgGBZero =
    "GB must be greater than 0 for the Lorentzian/Gaussian function";
inline constexpr const char* kWindowTiming =
    "The window function cannot be applied:\n"
    "the sweep width or the acquisition time of this spectrum is not valid.";
inline constexpr const char* kWindowOverflow =
    "The window function cannot be applied:\n"
    "its factors would make the values too large. Choose a smaller line broadening.";
inline constexpr const char* kApodizationErrorCaption = "Error";
}  // namespace text

// What the apodization dialog's controller needs of its window.
class ApodizationView {
public:
    virtual ~ApodizationView() = default;
    // Returns false when the edit could not take the text.
    virtual bool setText(int editId, const std::string& text) = 0;
    virtual std::string text(int editId) const = 0;
    virtual void setChecked(int radioId, bool checked) = 0;
    virtual bool isChecked(int radioId) const = 0;
};

// The rules of the modal dialog 143: the remembered values shown on opening with two
// decimals, the windows OK applies in their order, and the messages that keep the
// dialog open. The view calls in; it closes itself when accept returns true and after
// cancel.
class ApodizationDialog {
public:
    ApodizationDialog(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                      ApodizationView& view);

    // Takes the undo snapshot and shows the remembered choice and values.
    void open();
    // OK: returns true when the dialog closes, false when a message keeps it open.
    bool accept();
    // Cancel changes nothing (the snapshot taken on opening remains).
    void cancel() {}

private:
    bool refuse(const char* message);

    SpectrumDocument& doc;
    Ui& ui;
    WindowPort& window;
    ApodizationView& view;
};

}  // namespace tesvar
