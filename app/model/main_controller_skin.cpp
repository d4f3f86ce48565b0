// The skin chosen in the options, shown by the main dialog at once.
#include "app/model/main_controller.h"

#include "core/settings_bag.h"

namespace zt::app {

void CMainController::choose_skin(std::u16string_view name) {
    if (m_end || !m_initialised || name.empty()) return;
    // Stored before loading: the sheet, and a crash in between, find the choice already made.
    m_settings.set_text(kActiveSkinValue, name);
    m_settings.save();
    // Verification reloads the dialog's and every screen's images and lays them out again.
    load_active_skin();
    const std::u16string loaded = m_view.current_skin();
    if (!loaded.empty() && loaded != name) {
        m_settings.set_text(kActiveSkinValue, loaded);
        m_settings.save();
    }
    lay_out();
    if (m_active) {
        m_active->tick();
        m_active->redraw();
    }
}

}  // namespace zt::app
