#pragma once
// A picture as a Qt image, for painting it into a widget (the programs draw off-screen into
// pictures and copy them to their windows this way).
#include <QImage>

#include "skins/picture.h"

namespace zt::skins {

QImage to_qimage(const CPicture& picture);

}  // namespace zt::skins
