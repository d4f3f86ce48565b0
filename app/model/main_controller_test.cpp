// The main dialog's rules driven through a fake view and plain screens: no widgets, no event
// loop. Messages the controller posts to itself are delivered by the test.
#include "app/model/main_controller.h"

#include "app/model/button_mappings.h"

#include "app/model/screensaver_settings.h"
#include "app/model/testing/window_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "contracts/registry_keys.h"
#include "core/alarm.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/gui/key_codes.h"
#include "platform/gui/window_placement.h"
#include "platform/registry/registry.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"
#include "platform/base/device_path.h"
#include "platform/windows/message.h"
#include "skins/testing/test_images.h"

namespace zt::app {
namespace {

namespace gui = platform::gui;

class FakeScreen final : public MainScreen {
public:
    FakeScreen(ScreenNumber number, uint32_t period_ms) : m_number(number), m_period(period_ms) {}
    ScreenNumber number() const override { return m_number; }
    uint32_t refresh_period_ms() const override { return m_period; }
    bool active() const override { return is_active; }
    bool activate() override {
        is_active = can_activate;
        return can_activate;
    }
    void deactivate() override { is_active = false; }
    bool tick() override {
        ++ticks;
        return tick_changes;
    }
    bool needs_refresh() const override { return changing; }
    void on_refresh_needs_changed(std::function<void()> handler) override { m_changed = std::move(handler); }
    void redraw() override { ++draws; }
    bool handle_action(int action) override {
        actions.push_back(action);
        return true;
    }
    bool reload_images() override { return true; }
    void release_images() override { ++releases; }
    void set_layout(const ScreenLayout& new_layout) override { layout = new_layout; }
    void set_shown(bool on) override { shown = on; }

    void set_changing(bool on) {
        changing = on;
        m_changed();
    }

    bool is_active { false };
    bool can_activate { true };
    bool changing { false };
    bool tick_changes { false };
    bool shown { false };
    int ticks { 0 };
    int draws { 0 };
    int releases { 0 };
    std::vector<int> actions;
    ScreenLayout layout;

private:
    ScreenNumber m_number;
    uint32_t m_period;
    std::function<void()> m_changed;
};

struct Posted {
    uint32_t number, wparam, lparam;
};

class FakeView final : public MainView {
public:
    FakeView() {
        const std::pair<ScreenNumber, uint32_t> made[] = { { ScreenNumber::AnalogClock, 500 },
                                                           { ScreenNumber::DigitalClock, 500 },
                                                           { ScreenNumber::WorldTime, 0 },
                                                           { ScreenNumber::Stopwatch, 25 },
                                                           { ScreenNumber::TimeCounters, 50 },
                                                           { ScreenNumber::Countdown, 50 } };
        for (auto [number, period] : made) screens.push_back(std::make_unique<FakeScreen>(number, period));
    }
    FakeScreen& of(ScreenNumber number) { return *screens[static_cast<size_t>(number)]; }

    void create_window() override { window_made = true; }
    std::vector<MainScreen*> create_screens() override {
        std::vector<MainScreen*> out;
        if (screens_fail) return out;
        for (auto& made_screen : screens) out.push_back(made_screen.get());
        return out;
    }
    void destroy_screens() override { screens_destroyed = true; }
    void show_dialog() override {}
    gui::ScreenMetrics metrics() const override { return screen; }
    void apply_screen_metrics() override { ++metrics_applied; }
    void fit_to_frame() override {}
    void set_full_screen(bool on) override { full_screen = on; }
    bool soft_key_bar_shown() const override { return soft_key_bar; }
    void bring_to_front() override { ++brought_forward; }
    void set_topmost(bool on) override { topmost = on; }
    void remember_foreground() override { foreground_remembered = true; }
    void restore_foreground() override {
        foreground_restored = foreground_remembered;
        foreground_remembered = false;
    }
    bool other_dialog_open() const override { return dialog_open; }
    std::optional<skins::CPicture> screen_background() override {
        std::optional<skins::CPicture> picture = skins::CPicture::create(screen.width, screen.height);
        if (picture) picture->set_colour(0, 0, { 1, 2, 3 });
        return picture;
    }
    void minimise() override { ++minimised; }
    bool load_images(bool landscape) override {
        images_landscape.push_back(landscape);
        return true;
    }
    void release_shared_images() override { ++shared_released; }
    bool load_skin(std::u16string_view name, std::function<bool()> verify) override {
        skins_loaded.emplace_back(name);
        if (!skin_loads) return false;
        loaded_skin = name;
        // The skin manager's fallback: a skin whose images fail is replaced by the default one.
        if (verify() && name != unverifiable_skin) return true;
        loaded_skin = u"default";
        return verify();
    }
    std::u16string current_skin() const override { return loaded_skin; }
    void detach_skin() override { skin_detached = true; }
    skins::Rect lay_out(bool) override { return area; }
    void draw_toolbar(int selected_button) override { drawn_buttons.push_back(selected_button); }
    void screen_shown() override {}
    void set_timer(uint32_t id, uint32_t period_ms) override { timers[id] = period_ms; }
    void kill_timer(uint32_t id) override { timers.erase(id); }
    void post(uint32_t number, uint32_t wparam, uint32_t lparam) override { posted.push_back({ number, wparam, lparam }); }
    void open_options(int page, std::function<void()> closed) override {
        options_pages.push_back(page);
        options_closed = std::move(closed);
    }
    void run_city_chooser(const CommandLine&) override { ++city_choosers; }
    void open_alarm_editor(const CommandLine& line) override { alarm_editors.push_back(line); }
    void capture_buttons(const std::function<bool(uint32_t key)>& mapped) override {
        captured.clear();
        for (uint32_t key = 193; key <= 207; ++key)
            if (mapped(key)) captured.push_back(key);
    }
    void show_error(std::u16string_view text) override { errors.emplace_back(text); }

    bool timer(uint32_t id) const { return timers.count(id) != 0; }

    std::vector<std::unique_ptr<FakeScreen>> screens;
    gui::ScreenMetrics screen { 240, 320, 96 };
    skins::Rect area { 0, 0, 240, 280 };
    bool screens_fail { false };
    bool skin_loads { true };
    bool soft_key_bar { false };
    bool window_made { false };
    bool screens_destroyed { false };
    bool skin_detached { false };
    bool full_screen { false };
    bool topmost { false };
    bool foreground_remembered { false };
    bool foreground_restored { false };
    bool dialog_open { false };
    int metrics_applied { 0 };
    int brought_forward { 0 };
    int minimised { 0 };
    int shared_released { 0 };
    int city_choosers { 0 };
    std::vector<bool> images_landscape;
    std::vector<std::u16string> skins_loaded;
    std::u16string loaded_skin;
    std::u16string unverifiable_skin;
    std::vector<int> drawn_buttons;
    std::map<uint32_t, uint32_t> timers;
    std::vector<Posted> posted;
    std::vector<int> options_pages;
    std::function<void()> options_closed;
    std::vector<CommandLine> alarm_editors;
    std::vector<uint32_t> captured;  // the buttons taken at the last capture
    std::vector<std::u16string> errors;
};

class MainControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.path().empty());
        m_settings.register_program_defaults();
        m_settings.register_slide_show_defaults();
        m_settings.set_text(kActiveSkinValue, u"Default");
    }

    CMainController& start(StartMode mode = StartMode::Normal) {
        CommandLine line;
        line.mode = mode;
        m_controller = std::make_unique<CMainController>(line, m_settings, m_store, m_view);
        m_controller->on_end([this](MainDialogEnd end) { m_ends.push_back(end); });
        m_started = m_controller->initialise();
        deliver_posted();
        return *m_controller;
    }
    // What the event loop would do with the messages the controller posted to itself.
    void deliver_posted() {
        for (size_t i = 0; i < m_view.posted.size(); ++i) {
            const Posted p = m_view.posted[i];
            m_controller->handle_message(p.number, p.wparam, p.lparam);
        }
        m_view.posted.clear();
    }
    void store_choice(uint32_t set, std::u16string_view value, uint32_t position) {
        auto created = platform::registry::Key::create(platform::registry::Root::CurrentUser, contracts::kSettingsKeyPath);
        ASSERT_TRUE(created);
        created->key.set_dword(kActiveScreenSetValue, set);
        created->key.set_dword(value, position);
        m_settings.load();
    }
    std::optional<uint32_t> stored(std::u16string_view value) {
        auto key = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kSettingsKeyPath);
        return key ? key->get_dword(value) : std::nullopt;
    }
    ScreenNumber active() { return m_controller->active_screen()->number(); }
    int shown_count() {
        int shown = 0;
        for (auto& screen : m_view.screens) shown += screen->shown ? 1 : 0;
        return shown;
    }

    platform::testing::TempDeviceRoot m_root;
    core::CSettingsBag m_settings;
    core::CTimeStore m_store;
    FakeView m_view;
    std::unique_ptr<CMainController> m_controller;
    std::vector<MainDialogEnd> m_ends;
    bool m_started { false };
};

TEST_F(MainControllerTest, StartsOnTheRememberedScreenAloneWithoutARefreshTimer) {
    store_choice(kTimersSet, kTimersActiveScreenValue, 4);
    CMainController& controller = start();
    ASSERT_TRUE(m_started);
    EXPECT_TRUE(m_view.window_made);
    EXPECT_EQ(m_view.skins_loaded, std::vector<std::u16string> { u"Default" });
    EXPECT_EQ(active(), ScreenNumber::Countdown);
    EXPECT_EQ(shown_count(), 1) << "only the active screen shows";
    EXPECT_GE(m_view.of(ScreenNumber::Countdown).draws, 1);
    EXPECT_FALSE(m_view.timer(kRefreshTimer)) << "nothing on the screen changes by itself";
    EXPECT_EQ(m_view.of(ScreenNumber::Countdown).layout.area, m_view.area);
    EXPECT_EQ(controller.screen_sets().selected_button(), 2);
}

TEST_F(MainControllerTest, RefreshTimerRunsWithTheActiveScreensPeriodOnlyWhileItChanges) {
    start();
    FakeScreen& clock = m_view.of(ScreenNumber::AnalogClock);
    FakeScreen& stopwatch = m_view.of(ScreenNumber::Stopwatch);
    stopwatch.set_changing(true);
    EXPECT_FALSE(m_view.timer(kRefreshTimer)) << "a screen not shown starts no timer";

    clock.set_changing(true);
    ASSERT_TRUE(m_view.timer(kRefreshTimer));
    EXPECT_EQ(m_view.timers[kRefreshTimer], 500u);
    const int draws = clock.draws;
    m_controller->timer_fired(kRefreshTimer);
    EXPECT_EQ(clock.draws, draws) << "a tick that changed nothing draws nothing";
    clock.tick_changes = true;
    m_controller->timer_fired(kRefreshTimer);
    EXPECT_EQ(clock.draws, draws + 1);

    m_controller->handle_message(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::OtherSet), 0);
    EXPECT_EQ(active(), ScreenNumber::Stopwatch);
    EXPECT_EQ(m_view.timers[kRefreshTimer], 25u) << "the new screen's own period";
    EXPECT_FALSE(clock.is_active);
    EXPECT_FALSE(clock.shown);

    stopwatch.set_changing(false);
    EXPECT_FALSE(m_view.timer(kRefreshTimer));
}

TEST_F(MainControllerTest, ToolbarSlotsSwitchScreensAndSetsAndEachSetKeepsItsPosition) {
    start();
    m_controller->slot_pressed(ToolBarSlot::Button3);
    ASSERT_EQ(m_view.posted.size(), 1u);
    EXPECT_EQ(m_view.posted[0].number, kToolbarCommandMessage);
    EXPECT_EQ(active(), ScreenNumber::AnalogClock) << "the switch waits for the posted command";
    deliver_posted();
    EXPECT_EQ(active(), ScreenNumber::WorldTime);
    EXPECT_EQ(m_view.drawn_buttons.back(), 3);

    m_controller->slot_pressed(ToolBarSlot::SetSwitch);
    deliver_posted();
    EXPECT_EQ(active(), ScreenNumber::Stopwatch);
    m_controller->slot_pressed(ToolBarSlot::Button3);
    deliver_posted();
    EXPECT_EQ(active(), ScreenNumber::TimeCounters);
    m_controller->slot_pressed(ToolBarSlot::SetSwitch);
    deliver_posted();
    EXPECT_EQ(active(), ScreenNumber::WorldTime) << "the clocks set comes back on its own position";
    EXPECT_EQ(stored(kTimersActiveScreenValue), 5u);
    EXPECT_EQ(stored(kActiveScreenSetValue), 0u);
    EXPECT_EQ(shown_count(), 1);

    m_controller->slot_pressed(ToolBarSlot::Options);
    m_controller->soft_key_command(kOptionsSoftKeyCommand);
    m_controller->soft_key_command(kOptionsSoftKeyCommand + 1);
    deliver_posted();
    EXPECT_EQ(m_view.options_pages, (std::vector<int> { 0, 0 })) << "the options button and the soft key";
}

TEST_F(MainControllerTest, FullScreenTogglesAndItsWatchHidesTheSoftKeyBarOnlyOnceItWasSeen) {
    start();
    m_controller->handle_message(kFullScreenMessage, 1, 0);
    EXPECT_TRUE(m_view.full_screen);
    EXPECT_TRUE(m_view.of(ScreenNumber::AnalogClock).layout.full_screen);
    ASSERT_TRUE(m_view.timer(kFullScreenWatchTimer));
    m_controller->timer_fired(kFullScreenWatchTimer);
    EXPECT_FALSE(m_view.timer(kFullScreenWatchTimer)) << "no bar came back: the watch ends";

    m_controller->handle_message(kFullScreenMessage, 1, 0);
    m_view.soft_key_bar = true;
    m_view.full_screen = false;
    m_controller->timer_fired(kFullScreenWatchTimer);
    EXPECT_TRUE(m_view.full_screen) << "the bar came back: full screen again";
    m_view.soft_key_bar = false;
    m_controller->timer_fired(kFullScreenWatchTimer);
    EXPECT_TRUE(m_view.timer(kFullScreenWatchTimer)) << "once seen, the bar is watched for as long as full screen lasts";

    m_controller->handle_message(kFullScreenMessage, 0, 0);
    EXPECT_FALSE(m_view.full_screen);
    EXPECT_FALSE(m_view.timer(kFullScreenWatchTimer));
    EXPECT_FALSE(m_view.of(ScreenNumber::AnalogClock).layout.full_screen);
}

TEST_F(MainControllerTest, SquareScreenKeysDriveTheToolbar) {
    m_view.screen = { 240, 240, 96 };
    CMainController& controller = start();
    EXPECT_TRUE(controller.handle_key(gui::VK_LEFT));
    EXPECT_EQ(controller.screen_sets().selected_button(), 3) << "Left wraps from button 1 to 3";
    EXPECT_EQ(m_view.drawn_buttons.back(), 3);
    EXPECT_EQ(active(), ScreenNumber::AnalogClock) << "moving only selects";

    m_controller->handle_message(kFullScreenMessage, 1, 0);
    EXPECT_TRUE(controller.handle_key(gui::VK_DOWN));
    EXPECT_FALSE(controller.full_screen()) << "Down leaves full screen first";
    EXPECT_EQ(active(), ScreenNumber::WorldTime);

    EXPECT_TRUE(controller.handle_key(gui::VK_RETURN));
    EXPECT_EQ(m_view.options_pages, std::vector<int> { 0 }) << "Enter opens the options on their first page";
}

TEST_F(MainControllerTest, OtherKeysGoThroughTheActionHookToFullScreenOrTheScreen) {
    CommandLine line;
    CMainController before(line, m_settings, m_store, m_view);
    EXPECT_FALSE(before.handle_key(gui::VK_APP1)) << "no keys before initialisation";
    CMainController& controller = start();
    EXPECT_FALSE(controller.handle_key(gui::VK_LEFT)) << "no mapping: ignored off square screens";
    controller.set_key_action_hook([](uint32_t key) {
        return key == gui::VK_APP1 ? kToggleFullScreenAction : key == gui::VK_APP2 ? 7 : kNoAction;
    });
    EXPECT_TRUE(controller.handle_key(gui::VK_APP1));
    EXPECT_TRUE(m_view.full_screen);
    EXPECT_TRUE(controller.handle_key(gui::VK_APP2));
    EXPECT_EQ(m_view.of(ScreenNumber::AnalogClock).actions, std::vector<int> { 7 });
    EXPECT_TRUE(controller.handle_key(gui::VK_APP1));
    EXPECT_FALSE(m_view.full_screen);
}

TEST_F(MainControllerTest, StoredMappingsFollowTheActiveScreenAndCaptureItsButtons) {
    CButtonMappings stored;
    stored.select_profile(4);
    ASSERT_EQ(stored.bind(1, gui::VK_APP1), gui::VK_APP1);  // stopwatch and counters: Lap/Reset
    stored.select_profile(0);
    ASSERT_EQ(stored.bind(2, gui::VK_APP3), gui::VK_APP3);  // analog clock: Toggle Fullscreen
    stored.save();

    CMainController& controller = start();
    EXPECT_EQ(m_view.captured, std::vector<uint32_t> { gui::VK_APP3 });
    EXPECT_FALSE(controller.handle_key(gui::VK_APP1)) << "bound on other screens only";
    m_controller->handle_message(kToolbarCommandMessage, 0, ScreenSets::switch_data(3));
    ASSERT_EQ(active(), ScreenNumber::Stopwatch);
    EXPECT_EQ(m_view.captured, std::vector<uint32_t> { gui::VK_APP1 }) << "the stopwatch uses the counters' profile";
    EXPECT_TRUE(controller.handle_key(gui::VK_APP1));
    EXPECT_EQ(m_view.of(ScreenNumber::Stopwatch).actions, std::vector<int> { 2 });

    // A cancelled buttons page leaves its profile current and its bindings unsaved: closing the
    // sheet gives back the screen's profile and what is stored.
    CButtonMappings& mappings = CButtonMappings::instance();
    mappings.select_profile(4);
    mappings.bind(0, gui::VK_APP2);
    mappings.select_profile(0);
    controller.options_closed(m_view.metrics().landscape());
    EXPECT_EQ(mappings.current_profile(), 4u);
    EXPECT_EQ(mappings.action_for_key(gui::VK_APP2), kNoMappedAction);
    EXPECT_EQ(m_view.captured, std::vector<uint32_t> { gui::VK_APP1 });
}

TEST_F(MainControllerTest, ItemCommandClosesTheClocksAlarmControlThenChangesTheStore) {
    CMainController& controller = start();
    ASSERT_TRUE(m_store.create_item(core::ItemType::Alarm, 7));
    int closed = 0;
    controller.set_alarm_control_hook([&](MainScreen& screen) {
        EXPECT_EQ(screen.number(), ScreenNumber::AnalogClock);
        ++closed;
    });
    FakeScreen& clock = m_view.of(ScreenNumber::AnalogClock);
    const int draws = clock.draws;
    controller.item_command(7, 6, 0);
    EXPECT_FALSE(m_store.find_alarm(7)->enabled()) << "command 6 disables";
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(clock.draws, draws + 1) << "the screen shows the change";
    controller.item_command(99, 4, 0);
    EXPECT_EQ(closed, 1) << "an unknown item is not looked at further";

    m_controller->handle_message(kToolbarCommandMessage, 0, ScreenSets::switch_data(0));
    controller.item_command(7, 4, 0);
    EXPECT_EQ(closed, 1) << "world time has no alarm control";
    EXPECT_FALSE(m_store.find(7)) << "command 4 deletes";
}

TEST_F(MainControllerTest, ScreensaverShowsTheClockOfItsModeInFrontAndGivesTheFrontBack) {
    store_choice(kClocksSet, kClocksActiveScreenValue, 0);
    for (auto [mode, screen] : { std::pair { 2u, ScreenNumber::DigitalClock }, std::pair { 3u, ScreenNumber::WorldTime },
                                 std::pair { 7u, ScreenNumber::AnalogClock } }) {
        store_choice(kTimersSet, kTimersActiveScreenValue, 4);
        m_settings.set_number(kScrModeValue, mode);
        CMainController& controller = start();
        ASSERT_EQ(controller.screen_sets().active_set(), kTimersSet);
        controller.second_instance_line(u"ScreenSaver");
        EXPECT_TRUE(controller.screensaver_running()) << mode;
        EXPECT_EQ(active(), screen) << "mode " << mode;
        EXPECT_EQ(controller.screen_sets().active_set(), kClocksSet);
        EXPECT_TRUE(m_view.full_screen && m_view.topmost && m_view.foreground_remembered) << mode;
        EXPECT_EQ(controller.clock_opacity(), 256) << "opaque without the slide show";
        EXPECT_EQ(controller.slide_show_picture(), nullptr);

        controller.end_screensaver();
        EXPECT_FALSE(controller.screensaver_running());
        EXPECT_FALSE(m_view.full_screen || m_view.topmost) << "back to the user's choice";
        EXPECT_TRUE(m_view.foreground_restored);
        EXPECT_EQ(active(), screen) << "the clock stays";
        EXPECT_TRUE(m_ends.empty());
        m_view.foreground_restored = false;
        controller.end_screensaver();
        EXPECT_FALSE(m_view.foreground_restored) << "no screensaver: nothing to end";
    }
}

TEST_F(MainControllerTest, ScreensaverIsRefusedInModeZeroOrOverAnotherDialogAndClosesAnOpenMenu) {
    CMainController& controller = start();
    m_settings.set_number(kScrModeValue, 0);
    controller.second_instance_line(u"ScreenSaver");
    EXPECT_FALSE(controller.screensaver_running()) << "mode 0";
    m_settings.set_number(kScrModeValue, 1);
    m_view.dialog_open = true;
    controller.second_instance_line(u"ScreenSaver");
    EXPECT_FALSE(controller.screensaver_running()) << "another dialog is open";
    EXPECT_FALSE(m_view.full_screen || m_view.foreground_remembered);

    m_view.dialog_open = false;
    testing::WindowRecorder menu(u"MNU");
    ASSERT_NE(menu.handle(), 0u);
    controller.second_instance_line(u"ScreenSaver");
    EXPECT_TRUE(controller.screensaver_running());
    ASSERT_TRUE(platform::testing::eventually([&] { return menu.messages().size() >= 2; }, platform::testing::kPatience,
                                              "the menu's two messages"));
    const auto got = menu.messages();
    EXPECT_EQ(got[0].number, 0x001Fu) << "WM_CANCELMODE first";
    EXPECT_EQ(got[1].number, platform::WM_COMMAND);
    EXPECT_EQ(got[1].wparam, 0x10000001u);
}

TEST_F(MainControllerTest, SlideShowRunsBehindTheClockWithTheOpacityOfItsSettings) {
    EXPECT_EQ(clock_opacity_factor(-5), 0);
    EXPECT_EQ(clock_opacity_factor(40), 102);
    EXPECT_EQ(clock_opacity_factor(99), 253);
    EXPECT_EQ(clock_opacity_factor(100), 256);
    EXPECT_EQ(clock_opacity_factor(150), 256);
    const auto folder = platform::map_device_path(u"\\Pictures");
    ASSERT_TRUE(folder && std::filesystem::create_directories(*folder));
    const auto png = skins::testing::png_file_of(skins::testing::solid_picture(4, 4, { 250, 10, 10 }));
    std::ofstream(*folder / "one.png", std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                                               static_cast<std::streamsize>(png.size()));
    m_settings.set_number(kSlideShowEnabledValue, 1);
    m_settings.set_text(kSlideShowDirValue, u"\\Pictures");
    m_settings.set_number(kSlideShowEffectValue, 0x00000000);  // cut, no hold
    m_settings.set_number(kSlideShowOpacityValue, 0);
    CMainController& controller = start(StartMode::ScreenSaver);
    ASSERT_TRUE(controller.screensaver_running());
    EXPECT_EQ(controller.clock_opacity(), 0);
    ASSERT_NE(controller.slide_show_picture(), nullptr);
    EXPECT_EQ(m_view.timers[kRefreshTimer], kSlideShowFramePeriodMs) << "the refresh timer runs for the transitions";
    const int draws = m_view.of(ScreenNumber::AnalogClock).draws;
    controller.timer_fired(kRefreshTimer);
    EXPECT_GT(m_view.of(ScreenNumber::AnalogClock).draws, draws) << "a new picture draws the screen again";
    EXPECT_EQ(controller.slide_show_picture()->colour(100, 100), (skins::Rgb { 250, 10, 10 }));
}

TEST_F(MainControllerTest, ScreensaverModeEndsTheProgramWithTheServicesMessage) {
    CMainController& controller = start(StartMode::ScreenSaver);
    ASSERT_TRUE(m_started);
    EXPECT_TRUE(controller.screensaver_running());
    EXPECT_TRUE(m_view.full_screen);
    EXPECT_EQ(active(), ScreenNumber::AnalogClock);
    controller.end_screensaver();
    EXPECT_EQ(m_ends, std::vector<MainDialogEnd> { MainDialogEnd::Closed });
}

TEST_F(MainControllerTest, SecondInstanceLinesOpenWhatTheyAskFor) {
    CMainController& controller = start();
    controller.second_instance_line(u"Options 5");
    EXPECT_EQ(m_view.options_pages, std::vector<int> { 5 });
    EXPECT_EQ(m_view.minimised, 1);
    controller.second_instance_line(u"EditAlarm 17");
    ASSERT_EQ(m_view.alarm_editors.size(), 1u);
    EXPECT_EQ(m_view.alarm_editors[0].numbers[0], 17u);
    const int forward = m_view.brought_forward;
    controller.second_instance_line(u"WorldClock");
    controller.second_instance_line(u"Options x");
    EXPECT_EQ(m_view.brought_forward, forward + 2) << "anything else only brings the dialog forward";
    EXPECT_EQ(m_view.city_choosers, 0);
    m_controller->handle_message(gui::WM_ACTIVATE, 0, 0);
    EXPECT_EQ(m_view.brought_forward, forward + 2) << "WA_INACTIVE asks for nothing";
    m_controller->handle_message(gui::WM_ACTIVATE, gui::WA_ACTIVE, 0);
    EXPECT_EQ(m_view.brought_forward, forward + 3);
}

TEST_F(MainControllerTest, OptionsClosedAfterATurnReadsTheSettingsAndReloadsTheSkin) {
    CMainController& controller = start();
    m_controller->handle_message(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::Options), 0);
    ASSERT_TRUE(m_view.options_closed);
    m_settings.set_text(kActiveSkinValue, u"Black");
    m_settings.save();
    m_settings.set_text(kActiveSkinValue, u"Default");
    m_view.screen = { 320, 240, 96 };
    m_view.options_closed();
    EXPECT_TRUE(controller.landscape());
    EXPECT_EQ(m_view.skins_loaded.back(), u"Black") << "the settings were read again";
    EXPECT_TRUE(m_view.of(ScreenNumber::AnalogClock).layout.landscape);
}

TEST_F(MainControllerTest, TurningTheScreenReloadsTheImagesAndWatchesFullScreen) {
    CMainController& controller = start();
    const size_t loads = m_view.images_landscape.size();
    controller.setting_changed();
    EXPECT_EQ(m_view.images_landscape.size(), loads) << "no turn, no new images";
    EXPECT_FALSE(m_view.timer(kFullScreenWatchTimer));

    m_view.screen = { 320, 240, 96 };
    controller.setting_changed();
    EXPECT_EQ(m_view.images_landscape.back(), true);
    EXPECT_TRUE(m_view.of(ScreenNumber::AnalogClock).layout.landscape);
    EXPECT_TRUE(m_view.timer(kFullScreenWatchTimer)) << "the watch restarts after a turn";
}

TEST_F(MainControllerTest, GoingToTheBackReleasesHiddenScreensImagesAndComingBackLaysOut) {
    start();
    m_controller->handle_message(kFullScreenMessage, 1, 0);
    m_controller->deactivated();
    EXPECT_EQ(m_view.of(ScreenNumber::AnalogClock).releases, 0) << "the shown screen keeps its images";
    EXPECT_EQ(m_view.of(ScreenNumber::Countdown).releases, 1);
    EXPECT_EQ(m_view.shared_released, 1);
    EXPECT_FALSE(m_view.timer(kFullScreenWatchTimer));
    m_controller->activated();
    EXPECT_TRUE(m_view.timer(kFullScreenWatchTimer));
    ASSERT_EQ(m_view.posted.size(), 1u);
    EXPECT_EQ(m_view.posted[0].number, kRelayoutMessage);
}

TEST_F(MainControllerTest, StartFailuresEndTheDialogWithTheirReason) {
    m_view.skin_loads = false;
    start();
    EXPECT_FALSE(m_started);
    EXPECT_EQ(m_ends, std::vector<MainDialogEnd> { MainDialogEnd::SkinFailed });
    EXPECT_FALSE(stored(kActiveScreenSetValue)) << "nothing is saved for a dialog that never ran";

    m_ends.clear();
    m_view.skin_loads = true;
    m_view.screens_fail = true;
    start();
    EXPECT_EQ(m_ends, std::vector<MainDialogEnd> { MainDialogEnd::CreateFailed });

    m_ends.clear();
    m_view.screens_fail = false;
    m_view.of(ScreenNumber::AnalogClock).can_activate = false;
    start();
    EXPECT_EQ(m_ends, std::vector<MainDialogEnd> { MainDialogEnd::SkinFailed });
    EXPECT_EQ(m_view.errors, std::vector<std::u16string> { kErrorLoadingSkin });
}

TEST_F(MainControllerTest, AScreenRefusingWhileAnotherShowsKeepsTheShownOne) {
    start();
    m_view.of(ScreenNumber::WorldTime).can_activate = false;
    m_controller->handle_message(kToolbarCommandMessage, 0, ScreenSets::switch_data(0));
    EXPECT_EQ(active(), ScreenNumber::AnalogClock);
    EXPECT_TRUE(m_view.errors.empty());
    EXPECT_TRUE(m_ends.empty());
}

TEST_F(MainControllerTest, CloseSavesTheSettingsOnceAndIgnoresWhatComesAfter) {
    int reschedules = 0;
    m_store.set_reschedule_hook([&](core::CTimeStore&) { ++reschedules; });
    CMainController& controller = start(StartMode::WorldClock);
    controller.close_and_quit();
    controller.close_and_quit();
    EXPECT_EQ(m_ends, std::vector<MainDialogEnd> { MainDialogEnd::Closed });
    EXPECT_EQ(reschedules, 1);
    EXPECT_EQ(stored(kClocksActiveScreenValue), 0u) << "world time's position";
    EXPECT_TRUE(m_view.screens_destroyed);
    EXPECT_TRUE(m_view.skin_detached);
    EXPECT_TRUE(m_view.timers.empty());
    EXPECT_FALSE(controller.active_screen());
    EXPECT_FALSE(m_view.of(ScreenNumber::WorldTime).is_active);

    m_controller->handle_message(kFullScreenMessage, 1, 0);
    EXPECT_FALSE(m_view.full_screen) << "messages after the end do nothing";
    EXPECT_FALSE(controller.handle_key(gui::VK_RETURN));
}

TEST_F(MainControllerTest, AChosenSkinIsStoredLoadedWithVerificationAndShownAtOnce) {
    start();
    const auto stored_skin = [] {
        auto key = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kSettingsKeyPath);
        return key ? key->get_string(kActiveSkinValue).value_or(u"") : std::u16string {};
    };
    const size_t image_loads = m_view.images_landscape.size(), toolbars = m_view.drawn_buttons.size();
    const int draws = m_view.of(ScreenNumber::AnalogClock).draws;
    m_controller->choose_skin(u"Black");
    EXPECT_EQ(m_view.skins_loaded.back(), u"Black");
    EXPECT_GT(m_view.images_landscape.size(), image_loads) << "verified: the dialog's images loaded again";
    EXPECT_GT(m_view.drawn_buttons.size(), toolbars) << "the toolbar drawn again";
    EXPECT_GT(m_view.of(ScreenNumber::AnalogClock).draws, draws) << "the active screen drawn again";
    EXPECT_EQ(stored_skin(), u"Black") << "saved at once";

    m_view.unverifiable_skin = u"White";
    m_controller->choose_skin(u"White");
    EXPECT_EQ(stored_skin(), u"default") << "the skin loaded instead";
    m_view.skin_loads = false;
    m_controller->choose_skin(u"Nowhere");
    EXPECT_EQ(stored_skin(), u"default") << "an unregistered skin leaves the one before";
    EXPECT_TRUE(m_ends.empty()) << "the dialog goes on with the skin it shows";
}

}  // namespace
}  // namespace zt::app
