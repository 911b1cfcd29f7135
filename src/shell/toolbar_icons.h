#pragma once

#include <QPixmap>

namespace tesvar {

inline constexpr int kToolbarImageCount = 15;
inline constexpr int kToolbarImageWidth = 25;
inline constexpr int kToolbarImageHeight = 22;

// The toolbar's images, 25 x 22 pixels each, in the order of the strip: open, save,
// zoom, vertical shift, increase, decrease, full, apodization, Fourier transform, phase
// correction, baseline correction, reference, peak picking, integrate, automatic phase.
// An index out of range gives an empty image.
QPixmap toolbarImage(int index);

}  // namespace tesvar
