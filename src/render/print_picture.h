#pragma once

#include <optional>
#include <string>

#include "platform/canvas.h"
#include "document/plot_geometry.h"

namespace tesvar {

struct SpectrumDocument;

// The printed picture is drawn on a fixed canvas of 3000 x 850 logical units.
inline constexpr int kPrintWidth = 3000;
inline constexpr int kPrintHeight = 850;

// The name of the Print command's temporary picture file, inside its private folder.
inline constexpr const char* kPrintMetafileName = "Tesvar.wmf";

// Draws the whole printed picture on `canvas` (the recording surface): axis, trace
// clamped to the canvas, integrals, border, the parameter header and the unit caption,
// all with the plain black pen. Renews nothing in the document.
void buildPrintMetafile(SpectrumDocument& doc, Canvas& canvas);

// The axis of the canvas between two element indices, in printTextFont.
void drawPrintAxis(const SpectrumDocument& doc, Canvas& canvas, ElementIndex a, ElementIndex b);

// Brackets and value labels of the integrals, in printVerticalLabelFont.
void drawPrintIntegralLabels(SpectrumDocument& doc, Canvas& canvas);

// Running-sum curves of the integrals on the canvas.
void drawPrintIntegralCurves(const SpectrumDocument& doc, Canvas& canvas);

// "Spectrum Frecuency(MHz)= 400.130   Sweep Width(Hz/ppm) 6000.000/14.995   ..."
std::string printHeaderLine(const SpectrumDocument& doc);

// "Seconds", "ppm", "Hertz" or "Points".
std::string unitCaption(const SpectrumDocument& doc);

// The picture's frame in hundredths of a millimetre, from its size in logical units
// and the resolution of the screen it was recorded against (pixels per inch).
IntRect metafileFrame(const IntRect& logical, double screenDpiX, double screenDpiY);

// Where the picture goes on a page of pageWidth x pageHeight printer pixels, centred:
// its width is frame width / 84550 of the page width, its height keeps the frame's
// proportions, and neither takes more than 96 per cent of the page's. Nothing when the
// page or the frame has no size.
std::optional<IntRect> pageTarget(const IntRect& frame, int pageWidth, int pageHeight);

}  // namespace tesvar
