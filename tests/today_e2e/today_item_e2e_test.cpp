// The Today item on a running device: the package installed, `zt-device run` and the Today
// screen `zt-today` started offscreen; what the item shows, how it follows an alarm added with
// zt-alarm, and what its alarm menu changes in the store and tells the main program.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "contracts/item_command.h"
#include "contracts/main_program.h"
#include "contracts/today_item.h"
#include "core/time_store.h"
#include "platform/gui/locale_clock.h"
#include "platform/testing/child_process.h"
#include "platform/windows/window.h"
#include "platform/windows/window_lookup.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/interface_texts.h"
#include "tests/app_e2e/main_program_fixture.h"

namespace zt::e2e {
namespace {

using platform::gui::UiLine;

class TodayItemEndToEnd : public InterfaceTextsEndToEnd {
protected:
    void start_today() {
        m_today = platform::testing::ChildProcess::spawn(built_program("zt-today"), { "--root", device.root().string() });
        ASSERT_TRUE(m_today);
        ASSERT_TRUE(eventually([] { return platform::find_window(contracts::kTodayItemClass).has_value(); }, kStartLimit,
                               "the Today item's relay window"))
            << "the item did not start";
    }
    void TearDown() override {
        if (m_today) m_today->terminate();
        InterfaceTextsEndToEnd::TearDown();
    }
    static std::optional<UiLine> item_line(std::u16string_view text) {
        return find_line(ui_lines().value_or(std::vector<UiLine> {}), "label", text);
    }
    static bool shows(std::u16string_view text) { return item_line(text).has_value(); }
    // Holds the item until its full menu is open (a hold lands only once the screen has it);
    // the menu's "Alarms" entry.
    static std::optional<UiLine> open_full_menu(const UiLine& item_text, std::u16string_view alarms) {
        const std::string x = std::to_string(item_text.x + item_text.width / 2);
        const std::string y = std::to_string(item_text.y + item_text.height / 2);
        std::optional<UiLine> alarm_entry;
        eventually([&] {
            if ((alarm_entry = find_line(ui_lines().value_or(std::vector<UiLine> {}), "submenu", alarms))) return true;
            input({ "hold", x, y });
            return false;
        }, kPatience, "the full menu");
        return alarm_entry;
    }

    std::optional<platform::testing::ChildProcess> m_today;
};

TEST_F(TodayItemEndToEnd, ShowsTheTimeFollowsANewAlarmAndItsMenuDisablesIt) {
    start_today();
    ASSERT_TRUE(eventually([] { return shows(u"none"); }, kPatience, "the item's alarm line")) << "no item on the Today screen";
    const auto picture = screencap(device.root() / "today.png");
    ASSERT_TRUE(picture);

    ASSERT_EQ(run_program(built_program("zt-alarm"), { "--root", device.root().string(), "add", "07:30" }), 0);
    // The third line shows the alarm's time as the locale writes it (the device's clock may be
    // anywhere, so the alarm is less than a day away).
    std::optional<UiLine> alarm_line;
    ASSERT_TRUE(eventually([&] { return (alarm_line = item_line(platform::gui::format_locale_time(7, 30))).has_value(); },
                           kPatience, "the new alarm in the third line"));
    EXPECT_FALSE(shows(u"none"));

    const auto alarm_entry = open_full_menu(*alarm_line, u"Alarms");
    ASSERT_TRUE(alarm_entry) << device_verb({ "ui" }).out;
    ASSERT_EQ(tap_centre_of(*alarm_entry), 0);
    std::optional<UiLine> disable;
    ASSERT_TRUE(eventually([&] {
        for (const UiLine& line : ui_lines().value_or(std::vector<UiLine> {})) {
            if (line.kind == "submenu" && line.text.find(u"07:30") != std::u16string::npos) {
                tap_centre_of(line);
                break;
            }
        }
        disable = find_line(ui_lines().value_or(std::vector<UiLine> {}), "menuitem", u"Disable");
        return disable.has_value();
    }, kPatience, "the alarm's submenu"));
    // The main program's anchor window, hidden as the real one is, so that the Today screen
    // stays the program in front.
    std::vector<platform::Message> told;
    platform::WindowOptions hidden;
    hidden.visible = false;
    auto stand_in = platform::Window::create(contracts::kMainProgramClass, u"Zun Time",
                                             [&](platform::Window&, const platform::Message& message) -> std::optional<uint32_t> {
                                                 told.push_back(message);
                                                 return 0;
                                             },
                                             hidden);
    ASSERT_TRUE(stand_in);
    ASSERT_EQ(tap_centre_of(*disable), 0);
    EXPECT_TRUE(eventually([] {
        core::CTimeStore store;
        store.reload_all();
        const core::CAlarm* alarm = store.find_alarm(1);
        return alarm && !alarm->enabled();
    }, kPatience, "the alarm stored disabled"));
    EXPECT_TRUE(eventually([&] {
        while (auto message = stand_in->next_posted()) stand_in->dispatch(*message);
        for (const auto& message : told) {
            if (message.number == contracts::kMsgItemCommand && message.wparam == 1 &&
                contracts::split_item_command_parameter(message.lparam).command ==
                    static_cast<uint16_t>(contracts::ItemCommand::Disable)) {
                return true;
            }
        }
        return false;
    }, kPatience, "command 6 at the main program's window"));
}

// With a table that maps each key to a marker, the item's lines and its full menu down to an
// alarm's commands show no English.
TEST_F(TodayItemEndToEnd, ItsLinesAndMenusComeFromTheTable) {
    write_marker_table();
    ASSERT_EQ(run_program(built_program("zt-alarm"), { "--root", device.root().string(), "add", "07:30", "--name", "Work" }), 0);
    start_today();
    ASSERT_TRUE(eventually([] { return shows(u"@local"); }, kPatience, "the translated city line"));
    const auto alarms = open_full_menu(*item_line(u"@local"), u"@Alarms");
    ASSERT_TRUE(alarms) << device_verb({ "ui" }).out;
    ASSERT_EQ(tap_centre_of(*alarms), 0);
    std::vector<UiLine> lines;
    ASSERT_TRUE(eventually([&] {
        lines = ui_lines().value_or(std::vector<UiLine> {});
        for (const UiLine& line : lines)
            if (line.kind == "submenu" && line.text.starts_with(u"Work ")) {
                tap_centre_of(line);
                return find_line(lines = ui_lines().value_or(std::vector<UiLine> {}), "menuitem", u"@Edit...").has_value();
            }
        return false;
    }, kPatience, "the alarm's submenu")) << device_verb({ "ui" }).out;
    // The Today screen's own frame is the device's, not the product's: only the menus count, less
    // the alarm's entry, which shows the name the user gave it.
    std::vector<UiLine> menus;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(menus), [](const UiLine& line) {
        return (line.kind == "menuitem" || line.kind == "submenu") && !line.text.starts_with(u"Work ");
    });
    EXPECT_GT(menus.size(), 10u);
    EXPECT_EQ(english_lines(menus), "");
}

// The options page's preview is the item as the Today screen shows it: the same view, skin,
// background picture and theme colour.
TEST_F(TodayItemEndToEnd, TheOptionsPagePreviewMatchesTheItem) {
    QImage water(480, 640, QImage::Format_RGB32);
    water.fill(QColor(200, 220, 240));
    ASSERT_TRUE(water.save(QString::fromStdString((device.root() / "Windows" / "zt_water.png").string())));
    namespace registry = platform::registry;
    registry::Key::create(registry::Root::CurrentUser, u"SOFTWARE\\Microsoft\\Today")->key.set_string(u"Watermark", u"zt_water.png");
    registry::Key::create(registry::Root::LocalMachine, u"SOFTWARE\\Microsoft\\Color")->key.set_dword(u"6", 0x00204080);
    settings_key().set_dword(u"View", 0);
    start_today();
    ASSERT_TRUE(eventually([] { return shows(u"none"); }, kPatience, "the item"));
    const auto item = find_line(ui_lines().value_or(std::vector<UiLine> {}), "button", u"Zun Time");
    ASSERT_TRUE(item) << "the item's icon";
    // The item is listed as soon as it exists; it is on the screen once it has painted there.
    std::optional<QImage> today;
    ASSERT_TRUE(eventually([&] {
        today = screencap(device.root() / "today.png");
        return today && share_alike(*today, water, QRect(item->x, item->y, item->width, item->height), QPoint(), 12, 2) < 0.9;
    }, kPatience, "the item painted"));
    m_today->terminate();
    m_today.reset();

    start_main(u"Options 4", false);
    std::optional<UiLine> preview;
    ASSERT_TRUE(eventually([&] {
        for (const UiLine& line : ui_lines().value_or(std::vector<UiLine> {})) {
            if (line.control_id == 1405) preview = line;
        }
        return preview.has_value();
    }, kPatience, "the preview"));
    const auto page = screencap(device.root() / "page.png");
    ASSERT_TRUE(page);
    // The preview is as wide as the screen inside a page with margins: compare what it shows.
    const int width = std::min(preview->width, page->width() - preview->x) - 16;
    const QRect on_today(item->x, item->y, width, preview->height);
    EXPECT_GT(share_alike(*today, *page, on_today, QPoint(preview->x - item->x, preview->y - item->y)), 0.95)
        << "the item and its preview differ";
    EXPECT_EQ(close_main(), 0u);
}

}  // namespace
}  // namespace zt::e2e
