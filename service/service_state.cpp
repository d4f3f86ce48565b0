#include "service/service_state.h"

#include <limits>

#include "contracts/registry_keys.h"
#include "core/registry_key.h"

namespace zt::service {

ScreenSaverSettings read_screen_saver_settings() {
    zt::core::CRegistryKey key(zt::core::RegistryRoot::CurrentUser, zt::contracts::kSettingsKeyPath, false, false);
    ScreenSaverSettings settings;
    settings.mode = key.read_number(u"ScrMode", 1);
    const uint32_t seconds = key.read_number(u"ScrTimeout", 300);
    constexpr uint32_t kLargest = std::numeric_limits<uint32_t>::max();
    settings.timeout_ms = seconds > kLargest / 1000 ? kLargest : seconds * 1000;
    settings.external_power_only = key.read_number(u"ScrExtPower", 1) != 0;
    return settings;
}

void ServiceState::reload_settings() {
    store_settings(read_screen_saver_settings());
}

void ServiceState::store_settings(const ScreenSaverSettings& settings) {
    m_mode.store(settings.mode);
    m_timeout_ms.store(settings.timeout_ms);
    m_external_power_only.store(settings.external_power_only);
    m_settings_fresh.store(false);
}

bool ServiceState::take_settings_if_changed(ScreenSaverSettings& into) {
    if (m_settings_fresh.exchange(true)) return false;
    into.mode = m_mode.load();
    into.timeout_ms = m_timeout_ms.load();
    into.external_power_only = m_external_power_only.load();
    return true;
}

}  // namespace zt::service
