#pragma once

namespace tesvar {

class Canvas;
struct SpectrumDocument;

// Redraws the whole picture of the window onto the back buffer: a white fill of the
// client area, the blue trace of the real parts (drawn per column, with the pixels of
// one segment per point), the red axis, the integrals when integralsShown and the
// coupling markers while measureJActive.
// Renews the integrals' label hit boxes.
void renderPlot(SpectrumDocument& doc, Canvas& backBuffer);

// Brackets and vertical value labels of every integral, then their curves; the canvas
// keeps the overlay pen and gets its default font back.
void drawIntegralLabels(SpectrumDocument& doc, Canvas& canvas);

// Running-sum curves of every integral, hanging from integralBaseY.
void drawIntegralCurves(const SpectrumDocument& doc, Canvas& canvas);

// Numbered vertical lines at the coupling-measurement markers.
void drawCouplingMarkers(const SpectrumDocument& doc, Canvas& canvas);

}  // namespace tesvar
