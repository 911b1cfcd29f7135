#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace tesvar {

// The application's icon (resource 117): a proton spectrum with its running integral
// on a dark tile, from the scalable drawing that is also installed for the desktop.
QIcon applicationIcon();
QPixmap iconPixmap(int size);

// The picture of the start-up and About boxes (bitmap 196): the icon beside a drawn
// spectrum with its axis, under the product name.
QPixmap brandPicture(QSize size);

}  // namespace tesvar
