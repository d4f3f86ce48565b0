#pragma once
// A picture as a Qt image, for painting it into a widget (the programs draw off-screen into
// pictures and copy them to their windows this way).
#include <QImage>

#include "skins/picture.h"

namespace zt::skins {

// An image of Format_RGB32 (what widgets' backing stores hold, so painting it converts nothing).
QImage to_qimage(const CPicture& picture);
// The same into `image`, reusing its pixels when it already has the picture's size: a screen
// drawn again and again keeps one buffer.
void to_qimage(const CPicture& picture, QImage& image);

}  // namespace zt::skins
