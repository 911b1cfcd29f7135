#include "platform/qt/qt_bitmap.h"

#include <cstring>

namespace tesvar {

QImage toQImage(const Bitmap& bitmap)
{
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    for (int y = 0; y < bitmap.height; ++y)
        std::memcpy(image.scanLine(y), bitmap.pixels.data() + static_cast<std::size_t>(y) * bitmap.width,
                    static_cast<std::size_t>(bitmap.width) * sizeof(std::uint32_t));
    return image;
}

Bitmap toBitmap(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Bitmap bitmap(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y)
        std::memcpy(bitmap.pixels.data() + static_cast<std::size_t>(y) * bitmap.width,
                    argb.constScanLine(y),
                    static_cast<std::size_t>(bitmap.width) * sizeof(std::uint32_t));
    return bitmap;
}

}  // namespace tesvar
