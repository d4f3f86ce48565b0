// The screensaver page offscreen: what it shows from the registry, and what OK writes — the
// values with their stored forms, the suppression list rewritten, the service told.
#include "app/dialogs/screensaver_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "app/model/testing/window_recorder.h"
#include "contracts/registry_keys.h"
#include "contracts/service.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/profile/device_profile.h"
#include "platform/registry/registry.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::app {
namespace {

namespace registry = platform::registry;

class ScreensaverPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::gui::testing::widget_test_app();
        ASSERT_FALSE(m_root.path().empty());
        auto list = registry::Key::create(registry::Root::CurrentUser, contracts::kScreenSaverDisablingKeyPath);
        ASSERT_TRUE(list);
        for (auto [name, text] : { std::pair { u"  0", u"player.exe" }, std::pair { u"  1", u"" },
                                   std::pair { u" 10", u"Ringout.exe" } })
            list->key.set_string(name, text);
    }
    static registry::Key settings() {
        return std::move(registry::Key::create(registry::Root::CurrentUser, contracts::kSettingsKeyPath)->key);
    }

    platform::testing::TempDeviceRoot m_root;
};

TEST_F(ScreensaverPageTest, ShowsTheStoredValuesWithTheSlideShowControlsOnlyWhenItIsOn) {
    settings().set_dword(u"ScrMode", 9);
    CScreensaverPage page;
    EXPECT_EQ(page.mode().currentIndex(), 1) << "an unknown mode shows as the analog clock";
    EXPECT_EQ(page.timeout().value(), 300);
    EXPECT_TRUE(page.external_power().isChecked());
    EXPECT_FALSE(page.seconds().isChecked() || page.alarms().isChecked());
    EXPECT_EQ(page.folder().text(), QStringLiteral("\\Windows"));
    EXPECT_EQ(page.effect().currentIndex(), 1);
    EXPECT_EQ(page.hold_seconds().value(), 5);
    EXPECT_EQ(page.opacity().value(), 40);
    EXPECT_FALSE(page.slide_show().isChecked());
    EXPECT_FALSE(page.effect().isEnabled() || page.browse().isEnabled());
    page.slide_show().setChecked(true);
    EXPECT_TRUE(page.effect().isEnabled() && page.browse().isEnabled());
    ASSERT_EQ(page.programs().count(), 2) << "empty entries are not programs";
    EXPECT_EQ(page.programs().item(1)->text(), QStringLiteral("Ringout.exe"));
}

TEST_F(ScreensaverPageTest, SavingStoresTheValuesRewritesTheListAndTellsTheService) {
    testing::WindowRecorder service(contracts::kServiceClass);
    ASSERT_NE(service.handle(), 0u);
    CScreensaverPage page;
    page.set_folder_chooser([](QWidget*, std::u16string_view current) -> std::optional<std::u16string> {
        return current == u"\\Windows" ? std::optional<std::u16string> { u"\\My Pictures" } : std::nullopt;
    });
    page.mode().setCurrentIndex(2);
    page.timeout().setValue(5);
    page.external_power().setChecked(false);
    page.seconds().setChecked(true);
    page.slide_show().setChecked(true);
    page.browse().click();
    page.effect().setCurrentIndex(3);
    page.random_order().setChecked(true);
    page.hold_seconds().setValue(7);
    page.opacity().setValue(0);
    page.programs().setCurrentRow(0);
    page.remove_program().click();
    page.new_program().setText(QStringLiteral(" Game.exe "));
    page.add_program().click();
    page.save();

    registry::Key key = settings();
    EXPECT_EQ(key.get_dword(u"ScrMode"), 2u);
    EXPECT_EQ(key.get_dword(u"ScrTimeout"), 10u) << "5 s is stored as the least timeout";
    EXPECT_EQ(key.get_dword(u"ScrExtPower"), 0u);
    EXPECT_EQ(key.get_dword(u"SecondsInSS"), 1u);
    EXPECT_EQ(key.get_dword(u"AlarmsInSS"), 0u);
    EXPECT_EQ(key.get_dword(u"SlideShowEnabled"), 1u);
    EXPECT_EQ(key.get_string(u"SlideShowDir"), u"\\My Pictures");
    EXPECT_EQ(key.get_dword(u"SlideShowEffect"), 0x01070003u);
    EXPECT_EQ(key.get_dword(u"SlideShowOpacity"), 0u);
    auto list = registry::Key::open(registry::Root::CurrentUser, contracts::kScreenSaverDisablingKeyPath);
    ASSERT_TRUE(list);
    std::vector<std::pair<std::u16string, std::u16string>> values;
    for (uint32_t i = 0; auto value = list->enum_value(i); ++i) values.emplace_back(value->name, *list->get_string(value->name));
    using Entry = std::pair<std::u16string, std::u16string>;
    EXPECT_EQ(values, (std::vector<Entry> { { u"  0", u"Ringout.exe" }, { u"  1", u"Game.exe" } }));
    ASSERT_TRUE(platform::testing::eventually([&] { return !service.messages().empty(); }, platform::testing::kPatience,
                                              "the service's message"));
    EXPECT_EQ(service.messages()[0].number, contracts::kMsgRereadScreenSaverSettings);

    ASSERT_TRUE(platform::write_platform_version(u"3.00"));
    CScreensaverPage old_device;
    old_device.mode().setCurrentIndex(1);
    old_device.save();
    EXPECT_EQ(settings().get_dword(u"ScrMode"), 0u) << "before 4.0 the screensaver cannot run";
}

}  // namespace
}  // namespace zt::app
