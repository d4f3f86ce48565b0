// The Today item's menus, its commands' effects on the store, the settings and the other
// programs, and its answers to the Today screen's messages, on a fresh device.
#include <gtest/gtest.h>

#include <QWidget>

#include "contracts/item_command.h"
#include "contracts/main_program.h"
#include "contracts/registry_keys.h"
#include "contracts/service.h"
#include "core/registry_key.h"
#include "platform/base/text.h"
#include "platform/gui/locale_clock.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/testing/temp_device_root.h"
#include "skins/testing/skin_fixture.h"
#include "today/item_window.h"
#include "today/tab_clock.h"

namespace zt::today {
namespace {

std::u16string english(std::u16string_view text) { return std::u16string(text); }

void set_time(core::CAlarm& alarm, uint16_t hour, uint16_t minute, std::u16string name) {
    alarm.alarm_time.wHour = hour;
    alarm.alarm_time.wMinute = minute;
    alarm.name = std::move(name);
}

std::vector<std::u16string> texts(const std::vector<MenuEntry>& entries) {
    std::vector<std::u16string> result;
    for (const MenuEntry& entry : entries) result.push_back(entry.separator() ? u"-" : entry.text);
    return result;
}

TEST(TodayItemMenus, FullMenuFollowsViewAndCountAndAlarmEntriesCarryTheirCommands) {
    core::CAlarm wake(7), nap(9);
    set_time(wake, 6, 30, u"Wake");
    set_time(nap, 14, 5, u"");
    nap.snoozed = true;
    MenuInputs inputs;
    inputs.view = 0;
    inputs.cities = 1;
    inputs.city_index = 1;
    inputs.city_names[1] = u"Tokyo";
    inputs.skins = { u"default", u"Black" };
    inputs.current_skin = u"black";
    inputs.alarms = { &wake, &nap };
    inputs.twelve_hour = true;
    inputs.translate = english;

    auto menu = build_full_menu(inputs);
    EXPECT_EQ(texts(menu), (std::vector<std::u16string> { u"Views", u"Skins", u"Cities Count", u"Change City", u"Alarms",
                                                           u"Options...", u"Run Screen Saver", u"Run Zun Time" }));
    EXPECT_TRUE(menu[0].submenu[0].checked);
    EXPECT_EQ(menu[1].submenu[1].command, 10501u);
    EXPECT_TRUE(menu[1].submenu[1].checked) << "skin names compare without regard to case";
    EXPECT_TRUE(menu[2].submenu[0].checked);
    EXPECT_EQ(texts(menu[3].submenu), (std::vector<std::u16string> { u"1: ", u"2: Tokyo", u"3: ", u"4: ", u"Local Time" }));
    EXPECT_TRUE(menu[3].submenu[1].checked);

    const auto& alarms = menu[4].submenu;
    EXPECT_EQ(texts(alarms), (std::vector<std::u16string> { u"Wake 06:30 AM", u"Alarm 02:05 PM (snoozed)", u"-",
                                                            u"New Alarm", u"New One Time Alarm" }));
    EXPECT_EQ(texts(alarms[0].submenu), (std::vector<std::u16string> { u"Dismiss", u"Disable", u"Edit...", u"-", u"Remove" }));
    EXPECT_FALSE(alarms[0].submenu[0].enabled) << "Dismiss is greyed unless snoozed";
    EXPECT_TRUE(alarms[1].submenu[0].enabled);
    EXPECT_EQ(alarms[1].submenu[0].command, 10600u + 16 + 1);
    EXPECT_EQ(alarms[1].submenu[1].command, 10600u + 16 + 2);
    EXPECT_EQ(alarms[1].submenu[4].command, 10600u + 16 + 0);
    EXPECT_EQ(decode_alarm_command(10600 + 16 + 3)->position, 1u);
    EXPECT_EQ(decode_alarm_command(10600 + 16 + 3)->action, command::kAlarmEdit);
    EXPECT_FALSE(decode_alarm_command(10600 + 5)) << "not an alarm action";

    inputs.view = 1;
    inputs.cities = 3;
    EXPECT_EQ(texts(build_full_menu(inputs)), (std::vector<std::u16string> { u"Views", u"Cities Count", u"Alarms", u"Options...",
                                                                             u"Run Screen Saver", u"Run Zun Time" }));
    inputs.city_index = -1;
    EXPECT_EQ(texts(build_city_menu(inputs)).size(), 4u) << "no Local Time without a chosen city";
}

class RecordingReach final : public ItemReach {
public:
    void start_main_program(std::u16string_view command_line) override { started.emplace_back(command_line); }
    void post_to_window(std::u16string_view window_class, uint32_t message, uint32_t wparam, uint32_t lparam) override {
        posted.push_back({ std::u16string(window_class), message, wparam, lparam });
    }
    void reschedule(const core::CTimeStore&) override { ++reschedules; }
    struct Post {
        std::u16string window_class;
        uint32_t message, wparam, lparam;
        bool operator==(const Post&) const = default;
    };
    std::vector<std::u16string> started;
    std::vector<Post> posted;
    int reschedules { 0 };
};

class TodayItemCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { settings = load_item_settings(); }
    CommandEffect run(uint32_t number) {
        CommandContext context { settings, skins, holds_city, alarm_ids, store, reach };
        return run_item_command(number, context);
    }
    int32_t add_alarm(bool snoozed) {
        auto* alarm = static_cast<core::CAlarm*>(store.create_new_item(core::ItemType::Alarm));
        alarm->alarm_time.wHour = 7;
        alarm->snoozed = snoozed;
        alarm->snooze_until = { 2030, 1, 0, 1, 7, 5, 0, 0 };
        EXPECT_TRUE(alarm->save());
        alarm_ids.push_back(alarm->id());
        return alarm->id();
    }
    static uint32_t stored_setting(const char16_t* name) {
        return core::CRegistryKey(core::RegistryRoot::CurrentUser, contracts::kSettingsKeyPath, false, false).read_number(name, 999);
    }
    static RecordingReach::Post told(int32_t id, contracts::ItemCommand code) {
        return { contracts::kMainProgramClass, contracts::kMsgItemCommand, static_cast<uint32_t>(id),
                 contracts::item_command_parameter(code, 0) };
    }

    platform::testing::TempDeviceRoot root;
    core::TodaySettings settings;
    std::vector<std::u16string> skins { u"default", u"Black" };
    bool holds_city[4] { false, true, false, false };
    std::vector<int32_t> alarm_ids;
    core::CTimeStore store;
    RecordingReach reach;
};

TEST_F(TodayItemCommandsTest, SettingsCommandsStoreTheirValue) {
    EXPECT_EQ(run(10201), CommandEffect::Reload);
    EXPECT_EQ(stored_setting(u"View"), 1u);
    run(10302);
    EXPECT_EQ(stored_setting(u"CitiesCount"), 3u);
    run(10401);
    EXPECT_EQ(stored_setting(u"CityIndex"), 1u);
    run(10402);
    EXPECT_EQ(stored_setting(u"CityIndex"), 100u) << "a slot without a city means local time";
    run(10401);
    run(10003);
    EXPECT_EQ(stored_setting(u"CityIndex"), 100u);
    run(10501);
    EXPECT_EQ(core::CRegistryKey(core::RegistryRoot::CurrentUser, contracts::kSettingsKeyPath, false, false)
                  .read_string(u"TodaySkinName", u""),
              u"Black");
    EXPECT_EQ(run(10502), CommandEffect::None) << "no third skin";
}

TEST_F(TodayItemCommandsTest, ProgramCommandsStartTheMainProgramOrTheScreenSaver) {
    const int32_t id = add_alarm(false);
    run(10004);
    run(10005);
    run(10007);
    run(10008);
    run(10600 + 3);
    EXPECT_EQ(reach.started, (std::vector<std::u16string> { u"", u"Options 4", u"NewAlarm", u"New1TAlarm",
                                                            u"EditAlarm " + platform::to_u16(std::to_string(id)) }));
    run(10006);
    EXPECT_EQ(reach.posted, (std::vector<RecordingReach::Post> { { contracts::kServiceClass, contracts::kMsgStartScreenSaver, 0, 0 } }));
}

TEST_F(TodayItemCommandsTest, AlarmCommandsChangeTheStoredAlarmRescheduleAndTellTheMainProgram) {
    const int32_t plain = add_alarm(false);
    const int32_t snoozed = add_alarm(true);
    core::CTimeStore other;

    EXPECT_EQ(run(10600 + 2), CommandEffect::Redraw);
    other.reload_all();
    EXPECT_FALSE(other.find_alarm(plain)->enabled());
    run(10600 + 2);
    other.reload_all();
    EXPECT_TRUE(other.find_alarm(plain)->enabled());

    EXPECT_EQ(run(10600 + 1), CommandEffect::None) << "an alarm that is not snoozed has nothing to dismiss";
    run(10600 + 16 + 1);
    other.reload_all();
    EXPECT_FALSE(other.find_alarm(snoozed)->snoozed);

    run(10600 + 16 + 0);
    other.reload_all();
    EXPECT_EQ(other.find_alarm(snoozed), nullptr);
    EXPECT_EQ(reach.reschedules, 4);
    EXPECT_EQ(reach.posted, (std::vector<RecordingReach::Post> { told(plain, contracts::ItemCommand::Disable),
                                                                 told(plain, contracts::ItemCommand::Enable),
                                                                 told(snoozed, contracts::ItemCommand::Dismiss),
                                                                 told(snoozed, contracts::ItemCommand::Delete) }));
    EXPECT_EQ(run(10600 + 16 * 5 + 2), CommandEffect::None) << "a position past the list";
}

TEST(TodayItemWindow, RefreshCacheAnswersChangesAndAShrinkStartsTheRepaintTimerOnce) {
    platform::gui::testing::widget_test_app();
    platform::testing::TempDeviceRoot root;
    QWidget parent;
    CTodayItemWindow item(&parent, TodayHost {}, std::make_unique<RecordingReach>());
    namespace abi = platform::today;
    abi::TodayListItem entry;
    EXPECT_EQ(abi::send_child_message(&item, abi::kMsgQueryRefreshCache, 0, reinterpret_cast<intptr_t>(&entry)), 1);
    const uint32_t first = entry.height;
    EXPECT_GT(first, 0u);
    EXPECT_EQ(item.height(), static_cast<int>(first));
    EXPECT_EQ(abi::send_child_message(&item, abi::kMsgQueryRefreshCache, 0, reinterpret_cast<intptr_t>(&entry)), 0);
    EXPECT_FALSE(item.repaint_timer_running());

    item.state().settings().view = kDigitalView;
    item.state().settings().cities_count = 4;
    abi::send_child_message(&item, abi::kMsgQueryRefreshCache, 0, reinterpret_cast<intptr_t>(&entry));
    EXPECT_FALSE(item.repaint_timer_running()) << "growing needs no repaint";
    item.state().settings().cities_count = 1;
    EXPECT_EQ(abi::send_child_message(&item, abi::kMsgQueryRefreshCache, 0, reinterpret_cast<intptr_t>(&entry)), 1);
    EXPECT_TRUE(item.repaint_timer_running());
    EXPECT_EQ(entry.height, static_cast<uint32_t>(today_item_height(kDigitalView, 1, item.state().images(), item.state().high_resolution())));

    EXPECT_EQ(abi::send_child_message(&item, abi::kMsgReceivedSelection), 1);
    EXPECT_TRUE(item.selected());
    EXPECT_EQ(abi::send_child_message(&item, abi::kMsgUserNavigation), 0);
    EXPECT_FALSE(item.selected());
}

class TodayTabClock : public skins::testing::SkinDeviceTest {
protected:
    // Pixels of a white 200 x 60 target the clock changes when told it has `width`.
    int painted_pixels(platform::today::SmartPlugin& clock, uint32_t width) {
        std::vector<uint8_t> bits(static_cast<size_t>(skins::CPicture::stride_for(200)) * 60, 0xFF);
        const platform::today::PaintTarget target { bits.data(), 200, 60, skins::CPicture::stride_for(200), nullptr };
        const platform::today::PaintRect rect { 0, 0, 200, 60 };
        clock.set_size(width, 60);
        EXPECT_EQ(clock.paint(&target, &rect), platform::today::kOk);
        return static_cast<int>(std::count_if(bits.begin(), bits.end(), [](uint8_t byte) { return byte != 0xFF; }));
    }
};

TEST_F(TodayTabClock, AnswersItsTwoInterfacesAndPaintsTheClockOrTheIconWhenTheTabIsNarrow) {
    namespace abi = platform::today;
    platform::gui::testing::widget_test_app();
    add_shipped_skin(u"Default", ZT_SKINS_DIR);
    auto* clock = new CTabClock();
    clock->add_ref();
    void* answer = &answer;
    const abi::InterfaceId other { 1, 2, 3, {} };
    EXPECT_EQ(clock->query_interface(&other, &answer), abi::kNoInterface);
    EXPECT_EQ(answer, nullptr);
    EXPECT_EQ(clock->query_interface(&abi::kIidSmartPlugin, nullptr), abi::kInvalidArgument);
    EXPECT_EQ(clock->query_interface(&abi::kIidUnknown, &answer), abi::kOk);
    EXPECT_EQ(answer, static_cast<abi::SmartPlugin*>(clock));
    EXPECT_EQ(clock->release(), 1u) << "the query added a reference";

    const int dial = painted_pixels(*clock, 200);
    const int icon = painted_pixels(*clock, 10);
    EXPECT_GT(icon, 0) << "a tab narrower than the clock shows the item icon";
    EXPECT_GT(dial, 2 * icon) << "a wide tab shows the whole clock";
    EXPECT_EQ(clock->release(), 0u);
}

}  // namespace
}  // namespace zt::today
