#pragma once
// The item's icon resources: the small clock of the item (resource 103 at 16 x 16, 106 at
// 32 x 32), the tab icon of the tabbed host (resource 107) and the dock applet's (128). They
// are drawn here rather than shipped as files: plain shapes that stay alike at every size.
#include <QImage>

namespace zt::today {

inline constexpr int kItemIconResource = 103;       // 16 x 16
inline constexpr int kLargeItemIconResource = 106;  // 32 x 32
inline constexpr int kTabIconResource = 107;
// The dock applet's icon, the same clock: 32 x 32 on a high-resolution screen, else 16 x 16.
inline constexpr int kAppletIconResource = 128;

// The resource drawn at that size (ARGB, transparent around the shape); a null image for an
// unknown resource or a size below 1.
QImage load_icon_resource(int resource_id, int width, int height);
// 106 at 32 x 32 on a high-resolution screen, else 103 at 16 x 16.
QImage item_icon(bool high_resolution);
// 107 at 24 x 22 on a high-resolution screen, else 12 x 11.
QImage tab_icon(bool high_resolution);
QImage applet_icon(bool high_resolution);

}  // namespace zt::today
