// The options sheet offscreen: its pages store only on OK, and it has the program's look.
#include "app/dialogs/options_sheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "app/dialogs/alarms_page.h"
#include "app/dialogs/buttons_page.h"
#include "app/dialogs/options_sheet_launcher.h"
#include "app/dialogs/program_look.h"
#include "app/dialogs/skins_page.h"
#include "app/dialogs/timers_page.h"
#include "app/dialogs/today_page.h"
#include "contracts/registry_keys.h"
#include "platform/gui/property_sheet.h"
#include "platform/gui/screen_metrics.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/gui/testing/font_cell.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

namespace gui = zt::platform::gui;

class OptionsSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::testing::widget_test_app();
        ASSERT_FALSE(m_root.path().empty());
    }

    platform::testing::TempDeviceRoot m_root;
};

// Opens the sheet on a page and, once it is up, lets `act` work on it (it closes it).
void with_options_sheet(int page, const std::function<void(gui::PropertySheet&)>& act) {
    QTimer watcher;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* sheet = dynamic_cast<gui::PropertySheet*>(QApplication::activeModalWidget());
        if (!sheet && std::chrono::steady_clock::now() < deadline) return;
        watcher.stop();
        if (sheet) {
            act(*sheet);
        } else {
            ADD_FAILURE() << "the options sheet did not come up within 10 s";
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
        }
    });
    watcher.start(5);
    open_options_sheet(page, nullptr);
}

TEST_F(OptionsSheetTest, TimersPageStoresItsValuesOnlyOnOk) {
    zt::platform::gui::testing::widget_test_app();
    const auto stored = [](std::u16string_view name) {
        auto key = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kSettingsKeyPath);
        return key ? key->get_dword(name) : std::nullopt;
    };
    const auto untick_all = [](gui::PropertySheet& sheet) {
        auto* page = dynamic_cast<TimersPage*>(sheet.page(sheet.current_page()));
        ASSERT_TRUE(page) << "page 2 is the timers page";
        EXPECT_TRUE(page->no_sleep().isChecked()) << "both default to on";
        EXPECT_TRUE(page->keep_backlight().isChecked());
        ASSERT_EQ(page->presets().count(), 5);
        EXPECT_EQ(page->presets().item(4)->text(), "00:30:00") << "the last countdown preset";
        page->no_sleep().click();
        page->keep_backlight().click();
    };
    with_options_sheet(static_cast<int>(OptionsPage::Timers), [&](gui::PropertySheet& sheet) {
        untick_all(sheet);
        sheet.press_cancel();
    });
    EXPECT_NE(stored(u"NoSleepOnTimers"), std::optional<uint32_t>(0u)) << "Cancel stores nothing";

    with_options_sheet(static_cast<int>(OptionsPage::Timers), [&](gui::PropertySheet& sheet) {
        untick_all(sheet);
        sheet.press_ok();
    });
    EXPECT_EQ(stored(u"NoSleepOnTimers"), std::optional<uint32_t>(0u));
    EXPECT_EQ(stored(u"KeepBacklight"), std::optional<uint32_t>(0u));

    with_options_sheet(static_cast<int>(OptionsPage::Timers), [&](gui::PropertySheet& sheet) {
        auto* page = dynamic_cast<TimersPage*>(sheet.page(sheet.current_page()));
        ASSERT_TRUE(page);
        EXPECT_FALSE(page->no_sleep().isChecked()) << "the page shows what is stored";
        page->keep_backlight().click();
        sheet.press_ok();
    });
    EXPECT_EQ(stored(u"KeepBacklight"), std::optional<uint32_t>(1u));
}

TEST_F(OptionsSheetTest, TodayPageIsPageFourAndStoresItsChoicesOnOk) {
    with_options_sheet(static_cast<int>(OptionsPage::Today), [&](gui::PropertySheet& sheet) {
        auto* page = dynamic_cast<CTodayPage*>(sheet.page(sheet.current_page()));
        if (page) {
            EXPECT_EQ(page->help_topic(), kTodayHelpTopic);
            page->cities_count().setCurrentIndex(3);
        }
        sheet.press_ok();
        ASSERT_TRUE(page) << "page 4 is the Today page";
    });
    auto key = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kSettingsKeyPath);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->get_dword(u"CitiesCount"), 4u);
}

TEST_F(OptionsSheetTest, ButtonsPageBindingsAreStoredOnOkAndDroppedOnCancel) {
    const auto stored_profile = [](std::u16string_view name) {
        auto key = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kMappingsKeyPath);
        return key ? key->get_binary(name) : std::nullopt;
    };
    // Countdown timers: Start/Stop gets the last key the selector offers (Button 4).
    const auto bind_first_row = [](gui::PropertySheet& sheet) {
        auto* page = dynamic_cast<CButtonsPage*>(sheet.page(sheet.current_page()));
        ASSERT_TRUE(page) << "page 6 is the buttons page";
        page->screen_selector().setCurrentIndex(4);
        page->list().setCurrentItem(page->list().topLevelItem(0));
        page->key_selector().setCurrentIndex(page->key_selector().count() - 1);
    };
    const int buttons = static_cast<int>(OptionsPage::Buttons);
    with_options_sheet(buttons, [&](gui::PropertySheet& sheet) {
        bind_first_row(sheet);
        sheet.press_cancel();
    });
    EXPECT_FALSE(stored_profile(u"5")) << "Cancel stores nothing";
    CButtonMappings::instance().select_profile(5);
    EXPECT_EQ(CButtonMappings::instance().action_for_key(196), kNoMappedAction) << "nor binds";

    with_options_sheet(buttons, [&](gui::PropertySheet& sheet) {
        bind_first_row(sheet);
        sheet.press_ok();
    });
    EXPECT_EQ(stored_profile(u"5"), (std::vector<uint8_t> { 1, 0, 196, 0, 2, 0, 0, 0 }));
    EXPECT_EQ(stored_profile(u"3"), std::vector<uint8_t> {}) << "every profile, the empty one too";
    EXPECT_EQ(CButtonMappings::instance().action_for_key(196), 1) << "the keys work at once";
    CButtonMappings::instance() = CButtonMappings();
}

TEST_F(OptionsSheetTest, OptionsSheetAndItsPagesHaveTheProgramsLook) {
    ASSERT_TRUE(gui::select_screen_size({ 240, 320 }));  // 96 dots per inch
    const std::string table = "_LARGE_SMALL_FONTS|1\r\nNo sleep on timers|Kein Schlaf\r\nCancel|Abbrechen\r\n"
                              "Timers|Zeitgeber\r\nZun Time|Zun Zeit\r\nSkins|Designs\r\nAlarms|Wecker\r\n";
    ASSERT_TRUE(CTextTable::instance().load_bytes(std::span(reinterpret_cast<const uint8_t*>(table.data()), table.size())));
    bool looked = false;
    with_options_sheet(static_cast<int>(OptionsPage::Timers), [&](gui::PropertySheet& sheet) {
        auto* page = dynamic_cast<TimersPage*>(sheet.page(sheet.current_page()));
        ASSERT_TRUE(page);
        looked = true;
        EXPECT_EQ(sheet.windowTitle(), "Zun Zeit");
        EXPECT_EQ(sheet.page_title(2), u"Zeitgeber");
        EXPECT_EQ(page->no_sleep().text(), "Kein Schlaf");
        EXPECT_TRUE(gui::testing::sized_by_cell(page->no_sleep().font(), 14)) << "the large-font switch";
        const auto keys = sheet.soft_keys().button_texts();
        EXPECT_NE(std::find(keys.begin(), keys.end(), u"Abbrechen"), keys.end()) << "the sheet's soft keys too";
        for (const QPushButton* button : sheet.soft_keys().findChildren<QPushButton*>()) {
            EXPECT_TRUE(gui::testing::sized_by_cell(button->font(), 14));
            EXPECT_FALSE(button->font().bold()) << "large fonts keep push buttons at normal weight";
        }
        ASSERT_TRUE(dynamic_cast<CAlarmsPage*>(sheet.page(1))) << "page 1 is the alarms page";
        auto* title = sheet.page(1)->findChild<QLabel*>("PageTitle");
        ASSERT_TRUE(title);
        EXPECT_EQ(title->text(), "Wecker") << "the alarms page's caption translates too";
        auto* skins = dynamic_cast<CSkinsPage*>(sheet.page(0));
        ASSERT_TRUE(skins) << "page 0 is the skins page";
        EXPECT_EQ(skins->list().headerItem()->text(0), "Designs");
        EXPECT_NE(sheet.findChild<QWidget*>("SIPPREF"), nullptr) << "a 240 x 320 screen is not square";
        // The page's heading strip shows its title, the controls below it.
        ASSERT_TRUE(gui::DialogLook::of(*page));
        EXPECT_EQ(gui::DialogLook::of(*page)->options().heading, u"Zeitgeber");
        EXPECT_GE(page->no_sleep().geometry().top(), gui::heading_strip_height(program_appearance()));
        sheet.press_cancel();
    });
    CTextTable::instance().clear();
    EXPECT_TRUE(looked) << "the sheet opened on the timers page";
}

}  // namespace
}  // namespace zt::app
