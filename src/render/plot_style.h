#pragma once

#include "platform/canvas.h"

namespace tesvar {

inline constexpr Rgb kWhite{255, 255, 255};

// The trace on screen is blue; the axis, ticks, integral brackets and curves and the
// coupling markers are red. The printed picture uses the surface's plain black pen.
inline const Pen tracePen{{0, 0, 255}, 1};
inline const Pen overlayPen{{255, 0, 0}, 1};
inline const Pen printPen{{0, 0, 0}, 1};

// The surface's default text font: the axis labels and the coupling-marker numbers on
// screen, and the metrics that place the header and caption of the printed picture.
inline const Font defaultTextFont{"Arial", 16, 0, 700, 0};
// Integral values on screen, running upwards.
inline const Font verticalLabelFont{"Arial", 12, 0, 600, 900};
// Integral values on the printed picture, running upwards.
inline const Font printVerticalLabelFont{"Courier", 12, 0, 600, 900};
// The printed axis and header line.
inline const Font printTextFont{"Courier", 16, 16, 600, 0};

}  // namespace tesvar
