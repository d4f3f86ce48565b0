#pragma once
// The process-wide state the service's threads share. The window thread writes the settings
// (on 0x0499), the screen-saver-active flag and the was-running flag (on 0x049A); the
// screen-saver thread copies the settings when they are not fresh and writes both flags too. The handheld kept these as plain
// words; here they are atomics, so that a copy never sees a torn or stale value.
#include <atomic>
#include <cstdint>

namespace zt::service {

struct ScreenSaverSettings {
    uint32_t mode { 1 };              // 0: screen saver off
    uint32_t timeout_ms { 300'000 };
    bool external_power_only { true };
    friend bool operator==(const ScreenSaverSettings&, const ScreenSaverSettings&) = default;
};

// Reads "ScrMode" (default 1), "ScrTimeout" in seconds (default 300) and "ScrExtPower"
// (default 1) from the Settings key, as every product read does (missing values are written
// back as defaults). A timeout too large for milliseconds in 32 bits is held at the largest.
ScreenSaverSettings read_screen_saver_settings();

class ServiceState {
public:
    // Reads the settings anew and marks them not fresh, for the screen-saver thread to copy.
    void reload_settings();
    void store_settings(const ScreenSaverSettings& settings);
    // The settings when they are not fresh (and marks them fresh); nothing when fresh.
    bool take_settings_if_changed(ScreenSaverSettings& into);

    bool screen_saver_active() const { return m_screen_saver_active.load(); }
    void set_screen_saver_active(bool active) { m_screen_saver_active.store(active); }

    // Whether the main program's window already existed when the service last started the
    // screen saver, by the idle timing or on the Today item's request alike: the activity that
    // ends the screen saver then only asks that program to end it, and closes a program that
    // was started for it alone.
    bool main_was_running() const { return m_main_was_running.load(); }
    void set_main_was_running(bool running) { m_main_was_running.store(running); }

private:
    std::atomic<uint32_t> m_mode { 1 };
    std::atomic<uint32_t> m_timeout_ms { 300'000 };
    std::atomic<bool> m_external_power_only { true };
    std::atomic<bool> m_settings_fresh { false };
    std::atomic<bool> m_screen_saver_active { false };
    std::atomic<bool> m_main_was_running { false };
};

}  // namespace zt::service
