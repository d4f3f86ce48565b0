#pragma once
// A screen of the main dialog on the shipped Default skin, installed into a device root of its
// own, with a clock that stands still at 2026-12-08 10:08:42 and a 24-hour locale.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/frame/screen_sources.h"
#include "contracts/registry_keys.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/base/device_path.h"
#include "platform/gui/locale_clock.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "skins/skin_manager.h"

namespace zt::app {

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::gui::testing::widget_test_app();
        platform::gui::set_locale_time_indicator_override(u"1");
        install_default_skin();
        m_settings.register_program_defaults();
        m_skins.build_skin_list(skins::SkinConsumer::MainProgram);
        ASSERT_TRUE(m_skins.load_skin(u"Default", false));
    }
    void TearDown() override { platform::gui::set_locale_time_indicator_override(std::nullopt); }

    void install_default_skin(const std::vector<std::string>& leave_out = {}) {
        const std::u16string folder = u"\\Program Files\\Zun Time\\Default\\";
        const std::filesystem::path host = *platform::map_device_path(folder);
        std::filesystem::create_directories(host);
        for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(ZT_SKINS_DIR) / "Default")) {
            const std::string name = file.path().filename().string();
            if (std::none_of(leave_out.begin(), leave_out.end(), [&](const std::string& prefix) { return name.starts_with(prefix); }))
                std::filesystem::copy_file(file.path(), host / name, std::filesystem::copy_options::overwrite_existing);
        }
        platform::registry::Key::create(platform::registry::Root::CurrentUser, contracts::kSkinsKeyPath)
            ->key.set_string(u"Default", folder);
    }
    ScreenSources sources() {
        return { m_skins, m_settings, m_store, [this] { return m_screensaver; }, nullptr, nullptr, {}, {}, {}, {}, {}, {}, {} };
    }
    void add_alarm(int32_t id, uint16_t hour) {
        auto* alarm = static_cast<core::CAlarm*>(m_store.create_item(core::ItemType::Alarm, id));
        alarm->alarm_time.wHour = hour;
    }

    platform::testing::TempDeviceRoot m_root;
    platform::ManualClock m_clock { platform::SYSTEMTIME { 2026, 12, 2, 8, 10, 8, 42, 0 } };
    platform::ScopedClockOverride m_clock_override { m_clock };
    core::CSettingsBag m_settings;
    core::CTimeStore m_store;
    skins::CSkinManager m_skins { { false, 5 } };
    bool m_screensaver { false };
};

}  // namespace zt::app
