#pragma once
// Where a program's windows stand among the device's windows: topmost (stays above the others),
// brought to the front, and giving the front back to the window that had it before.
//
// The device raises only a program's own windows (platform/windows). Giving the front back to
// another program's window therefore works by asking: it is posted WM_ACTIVATE (WA_ACTIVE) and
// brings itself forward; and since hidden windows never count as the foreground, hiding ours
// already leaves it in front when nothing else came forward meanwhile.
#include <cstdint>
#include <optional>

#include "platform/windows/window_info.h"

class QWidget;

namespace zt::platform {
class Window;
}

namespace zt::platform::gui {

inline constexpr std::uint32_t WM_ACTIVATE = 0x0006;
inline constexpr std::uint32_t WA_ACTIVE = 1;

// Keeps a top-level widget above the program's other windows (Qt stay-on-top). The widget's
// visibility is kept: a shown widget is shown again after the change.
void set_topmost(QWidget& widget, bool topmost);
bool is_topmost(const QWidget& widget);

// Shows, raises and activates the widget; with its device window, puts that in front of every
// other window of the device as well.
void bring_to_front(QWidget& widget, Window* device_window = nullptr);

// Remembers the device's foreground window before a program comes forward, and hands the front
// back afterwards.
class ForegroundMemory {
public:
    // Remembers the current foreground window unless it is one of `own` (this program's window,
    // already in front). Returns the remembered handle (0: none).
    WindowHandle remember(WindowHandle own = 0);
    // When the remembered window still exists: posts WM_ACTIVATE (WA_ACTIVE) to it and returns
    // true. Forgets it either way.
    bool restore();
    WindowHandle remembered() const { return m_previous; }

private:
    WindowHandle m_previous { 0 };
};

}  // namespace zt::platform::gui
