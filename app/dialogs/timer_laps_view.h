#pragma once
// A time counter's lap times, one row per entry of its lap list: the split (since the entry
// before), the total (since the start) and whether a lap or a pause ("stop") recorded it, as the
// lap file writes them. The view only shows; OK closes it.
#include <cstdint>
#include <memory>

#include "app/dialogs/program_look.h"

class QTreeWidget;

namespace zt::core {
class CTimer;
}
namespace zt::platform {
class QtMessagePump;
}
namespace zt::platform::gui {
class SoftKeyBar;
}

namespace zt::app {

inline constexpr int32_t kLapTimesResource = 132;
inline constexpr int32_t kLapListId = 1040;
inline constexpr char16_t kLapTimesHelpTopic[] = u"file:ZunTime.htm#counters";

class CTimerLapsView final : public CProgramDialog {
public:
    explicit CTimerLapsView(const core::CTimer& timer, QWidget* parent = nullptr);
    ~CTimerLapsView() override;

    QTreeWidget& list() const { return *m_list; }
    platform::gui::SoftKeyBar& soft_keys() const { return *m_soft_keys; }

private:
    QTreeWidget* m_list { nullptr };
    platform::gui::SoftKeyBar* m_soft_keys { nullptr };
    std::unique_ptr<platform::QtMessagePump> m_pump;
};

// Shows the view modally until the user closes it.
void show_timer_laps(const core::CTimer& timer, QWidget* parent);

}  // namespace zt::app
