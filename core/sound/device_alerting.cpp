#include "core/sound/device_alerting.h"

#include "core/registry_key.h"
#include "platform/alert/led_driver.h"
#include "platform/alert/power_control.h"
#include "platform/audio/wave_out.h"
#include "platform/profile/platform_generation.h"
#include "platform/registry/registry.h"

namespace zt::sound {
namespace {

using zt::core::CRegistryKey;
namespace audio = zt::platform::audio;
namespace alert = zt::platform::alert;

constexpr std::u16string_view kVolumeKey = u"ControlPanel\\Volume";
constexpr std::u16string_view kShellOverridesKey = u"ControlPanel\\Notifications\\ShellOverrides";
constexpr uint32_t kFullVolume = 0xFFFFFFFFu;
constexpr uint32_t kAlwaysOn = 2;
constexpr uint32_t kClicksOn = 0x10000;
constexpr size_t kMaxEventName = 256;

void put_back(CRegistryKey& key, std::u16string_view name, uint32_t saved) {
    if (saved == COverrideSaveArea::kAbsent)
        key.delete_value(name);
    else
        key.write_number(name, saved);
}

}  // namespace

CDeviceAlerting& CDeviceAlerting::instance() {
    // The generation is the device's for the life of the process.
    static CDeviceAlerting alerting(zt::platform::platform_generation(zt::platform::read_device_profile()));
    return alerting;
}

CDeviceAlerting::CDeviceAlerting(int generation) : m_generation(generation) {}

void CDeviceAlerting::apply_override(COverrideSaveArea& area, uint32_t volume_mode) {
    if (area.applied) return;
    if (volume_mode != 0) {
        if (m_generation < 4) {
            CRegistryKey key(zt::core::RegistryRoot::CurrentUser, kVolumeKey, true, true);
            area.saved_wave_volume = audio::wave_out_get_volume();
            key.write_number(u"Volume", kFullVolume);
            area.saved_mute = key.read_number(u"Mute", CRegistryKey::kAbsentNumber);
            key.write_number(u"Mute", kAlwaysOn);
            area.saved_screen = key.read_number(u"Screen", CRegistryKey::kAbsentNumber);
            key.write_number(u"Screen", kClicksOn);
            area.saved_key = key.read_number(u"Key", CRegistryKey::kAbsentNumber);
            key.write_number(u"Key", kClicksOn);
            audio::audio_update_from_registry();
        } else {
            CRegistryKey key(zt::core::RegistryRoot::CurrentUser, kShellOverridesKey, true, true);
            area.saved_mode = key.read_number(u"Mode", 0);
            area.saved_wave_volume = audio::wave_out_get_volume();
        }
    }
    if (volume_mode == 1) audio::wave_out_set_volume(kFullVolume);
    area.applied = true;
}

void CDeviceAlerting::undo_override(COverrideSaveArea& area, uint32_t volume_mode) {
    if (!area.applied) return;
    vibrator_off();
    if (volume_mode != 0) {
        if (m_generation < 4) {
            CRegistryKey key(zt::core::RegistryRoot::CurrentUser, kVolumeKey, true, true);
            put_back(key, u"Mute", area.saved_mute);
            put_back(key, u"Screen", area.saved_screen);
            put_back(key, u"Key", area.saved_key);
            // The registry's own "Volume" was never saved: it receives the wave volume.
            key.write_number(u"Volume", area.saved_wave_volume);
            audio::wave_out_set_volume(area.saved_wave_volume);
            audio::audio_update_from_registry();
        } else {
            audio::wave_out_set_volume(area.saved_wave_volume);
            CRegistryKey key(zt::core::RegistryRoot::CurrentUser, kShellOverridesKey, true, true);
            key.write_number(u"Mode", area.saved_mode);
        }
    }
    area.applied = false;
}

int CDeviceAlerting::vibrator_index() {
    std::call_once(m_vibrator_found, [this] { m_vibrator = find_vibrator(); });
    return m_vibrator;
}

int CDeviceAlerting::find_vibrator() {
    const uint32_t count = alert::led_count().value_or(0);
    for (uint32_t probe = 0; probe < count; ++probe) {
        // With two or more LEDs the vibrator is usually LED 1: look there first.
        uint32_t led = probe;
        if (count >= 2 && probe < 2) led = probe == 0 ? 1 : 0;
        const auto supports = alert::led_supports(led);
        if (supports && supports->cycle_adjust < 0) return int(led);
    }
    return -1;
}

bool CDeviceAlerting::has_vibrator() { return vibrator_index() >= 0; }

void CDeviceAlerting::set_vibrator(int32_t on_off) {
    const int led = vibrator_index();
    if (led >= 0) alert::led_set(uint32_t(led), on_off);
}

void CDeviceAlerting::vibrator_on() { set_vibrator(1); }
void CDeviceAlerting::vibrator_off() { set_vibrator(0); }

void CDeviceAlerting::keep_awake(bool backlight) {
    alert::system_idle_timer_reset();
    if (!backlight) return;
    if (!m_activity_found) {
        m_activity_found = true;
        if (auto own = zt::platform::Event::create_or_open(alert::kBackLightChangeEventName,
                                                           zt::platform::ResetPolicy::Automatic, false))
            m_own_activity_event = std::move(own->event);
        if (auto key = zt::platform::registry::Key::open(zt::platform::registry::Root::LocalMachine, u"System\\GWE")) {
            const auto name = key->get_string(u"ActivityEvent");
            if (name && !name->empty() && name->size() <= kMaxEventName)
                m_named_activity_event = zt::platform::Event::open(*name);
        }
    }
    if (m_named_activity_event)
        m_named_activity_event->pulse();
    else if (m_own_activity_event)
        m_own_activity_event->pulse();
}

void CDeviceAlerting::power_on_display() {
    if (m_generation >= 2) alert::request_display_power_on();
}

}  // namespace zt::sound
