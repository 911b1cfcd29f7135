#include "processing/baseline_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

#include "document/spectrum_document.h"
#include "platform/canvas.h"
#include "platform/ui.h"
#include "platform/window_port.h"
#include "processing/baseline.h"

namespace tesvar {

namespace {

// An all-zero spectrum has no scale of its own: its sliders span -100 .. 100 data
// units, as those of a spectrum whose largest value is 200 do, and its preview is drawn
// at that spectrum's height.
constexpr double kScaleWithoutSpectrum = 200.0;

// The trace is drawn against the magnitude of the largest value, whatever its sign; so
// is the curve, or it would be mirrored when the largest value is negative.
double previewDivisor(double maxAbsValue)
{
    return maxAbsValue != 0.0 && std::isfinite(maxAbsValue) ? std::fabs(maxAbsValue)
                                                            : kScaleWithoutSpectrum;
}

int screenY(double y)
{
    const double limit = 1 << 22;
    if (std::isnan(y))
        return 0;
    return static_cast<int>(std::trunc(std::clamp(y, -limit, limit)));
}

// The correction of the current slider positions, as OK would add it.
void evaluateCurrentCorrection(SpectrumDocument& doc)
{
    const double f = doc.baselineScale;
    const auto& c = doc.baselineCoeff;
    evaluateBaseline(std::span<double>(doc.baselineCorrection), valuesInUse(doc), c[0] / f,
                     c[1] / f, c[2] / f, c[3] / f);
}

// The correction polynomial across the client width, one vertex per pixel column.
void drawCorrection(const SpectrumDocument& doc, Canvas& screen)
{
    const int n = valuesInUse(doc);
    const int width = doc.clientWidth;
    if (n == 0 || width <= 0)
        return;
    const double divisor = previewDivisor(doc.maxAbsValue);
    // The curve shows the baseline that OK removes, the correction negated, at the pixel
    // where the trace would draw that baseline.
    auto y = [&](int i) {
        return screenY(doc.baselineY + doc.baselineCorrection[i] / divisor * doc.verticalScale);
    };
    const int step = n / width;
    if (step >= 1) {
        screen.moveTo(0, y(0));
        int x = 1;
        for (int i = step; i < n; i += step, ++x)
            screen.lineTo(x, y(i));
    } else {
        // Fewer values than pixel columns: every value, spread over the width.
        screen.moveTo(0, y(0));
        for (int i = 1; i < n; ++i)
            screen.lineTo(static_cast<int>(std::int64_t{i} * width / n), y(i));
    }
}

}  // namespace

int drawBaselinePreview(SpectrumDocument& doc, Canvas& screen)
{
    screen.setPen(Pen{{0, 0, 0}, 1});
    screen.setInvert(true);
    if (doc.baselineFirstDraw == 1)
        evaluateCurrentCorrection(doc);
    drawCorrection(doc, screen);
    if (doc.baselineFirstDraw == 0) {
        evaluateCurrentCorrection(doc);
        drawCorrection(doc, screen);
    }
    screen.setInvert(false);
    return 0;
}

void manualBaselineCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                           const std::function<void()>& runDialog)
{
    runDialog();
    ui.beep();
    window.setPrompt(" ");
    doc.referenceArmed = 0;
}

BaselineDialog::BaselineDialog(SpectrumDocument& d, WindowPort& w, BaselineView& v)
    : doc(d), window(w), view(v)
{
}

void BaselineDialog::open()
{
    undoSnapshot(doc, true);
    doc.baselineCoeff = {0, 0, 0, 0};
    doc.baselineFirstDraw = 1;
    const BaselineSliders scale = baselineSliders(doc.maxAbsValue);
    doc.baselineScale = scale.scale;
    rangeLower = scale.lower;
    rangeUpper = scale.upper;
    view.setRange(rangeLower, rangeUpper);
    for (int k = 0; k < baseline_ids::kOrders; ++k) {
        view.setEditValue(k, 0);
        view.setSliderPosition(k, 0);
    }
}

void BaselineDialog::sliderMoved(int order, int position, int code)
{
    if (order < 0 || order >= baseline_ids::kOrders)
        return;
    if (code >= 0 && code <= 7) {
        doc.baselineCoeff[order] = std::clamp(position, rangeLower, rangeUpper);
        view.setEditValue(order, doc.baselineCoeff[order]);
    } else if (code == 8) {
        preview();
    }
}

void BaselineDialog::arrowClicked(int order)
{
    if (order < 0 || order >= baseline_ids::kOrders)
        return;
    doc.baselineCoeff[order] = std::clamp(view.editValue(order), rangeLower, rangeUpper);
    view.setSliderPosition(order, doc.baselineCoeff[order]);
    preview();
}

void BaselineDialog::accept()
{
    addBaselineCorrection(doc);
    window.invalidatePlot();
}

void BaselineDialog::cancel() { window.invalidatePlot(); }

void BaselineDialog::preview()
{
    view.drawOnWindow([this](Canvas& screen) { doc.baselineFirstDraw = drawBaselinePreview(doc, screen); });
}

}  // namespace tesvar
