#include "analysis/referencing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/analysis_text.h"
#include "analysis/truncation.h"
#include "document/spectrum_document.h"
#include "document/text_format.h"
#include "platform/ui.h"
#include "platform/window_port.h"

namespace tesvar {

namespace {

bool inHertz(const SpectrumDocument& doc) { return doc.displayUnits == DisplayUnits::Hertz; }

}  // namespace

bool referenceUnitsUsable(const SpectrumDocument& doc, Ui& ui)
{
    if (doc.displayUnits == DisplayUnits::Ppm || doc.displayUnits == DisplayUnits::Hertz)
        return true;
    ui.message(text::kReferenceUnits, text::kReferenceUnitsCaption, Buttons::Ok, Icon::Warning);
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
    const double u = doc.referenceTime / doc.acq.aq;
    const double hertz = (1.0 - u) * doc.acq.sw;
    return inHertz(doc) ? hertz : hertz / doc.acq.sf;
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

ReferenceDialog::ReferenceDialog(SpectrumDocument& doc, WindowPort& window, EditsView& view)
    : doc(doc), window(window), view(view)
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

void ReferenceDialog::accept()
{
    applyReference(doc, readEditNumber(view.text(reference_ids::NewEdit)));
    window.invalidatePlot();
}

void ReferenceDialog::cancel() { window.invalidatePlot(); }

}  // namespace tesvar
