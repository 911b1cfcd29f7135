#pragma once

#include <QImage>

#include "platform/bitmap.h"

namespace tesvar {

// Conversions between the clipboard's Bitmap and a QImage (32-bit ARGB, row by row).
QImage toQImage(const Bitmap& bitmap);
Bitmap toBitmap(const QImage& image);

}  // namespace tesvar
