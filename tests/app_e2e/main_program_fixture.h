#pragma once
// The installed main program on a running device: a fresh device with the service, the package
// installed with zt-install, and the program started from its device path, offscreen unless a
// test asks for a display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "contracts/main_program.h"
#include "contracts/registry_keys.h"
#include "platform/kernel/process.h"
#include "platform/registry/registry.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"
#include "tests/service_e2e/running_device.h"

namespace zt::e2e {

inline constexpr char16_t kMainProgram[] = u"\\Program Files\\Zun Time\\ZunTime.exe";
inline constexpr std::chrono::seconds kStartLimit { 30 };

inline zt::platform::registry::Key settings_key() {
    using zt::platform::registry::Key;
    using zt::platform::registry::Root;
    return std::move(Key::create(Root::CurrentUser, zt::contracts::kSettingsKeyPath)->key);
}

// The stored text of an alarm record; empty when there is none.
inline std::u16string stored_alarm(std::u16string_view id) {
    auto alarms = zt::platform::registry::Key::open(zt::platform::registry::Root::CurrentUser, zt::contracts::kAlarmsKeyPath);
    return alarms ? alarms->get_string(id).value_or(u"") : u"";
}

inline std::optional<zt::platform::WindowInfo> window_of(int process_id, std::u16string_view class_name,
                                                          std::u16string_view title) {
    for (const auto& window : zt::platform::windows_of_process(process_id)) {
        if (window.class_name == class_name && window.title == title) return window;
    }
    return std::nullopt;
}

class MainProgramEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(ZT_PACKAGE_DIR) / "manifest.txt"))
            << "the package is not laid out";
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // Silent, with one line per sound played or stopped: what would have been heard.
        m_audio_log = device.root() / "audio.log";
        ::setenv("ZT_AUDIO", ("log:" + m_audio_log.string()).c_str(), 1);
        m_message_log = device.root() / "messages.log";
        ::setenv("ZT_MESSAGE_LOG", m_message_log.c_str(), 1);
        ASSERT_TRUE(device.start());
        ASSERT_EQ(install_in_english(device.root(), ZT_PACKAGE_DIR), 0);
    }
    void TearDown() override {
        if (m_main && m_main->exit_status().still_active()) m_main->terminate(9);
        ::unsetenv("ZT_MESSAGE_LOG");
    }

    // Starts the installed program and waits for its anchor window (and, for the main dialog,
    // its dialog window).
    void start_main(std::u16string_view line, bool with_main_dialog = true) {
        m_main = zt::platform::Process::create(kMainProgram, line);
        ASSERT_TRUE(m_main) << "the installed program does not start";
        const int id = m_main->id();
        ASSERT_TRUE(eventually([&] { return window_of(id, zt::contracts::kMainProgramClass, u"Zun Time").has_value(); },
                               kStartLimit, "the anchor window"))
            << "no anchor window";
        if (with_main_dialog) {
            ASSERT_TRUE(eventually([&] { return window_of(id, u"Dialog", u"Zun Time").has_value(); },
                                   kStartLimit, "the main dialog"))
                << "no main dialog";
        }
    }
    zt::platform::WindowHandle anchor() const {
        const auto window = window_of(m_main->id(), zt::contracts::kMainProgramClass, u"Zun Time");
        return window ? window->handle : 0;
    }
    // WM_CLOSE to the anchor window; the exit code once the program ended.
    std::optional<uint32_t> close_main() {
        zt::platform::post_message(anchor(), zt::platform::WM_CLOSE);
        if (m_main->wait(std::chrono::seconds(20)) != zt::platform::Process::WaitResult::Ended) return std::nullopt;
        return m_main->exit_status().code;
    }
    static void store_screens(uint32_t set, uint32_t clocks, uint32_t timers) {
        auto key = settings_key();
        key.set_dword(u"ActiveScreenSet", set);
        key.set_dword(u"ClocksActiveScreen", clocks);
        key.set_dword(u"TimersActiveScreen", timers);
    }
    static uint32_t stored(std::u16string_view name) { return settings_key().get_dword(name).value_or(0xDEAD); }

    DeviceWithService device;
    std::optional<zt::platform::Process> m_main;
    std::filesystem::path m_message_log;
    std::filesystem::path m_audio_log;
};

}  // namespace zt::e2e
