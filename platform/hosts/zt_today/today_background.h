#pragma once
// The Today screen's background: the person's watermark, else the start picture, else white.
//
// The picture is, in this order:
//   1. HKCU "SOFTWARE\Microsoft\Today" "Watermark" (string): a file in "\Windows\", when it
//      is set and decodes;
//   2. unless "UseStartImage" (DWORD) is non-zero: "\Windows\tdywater.gif" when it decodes;
//   3. none: plain white.
// It is scaled to the screen's width (keeping its shape) and drawn from the top-left corner of
// the item area; what it leaves uncovered is white.
#include <QImage>

#include <cstdint>

class QPainter;
class QRect;

namespace zt::platform::today {

inline constexpr char16_t kTodayKey[] = u"SOFTWARE\\Microsoft\\Today";

// The picture already scaled to `width`; a null image for the plain background.
QImage load_today_background(int width);

// Paints the background of the item area's rectangle `area` with the painter's origin at the
// rectangle's top-left corner.
void paint_today_background(QPainter& painter, const QImage& picture, const QRect& area);

// Copies an RGB32 image into 24-bit bottom-up pixels (blue, green, red); false when the target
// is malformed (no bits, a stride too small for the width, another size than the image).
bool copy_to_bottom_up(const QImage& image, uint8_t* bits, int32_t width, int32_t height, int32_t stride);

}  // namespace zt::platform::today
