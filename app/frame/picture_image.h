#pragma once
// A picture as a Qt image, for painting it into a widget.
#include <QImage>

#include "skins/picture.h"

namespace zt::app {

QImage to_qimage(const skins::CPicture& picture);

}  // namespace zt::app
