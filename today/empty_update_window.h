#pragma once
// Older shells repaint the Today screen under a shrunken item only when something covers it:
// an empty top-level window is shown over the item's area for a moment.
#include <QPoint>
#include <QSize>

namespace zt::today {

inline constexpr char16_t kEmptyWindowClass[] = u"ZunPocketEmptyWindow";
inline constexpr char16_t kEmptyWindowTitle[] = u"ZunPocketEmptyUpdateWindow";
inline constexpr int kEmptyWindowMs = 50;

void flash_empty_update_window(QPoint screen_origin, QSize size);

}  // namespace zt::today
