#include "processing/apodization_dialog.h"

#include <span>

#include "document/spectrum_document.h"
#include "platform/ui.h"
#include "platform/window_port.h"
#include "processing/dialog_text.h"
#include "processing/window_functions.h"

namespace tesvar {

namespace {

// An edit gives at most 79 characters, as an 80-character buffer holds.
constexpr std::size_t kEditTextLimit = 79;

struct RememberedValue {
    int editId;
    double SpectrumDocument::*field;
};

constexpr RememberedValue kValues[] = {
    {apodization_ids::ExpLB, &SpectrumDocument::expLB},
    {apodization_ids::GaussLB, &SpectrumDocument::gaussLB},
    {apodization_ids::LgLB, &SpectrumDocument::lgLB},
    {apodization_ids::LgGB, &SpectrumDocument::lgGB},
    {apodization_ids::SineBellShift, &SpectrumDocument::sineBellShift},
    {apodization_ids::SineSquaredShift, &SpectrumDocument::sineSquaredShift},
};

}  // namespace

ApodizationDialog::ApodizationDialog(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                                     ApodizationView& view)
    : doc(doc), ui(ui), window(window), view(view)
{
}

void ApodizationDialog::open()
{
    undoSnapshot(doc, true);
    for (const RememberedValue& v : kValues) {
        const bool written = view.setText(v.editId, formatDialogFixed(doc.*v.field, 2));
        if (!written && v.editId == apodization_ids::LgGB)
            ui.beep();
    }
    for (int i = 0; i < 5; ++i)
        view.setChecked(apodization_ids::kRadios[i], doc.windowChoice[i] != 0);
}

bool ApodizationDialog::refuse(const char* message)
{
    ui.message(message, text::kApodizationErrorCaption, Buttons::Ok, Icon::Information);
    return false;
}

bool ApodizationDialog::accept()
{
    for (int i = 0; i < 5; ++i)
        doc.windowChoice[i] = view.isChecked(apodization_ids::kRadios[i]) ? 1 : 0;
    for (const RememberedValue& v : kValues)
        doc.*v.field = readDialogDecimal(view.text(v.editId).substr(0, kEditTextLimit));

    const std::span<double> data(doc.data);
    const int n = doc.valueCount;
    // Only "Sine squared Multiplication" can join one of the other four, and it runs
    // last and always succeeds: a window refused here leaves the data untouched.
    auto check = [&](WindowResult r) {
        if (r == WindowResult::BadTiming)
            return refuse(text::kWindowTiming);
        if (r == WindowResult::Overflow)
            return refuse(text::kWindowOverflow);
        return true;
    };
    if (doc.windowChoice[0] && !check(exponentialWindow(data, n, doc.expLB, doc.acq.sw)))
        return false;
    if (doc.windowChoice[1] && !check(gaussianWindow(data, n, doc.gaussLB, doc.acq.aq)))
        return false;
    if (doc.windowChoice[2]) {
        if (doc.lgLB > 0.0) {
            ui.message(text::kLgPositiveLB, text::kApodizationErrorCaption, Buttons::Ok,
                       Icon::Information);
            doc.lgLB = -doc.lgLB;
        }
        if (doc.lgGB > 1.0 || doc.lgGB < 0.0)
            return refuse(text::kLgGBRange);
        // The window's Gaussian part is centred at GB times the acquisition time and its
        // width divides by GB: a GB of 0 has no window.
        if (doc.lgGB == 0.0)
            return refuse(text::kLgGBZero);
        if (!check(lorentzGaussWindow(data, n, doc.lgLB, doc.lgGB, doc.acq.aq)))
            return false;
    }
    if (doc.windowChoice[3])
        sineBellWindow(data, n, doc.sineBellShift, false);
    if (doc.windowChoice[4])
        sineBellWindow(data, n, doc.sineSquaredShift, true);
    window.invalidatePlot();
    return true;
}

}  // namespace tesvar
