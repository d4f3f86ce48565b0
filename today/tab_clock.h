#pragma once
// The small clock the tabbed Today host shows in its tab strip: the Today skin's analog clock
// at the chosen city's time (local time when none is chosen), or the item icon when the tab is
// narrower than the clock.
#include <atomic>
#include <memory>

#include "platform/gui/today_item_abi.h"
#include "today/item_state.h"

namespace zt::today {

class CTabClock final : public platform::today::SmartPlugin {
public:
    CTabClock();

    int32_t query_interface(const platform::today::InterfaceId* iid, void** result) override;
    uint32_t add_ref() override;
    uint32_t release() override;
    int32_t set_up(uint32_t first, uint32_t second, uint32_t third) override;
    int32_t paint(const platform::today::PaintTarget* target, const platform::today::PaintRect* rect) override;
    int32_t update() override;
    int32_t set_size(uint32_t first, uint32_t second) override;
    int32_t destroy() override;

    uint32_t set_up_value(int n) const { return m_set_up[n]; }
    uint32_t size_value(int n) const { return m_size[n]; }

private:
    ~CTabClock() = default;
    void load();

    std::atomic<uint32_t> m_references { 0 };
    uint32_t m_set_up[3] {};
    uint32_t m_size[2] {};
    std::unique_ptr<skins::CSkinManager> m_skins;
    core::TodaySettings m_settings;
    CitySlots m_slots;
    TodayImages m_images;
    bool m_loaded { false };
    int m_last_minute { -1 };
    QWidget* m_host { nullptr };
};

}  // namespace zt::today
