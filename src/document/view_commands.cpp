#include "document/view_commands.h"

#include "document/spectrum_document.h"
#include "platform/window_port.h"
#include "processing/invert.h"

namespace tesvar {

void undoCommand(SpectrumDocument& doc, WindowPort& window)
{
    doc.maxAbsValue = undoSnapshot(doc, false);
    window.invalidatePlot();
}

void invertCommand(SpectrumDocument& doc, WindowPort& window)
{
    invertData(doc);
    window.invalidatePlot();
}

void fullCommand(SpectrumDocument& doc, WindowPort& window)
{
    doc.viewLeft = 0.0;
    doc.viewRight = doc.acq.aq;
    doc.fullView = 1;
    updateZoomFactor(doc);
    doc.hScrollPos = 0;
    window.invalidatePlot();
}

void increaseCommand(SpectrumDocument& doc, WindowPort& window)
{
    doc.verticalScale = doc.verticalScale * doc.verticalStep;
    window.invalidatePlot();
}

void decreaseCommand(SpectrumDocument& doc, WindowPort& window)
{
    doc.verticalScale = doc.verticalScale / doc.verticalStep;
    window.invalidatePlot();
}

bool characterKey(SpectrumDocument& doc, WindowPort& window, char key)
{
    if (key == '+')
        increaseCommand(doc, window);
    else if (key == '-')
        decreaseCommand(doc, window);
    else
        return false;
    return true;
}

}  // namespace tesvar
