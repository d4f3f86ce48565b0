#pragma once
// The drawing primitives the screens share. All work on the bits of 24-bit bottom-up pictures
// with integer arithmetic, clip against both pictures, and honour the source's scale flag
// (a scaled source is drawn at double size: source coordinates are destination coordinates
// shifted right by one). Per-pixel opacity comes from a strip's right half.
#include <cstdint>

#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::skins {

// Draws part `index` of the strip with its opacity, from (source_x, source_y) inside the part
// to the part's right and bottom edges, with that corner landing on (x, y). Nothing for an
// invalid strip or index.
void draw_part(CPicture& destination, const CImageStrip& strip, int index, int32_t source_x, int32_t source_y,
               int32_t x, int32_t y);

// Draws part 0 rotated clockwise (on screen) by `degrees` about its anchor, the anchor
// landing on (x, y). 0 points the way the image does; 90 turns it a quarter turn clockwise.
// Negative angles count as 0. Bilinear sampling; pixels outside the part count as
// transparent.
void draw_rotated(CPicture& destination, const CImageStrip& strip, int32_t x, int32_t y, int32_t degrees);

// The 7-bit sine of whole degrees 0..90: round(128 * sin(k°)).
int32_t sine_table(int32_t degrees);

// Copies a rectangle of the source with the module's copy opacity (and the global opacity on
// top); no per-pixel opacity is read. Width and height are in source pixels.
void copy_with_opacity(CPicture& destination, const CPicture& source, int32_t source_x, int32_t source_y,
                       int32_t width, int32_t height, int32_t x, int32_t y);

// Copies the source rectangle turned a quarter turn counter-clockwise: the source's top row
// becomes the destination's left column, its right end at the top.
void copy_quarter_turn(CPicture& destination, const CPicture& source, Rect source_rect, int32_t x, int32_t y);

// Scale modes: low byte 0 fit inside, 1 fill (crop), 2 stretch; second byte the alignment of
// the spare or cropped space: 0 centred, 1 top-left, 2 far edge; bit 16: the source is a
// transparent image (left half colours, right half opacity). Other modes or alignments draw
// nothing and return false.
namespace scale_mode {
inline constexpr uint32_t kFit = 0;
inline constexpr uint32_t kFill = 1;
inline constexpr uint32_t kStretch = 2;
inline constexpr uint32_t kCentred = 0 << 8;
inline constexpr uint32_t kTopLeft = 1 << 8;
inline constexpr uint32_t kFarEdge = 2 << 8;
inline constexpr uint32_t kTransparentSource = 1u << 16;
}  // namespace scale_mode
bool scale_picture(const PixelView& destination, const PixelView& source, uint32_t mode);

// Each byte inside the rectangle becomes min(255, byte * percent / 100).
void brighten_rect(CPicture& picture, Rect rect, int32_t percent);
void fill_picture(CPicture& picture, Rgb colour);

}  // namespace zt::skins
