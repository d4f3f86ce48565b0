#pragma once
// Small PNGs of device screens. A screen holds few colours besides the gradients and the
// antialiased edges of text, so a palette of 256 chosen by median cut keeps it to the eye while
// the file shrinks to a third or less; a picture with no more colours keeps them exactly.
#include <QImage>
#include <QString>

namespace zt::tools {

// The picture with at most 256 colours (Indexed8); a picture with transparent pixels is
// returned unchanged, since the palette would lose its opacity.
QImage reduce_to_palette(const QImage& picture);

// Reads `from`, writes the reduced picture to `to` with the strongest compression. Empty when
// done, else what went wrong.
QString squeeze_png(const QString& from, const QString& to);

}  // namespace zt::tools
