#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace tesvar {

// The application's icon (resource 117): a proton spectrum with its running integral
// on a dark tile, from the scalable drawing that is also installed for the desktop.
QIcon applicationIcon();
// size in pixels of the screen it is shown on; devicePixelRatio device pixels to each.
QPixmap iconPixmap(int size, qreal devicePixelRatio = 1.0);

// The picture of the start-up and About boxes (bitmap 196): the icon beside a drawn
// spectrum with its axis, under the product name, with the screen's device pixels.
QPixmap brandPicture(QSize size);

}  // namespace tesvar
