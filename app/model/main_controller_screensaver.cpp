// The main dialog as a screensaver: entering it (the clock of "ScrMode" full screen, in front and
// topmost, over the slide show), the slide show's frames, and leaving it.
#include "app/model/main_controller.h"

#include "app/model/screensaver_settings.h"
#include "core/settings_bag.h"
#include "platform/windows/message.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::app {
namespace {

// An open menu of the device, and what closes it.
constexpr char16_t kMenuClass[] = u"MNU";
constexpr uint32_t kCancelModeMessage = 0x001F;
constexpr uint32_t kMenuCloseCommand = 0x10000001;

void close_open_menu() {
    const std::optional<platform::WindowInfo> menu = platform::find_window(std::u16string_view(kMenuClass));
    if (!menu) return;
    platform::post_message(menu->handle, kCancelModeMessage, 0, 0);
    platform::post_message(menu->handle, platform::WM_COMMAND, kMenuCloseCommand, 0);
}

}  // namespace

uint32_t screensaver_position(uint32_t mode) {
    switch (mode) {
        case kScreensaverDigital:
            return 2;
        case kScreensaverWorldTime:
            return 0;
        default:
            return 1;
    }
}

int32_t clock_opacity_factor(int32_t percent) {
    if (percent <= 0) return 0;
    if (percent >= 100) return kClockOpaque;
    return percent * kClockOpaque / 100;
}

void CMainController::start_screensaver() {
    if (m_screensaver || m_end) return;
    const uint32_t mode = m_settings.number(kScrModeValue);
    if (mode == kScreensaverOff || m_view.other_dialog_open()) return;
    if (m_active && (m_active->number() == ScreenNumber::AnalogClock || m_active->number() == ScreenNumber::DigitalClock))
        m_close_alarm_control(*m_active);
    close_open_menu();
    m_view.remember_foreground();
    m_sets.activate_set(kClocksSet);
    m_sets.toolbar_command(static_cast<uint32_t>(ToolbarCommandType::SwitchPosition),
                           ScreenSets::switch_data(screensaver_position(mode)));

    m_screensaver = true;
    const bool slide_show = m_settings.number(kSlideShowEnabledValue) != 0;
    m_clock_opacity = slide_show ? clock_opacity_factor(static_cast<int32_t>(m_settings.number(kSlideShowOpacityValue)))
                                 : kClockOpaque;
    apply_full_screen();
    m_view.set_topmost(true);
    m_view.bring_to_front();
    // Without the slide show nothing starts, as for an empty folder.
    if (slide_show) m_slide_target = m_view.screen_background();
    if (m_slide_target &&
        !m_slide_show.start(m_settings.text(kSlideShowDirValue), *m_slide_target, m_settings.number(kSlideShowEffectValue),
                            m_settings.number(kSlideShowScalingValue)))
        m_slide_target.reset();
    switch_to_position(screensaver_position(mode));
}

void CMainController::end_screensaver() {
    if (m_line.mode == StartMode::ScreenSaver) {
        finish(MainDialogEnd::Closed);
        return;
    }
    if (!m_screensaver) return;
    m_screensaver = false;
    m_clock_opacity = kClockOpaque;
    m_slide_show.stop();
    m_slide_target.reset();
    // Full screen goes back to what the user chose.
    apply_full_screen();
    m_view.restore_foreground();
    m_view.set_topmost(false);
    if (m_active) m_active->redraw();
    restart_refresh_timer();
}

bool CMainController::refresh_tick() {
    const bool slide_changed = m_slide_show.tick();
    const bool screen_changed = m_active && m_active->tick();
    return slide_changed || screen_changed;
}

}  // namespace zt::app
