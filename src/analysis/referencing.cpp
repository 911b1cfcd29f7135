#include "analysis/referencing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/analysis_text.h"
#include "document/spectrum_document.h"
#include "document/text_format.h"
#include "document/truncation.h"
#include "platform/ui.h"
#include "platform/window_port.h"

namespace tesvar {

namespace {

bool inHertz(const SpectrumDocument& doc) { return doc.displayUnits == DisplayUnits::Hertz; }

// The unreferenced reading at time coordinate t in the current unit.
double readingAt(const SpectrumDocument& doc, double time)
{
    const double u = time / doc.acq.aq;
    const double hertz = (1.0 - u) * doc.acq.sw;
    return inHertz(doc) ? hertz : hertz / doc.acq.sf;
}

}  // namespace

bool referenceUnitsUsable(const SpectrumDocument& doc, Ui& ui)
{
    if (doc.displayUnits == DisplayUnits::Ppm || doc.displayUnits == DisplayUnits::Hertz)
        return true;
    ui.message(text::kReferenceUnits, text::kReferenceUnitsCaption, Buttons::Ok, Icon::Warning);
    return false;
}

bool referenceClickUsable(const SpectrumDocument& doc, Ui& ui, double time)
{
    // Off the data, or on a spectrum without a scale in this unit, there is nothing to
    // reference.
    if (timeOnData(doc, time) && std::isfinite(readingAt(doc, time)))
        return true;
    ui.message(text::kReferenceOutside, text::kRefusedInputCaption, Buttons::Ok, Icon::Warning);
    return false;
}

void setReferenceClick(SpectrumDocument& doc, double time)
{
    doc.referenceTime = time;
    std::int32_t index = truncatedInt32(doc.valueCount / doc.acq.aq * time, 0);
    // An odd positive index lands on the real element after it.
    if (index > 0 && index % 2 != 0 && index < std::numeric_limits<std::int32_t>::max())
        ++index;
    doc.referenceIndex = index;
}

double unreferencedReading(const SpectrumDocument& doc)
{
    return readingAt(doc, doc.referenceTime);
}

void applyReference(SpectrumDocument& doc, double value)
{
    // One frequency scale: the shift in Hz is the shift in ppm times the spectrometer
    // frequency, whichever unit it was typed in.
    const double offset = value - doc.referenceBase;
    const bool ppmScale = doc.acq.sf != 0.0 && std::isfinite(doc.acq.sf);
    if (inHertz(doc)) {
        doc.hzOffset = offset;
        doc.ppmOffset = ppmScale ? offset / doc.acq.sf : 0.0;
    } else {
        doc.ppmOffset = offset;
        doc.hzOffset = offset * doc.acq.sf;
    }
}

ReferenceDialog::ReferenceDialog(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                                 EditsView& view)
    : doc(doc), ui(ui), window(window), view(view)
{
}

void ReferenceDialog::open()
{
    doc.referenceBase = unreferencedReading(doc);
    const double shown = doc.referenceBase + (inHertz(doc) ? doc.hzOffset : doc.ppmOffset);
    const std::string text = formatFixed(shown, kDefaultDecimals);
    view.setText(reference_ids::CurrentEdit, text);
    view.setText(reference_ids::NewEdit, text);
}

bool ReferenceDialog::accept()
{
    const auto value = readEditFiniteNumber(view.text(reference_ids::NewEdit));
    if (!value) {
        ui.message(text::kReferenceNotFinite, text::kRefusedInputCaption, Buttons::Ok,
                   Icon::Warning);
        return false;
    }
    applyReference(doc, *value);
    window.invalidatePlot();
    return true;
}

void ReferenceDialog::cancel() { window.invalidatePlot(); }

}  // namespace tesvar
