#include "document/view_dialogs.h"

#include <array>
#include <cstdint>

#include "document/parameter_lines.h"
#include "document/spectrum_document.h"
#include "document/text_format.h"
#include "document/view_settings.h"
#include "platform/window_port.h"

namespace tesvar {

namespace {

// The edits are read into buffers of a fixed size: what lies beyond is not read.
double readEdit(const DialogFields& fields, int id, std::size_t maxCharacters)
{
    const std::string text = fields.text(id);
    return readLeadingNumber(std::string_view(text).substr(0, maxCharacters));
}

// "%lf".
std::string sixDecimals(double value) { return formatFixed(value, 6); }

constexpr int kUnitIds[4] = {view_ids::UnitSeconds, view_ids::UnitPpm, view_ids::UnitHertz,
                             view_ids::UnitPoints};

}  // namespace

SetLimitsDialog::SetLimitsDialog(SpectrumDocument& d, Ui& u, DialogFields& f)
    : doc(d), ui(u), fields(f)
{
}

void SetLimitsDialog::open()
{
    const auto shown = [this](int id, double time) {
        const auto reading = readingAtTime(doc, time);
        ShownEdge edge{reading ? sixDecimals(*reading) : std::string(), time};
        fields.setText(id, edge.text);
        return edge;
    };
    shownFrom = shown(view_ids::LimitFrom, doc.viewLeft);
    shownTo = shown(view_ids::LimitTo, doc.viewRight);
    fields.setText(view_ids::LimitUnit, unitName(doc.displayUnits));
}

// An edit left as it was shown keeps its edge exactly: six decimals of ppm read back
// may otherwise put the end of the spectrum a hair past the end and refuse it.
std::optional<double> SetLimitsDialog::edgeTime(int id, const ShownEdge& shown) const
{
    if (fields.text(id) == shown.text)
        return shown.time;
    return timeAtReading(doc, readEdit(fields, id, 80));
}

bool SetLimitsDialog::accept()
{
    return applyLimitTimes(doc, ui, edgeTime(view_ids::LimitFrom, shownFrom),
                           edgeTime(view_ids::LimitTo, shownTo));
}

ScaleFactorDialog::ScaleFactorDialog(SpectrumDocument& d, DialogFields& f) : doc(d), fields(f) {}

void ScaleFactorDialog::open()
{
    fields.setText(view_ids::ScaleStep, sixDecimals(doc.verticalStep));
}

void ScaleFactorDialog::accept()
{
    doc.verticalStep = readEdit(fields, view_ids::ScaleStep, 11);
}

UnitsDialog::UnitsDialog(SpectrumDocument& d, WindowPort& w, DialogFields& f)
    : doc(d), window(w), fields(f)
{
}

void UnitsDialog::open()
{
    for (int k = 0; k < 4; ++k)
        fields.setChecked(kUnitIds[k], doc.unitChecks[k] != 0);
}

void UnitsDialog::accept()
{
    std::array<std::int32_t, 4> checks{};
    for (int k = 0; k < 4; ++k)
        checks[k] = fields.isChecked(kUnitIds[k]) ? 1 : 0;
    applyUnits(doc, window, checks);
}

void showParameters(const SpectrumDocument& doc, DialogFields& fields)
{
    const ParameterFields values = parameterFields(doc.acq, doc.realAcquisition == 1);
    fields.setText(view_ids::ParamSf, values.sf);
    fields.setText(view_ids::ParamSw, values.sw);
    fields.setText(view_ids::ParamSwPpm, values.swPpm);
    fields.setText(view_ids::ParamAq, values.aq);
    fields.setText(view_ids::ParamTd, values.td);
    fields.setText(view_ids::ParamMode, values.mode);
}

StartupBox::StartupBox(StartupBoxView& v, int ms) : view(v), milliseconds(ms) {}

void StartupBox::open()
{
    opened = true;
    view.startTimer(kTimerId, milliseconds);
}

void StartupBox::timerFired(int timerId)
{
    if (timerId == kTimerId)
        finish();
}

void StartupBox::ok() { finish(); }

// OK and the timer may both arrive; the box closes once.
void StartupBox::finish()
{
    if (!isOpen())
        return;
    closed = true;
    view.stopTimer(kTimerId);
    view.closeBox();
}

void setLimitsCommand(SpectrumDocument& doc, WindowPort& window, ViewDialogs& dialogs)
{
    dialogs.runSetLimits();
    limitsChanged(doc, window);
    window.setPrompt(" ");
    doc.referenceArmed = 0;
}

void scaleFactorCommand(SpectrumDocument& doc, ViewDialogs& dialogs)
{
    do
        dialogs.runScaleFactor();
    while (!(doc.verticalStep >= 1.0 && doc.verticalStep <= 10.0));
}

}  // namespace tesvar
