#pragma once

#include <optional>
#include <string>

namespace tesvar {

class Ui;
class WindowPort;
struct SpectrumDocument;

// Control ids of the small dialogs of the View and Analyse menus and of the start-up
// box.
namespace view_ids {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
// Set limits, 10001.
inline constexpr int LimitFrom = 10001;
inline constexpr int LimitTo = 10002;
inline constexpr int LimitLabel = 10003;
inline constexpr int LimitUnit = 10004;  // the unit of the two edits
// "ScaleDB".
inline constexpr int ScaleStep = 85;
// Units, 131: radio buttons in the order of the unit checks.
inline constexpr int UnitSeconds = 1024;
inline constexpr int UnitPpm = 1025;
inline constexpr int UnitHertz = 1026;
inline constexpr int UnitPoints = 1027;
// Parameters, 144: read-only edits.
inline constexpr int ParamSf = 1053;
inline constexpr int ParamAq = 1054;
inline constexpr int ParamSw = 1055;
inline constexpr int ParamTd = 1057;
inline constexpr int ParamMode = 1058;
inline constexpr int ParamSwPpm = 1063;
}  // namespace view_ids

// Resource names and titles.
namespace view_text {
inline constexpr const char* kStartupTitle = "Tesvar Version 1.0";
inline constexpr const char* kLimitsTitle = "Set limits";
inline constexpr const char* kLimitsLabel = "From...to";
inline constexpr const char* kScaleTitle = "SCALE Y FACTOR";
inline constexpr const char* kUnitsTitle = "Units";
inline constexpr const char* kParametersTitle = "Data Acquisition Parameters";
}  // namespace view_text

// What the controllers of these dialogs need of their window: edit texts and check
// states by control id.
class DialogFields {
public:
    virtual ~DialogFields() = default;
    virtual void setText(int id, const std::string& text) = 0;
    virtual std::string text(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;
    virtual bool isChecked(int id) const = 0;
};

// Set limits (10001): shows the view window in the unit of the axis, named beside the
// edits, and on OK stores and checks the typed limits, read in that unit: "from" is the
// reading at the left edge. A refused OK stores nothing and keeps the dialog open.
class SetLimitsDialog {
public:
    SetLimitsDialog(SpectrumDocument& doc, Ui& ui, DialogFields& fields);
    void open();
    // True when the dialog may close.
    bool accept();

private:
    // What an edit showed on opening and the edge it stood for.
    struct ShownEdge {
        std::string text;
        double time = 0.0;
    };
    std::optional<double> edgeTime(int id, const ShownEdge& shown) const;

    SpectrumDocument& doc;
    Ui& ui;
    DialogFields& fields;
    ShownEdge shownFrom, shownTo;
};

// "ScaleDB": the factor of Increase and Decrease. OK stores whatever was typed; the
// command reopens the dialog until the factor lies from 1 to 10.
class ScaleFactorDialog {
public:
    ScaleFactorDialog(SpectrumDocument& doc, DialogFields& fields);
    void open();
    void accept();

private:
    SpectrumDocument& doc;
    DialogFields& fields;
};

// Units (131): the axis unit from four radio buttons; Cancel changes nothing.
class UnitsDialog {
public:
    UnitsDialog(SpectrumDocument& doc, WindowPort& window, DialogFields& fields);
    void open();
    void accept();

private:
    SpectrumDocument& doc;
    WindowPort& window;
    DialogFields& fields;
};

// Parameters (144): the acquisition values, read only.
void showParameters(const SpectrumDocument& doc, DialogFields& fields);

// The start-up box (217) closes itself when its timer fires, or on OK, whichever comes
// first; the timer is stopped before it closes.
class StartupBoxView {
public:
    virtual ~StartupBoxView() = default;
    virtual void startTimer(int timerId, int milliseconds) = 0;
    virtual void stopTimer(int timerId) = 0;
    virtual void closeBox() = 0;
};

class StartupBox {
public:
    static constexpr int kTimerId = 3344;
    static constexpr int kDefaultMilliseconds = 4000;

    explicit StartupBox(StartupBoxView& view, int milliseconds = kDefaultMilliseconds);
    void open();
    void timerFired(int timerId);
    void ok();
    bool isOpen() const { return opened && !closed; }

private:
    void finish();

    StartupBoxView& view;
    int milliseconds;
    bool opened = false;
    bool closed = false;
};

// The view dialogs as the window runs them, each modal over it.
class ViewDialogs {
public:
    virtual ~ViewDialogs() = default;
    virtual void runSetLimits() = 0;
    virtual void runScaleFactor() = 0;
    virtual void runUnits() = 0;
    virtual void runParameters() = 0;
    virtual void runAbout() = 0;
};

// Command 20: the dialog, then the zoom factor follows the limits; the prompt is
// cleared, the reference click disarmed and the plot repainted.
void setLimitsCommand(SpectrumDocument& doc, WindowPort& window, ViewDialogs& dialogs);
// Command 24: the dialog again and again until 1 <= verticalStep <= 10.
void scaleFactorCommand(SpectrumDocument& doc, ViewDialogs& dialogs);

}  // namespace tesvar
