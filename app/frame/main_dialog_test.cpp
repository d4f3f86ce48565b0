// The main dialog offscreen on a fresh device with the shipped skins: what it shows, its
// toolbar, its timers and full screen, and skin failures. The rules behind it are the
// controller's (app/model/main_controller_test.cpp).
#include "app/frame/main_dialog_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "app/frame/screens.h"
#include "app/model/button_mappings.h"
#include "contracts/registry_keys.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/base/device_path.h"
#include "platform/gui/hardware_keys.h"
#include "platform/gui/property_sheet.h"
#include "platform/gui/screen_metrics.h"
#include "platform/gui/shell_frame.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/gui/window_placement.h"
#include "platform/gui/window_timers.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/hot_keys.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "platform/windows/window.h"
#include "platform/windows/window_lookup.h"
#include "skins/image_strip.h"
#include "skins/picture_loader.h"
#include "skins/skin_manager.h"

namespace zt::app {
namespace {

namespace fs = std::filesystem;
namespace gui = zt::platform::gui;

constexpr char16_t kInstall[] = u"\\Program Files\\Zun Time\\";

class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        zt::platform::gui::testing::widget_test_app();
        ASSERT_FALSE(m_root.path().empty());
        for (const char* skin : { "Default", "Default_big" }) install_skin(skin, fs::path(ZT_SKINS_DIR) / skin);
        m_settings.register_program_defaults();
    }
    void TearDown() override {
        m_dialog.reset();
        m_frame.reset();
        qunsetenv("ZT_MESSAGE_LOG");
    }

    void install_skin(const std::string& name, const fs::path& from) {
        const std::u16string folder = std::u16string(kInstall) + std::u16string(name.begin(), name.end()) + u"\\";
        const fs::path host = *platform::map_device_path(folder);
        fs::create_directories(host);
        if (!from.empty()) fs::copy(from, host, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        auto created = platform::registry::Key::create(platform::registry::Root::CurrentUser, contracts::kSkinsKeyPath);
        ASSERT_TRUE(created);
        created->key.set_string(std::u16string(name.begin(), name.end()), folder);
    }

    // Makes the device screen and the dialog and runs initialisation; false when it ended.
    bool start(gui::ScreenSize size, std::u16string_view skin = u"Default", StartMode mode = StartMode::Normal) {
        EXPECT_TRUE(gui::select_screen_size(size));
        m_settings.set_text(kActiveSkinValue, skin);
        m_skins = std::make_unique<skins::CSkinManager>(skins::read_skin_screen());
        m_skins->build_skin_list(skins::SkinConsumer::MainProgram);
        m_frame = std::make_unique<gui::ShellFrame>(kProgramTitle);
        m_frame->show();
        CommandLine line;
        line.mode = mode;
        m_dialog = std::make_unique<CMainDialog>(
            line, MainDialogEnvironment { &m_settings, &m_store, m_skins.get(), m_screens }, *m_frame);
        const bool ok = m_dialog->controller().initialise();
        settle();
        return ok && !m_dialog->controller().end();
    }
    void settle() {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    fs::path skin_file(std::u16string_view skin, const std::string& file) {
        const std::u16string folder = std::u16string(kInstall) + std::u16string(skin) + u"\\";
        return *platform::map_device_path(folder) / file;
    }

    platform::testing::TempDeviceRoot m_root;
    core::CSettingsBag m_settings;
    core::CTimeStore m_store;
    std::unique_ptr<skins::CSkinManager> m_skins;
    std::unique_ptr<gui::ShellFrame> m_frame;
    std::unique_ptr<CMainDialog> m_dialog;
    ScreenFactory m_screens;  // null: the program's own screens
};

skins::Rgb pixel_of(const QImage& image, int x, int y) {
    const QRgb c = image.pixel(x, y);
    return { static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)), static_cast<uint8_t>(qBlue(c)) };
}

struct RenderCase {
    gui::ScreenSize size;
    const char16_t* skin;
};

class MainDialogRendering : public MainDialogTest, public ::testing::WithParamInterface<RenderCase> {};

// The screens' area shows the skin's BG.png (turned in landscape) and the toolbar its buttons,
// compared pixel by pixel with the image files themselves.
TEST_P(MainDialogRendering, ShowsTheSkinsToolbarAndBackground) {
    const RenderCase c = GetParam();
    // The stopwatch's place in the timers set, taken by a screen that shows the background alone.
    m_screens = [](const ScreenSources& sources) {
        auto screens = make_screens(sources);
        screens[3] = std::make_unique<CScreen>(ScreenNumber::Stopwatch, 0, sources.skins);
        return screens;
    };
    m_settings.set_number(u"ActiveScreenSet", 1);
    m_settings.set_number(u"TimersActiveScreen", 3);
    ASSERT_TRUE(start(c.size, c.skin));
    const bool landscape = c.size.width > c.size.height;
    const bool high = c.size.width > 400;
    const QImage shot = m_dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(shot.isNull());

    const std::string suffix = high ? "_vga.png" : ".png";
    std::optional<skins::CPicture> background = skins::load_picture_file(skin_file(c.skin, "BG" + suffix));
    ASSERT_TRUE(background);
    const skins::Rect area = m_dialog->dialog_layout().screen_area;
    ASSERT_GT(area.width(), 0);
    ASSERT_GT(area.height(), 0);
    int compared = 0;
    for (int y = area.top; y < area.bottom; y += 7) {
        for (int x = area.left; x < area.right; x += 5) {
            const skins::Rgb expected = landscape ? background->colour(background->width() - 1 - y, x)
                                                  : background->colour(x, y);
            ASSERT_EQ(pixel_of(shot, x, y), expected) << "background at " << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 100);

    std::optional<skins::CPicture> strip_picture =
        skins::load_picture_file(skin_file(c.skin, (landscape ? "LToolBar" : "ToolBar") + suffix));
    ASSERT_TRUE(strip_picture);
    const skins::CImageStrip strip(std::move(*strip_picture));
    ASSERT_GE(strip.part_count(), 4u);
    const auto& buttons = m_dialog->dialog_layout().buttons;
    ASSERT_GE(buttons.size(), 4u);
    const int selected = m_dialog->controller().screen_sets().selected_button();
    int opaque = 0;
    for (const ToolBarButton& button : buttons) {
        const int slot = static_cast<int>(button.slot);
        const int part_index = slot == 0 ? 0 : slot == 4 ? 3 : slot == selected ? 2 : 1;
        const skins::StripPart part = *strip.part(part_index);
        const int32_t half = strip.half_width();
        const int32_t shown = std::min(part.height - button.part_top, button.rect.height());
        for (int32_t y = 0; y < shown; ++y) {
            const int32_t row = part.start + button.part_top + y;
            for (int32_t x = 0; x < half; ++x) {
                if (strip.picture()->colour(half + x, row).red != 255) continue;
                ASSERT_EQ(pixel_of(shot, button.rect.left + x, button.rect.top + y), strip.picture()->colour(x, row))
                    << "toolbar slot " << slot << " at " << x << "," << y;
                ++opaque;
            }
        }
    }
    EXPECT_GT(opaque, 200) << "the toolbar's opaque pixels were compared";
    if (landscape)
        EXPECT_EQ(area.left, buttons[0].rect.right) << "landscape: the toolbar runs down the left side";
    else
        EXPECT_EQ(area.bottom, buttons[0].rect.top) << "portrait: the toolbar runs along the bottom";
}

INSTANTIATE_TEST_SUITE_P(SizesAndOrientations, MainDialogRendering,
                         ::testing::Values(RenderCase { { 240, 320 }, u"Default" }, RenderCase { { 320, 240 }, u"Default" },
                                           RenderCase { { 480, 640 }, u"Default_big" },
                                           RenderCase { { 640, 480 }, u"Default_big" }),
                         [](const ::testing::TestParamInfo<RenderCase>& test_case) {
                             return std::to_string(test_case.param.size.width) + "x" +
                                    std::to_string(test_case.param.size.height);
                         });

TEST_F(MainDialogTest, TurningTheScreenLaysTheToolbarDownTheSideAndWatchesFullScreen) {
    ASSERT_TRUE(start({ 240, 320 }));
    ASSERT_FALSE(m_dialog->timers().is_set(kFullScreenWatchTimer));
    ASSERT_TRUE(gui::select_screen_size({ 320, 240 }));
    m_dialog->controller().setting_changed();
    settle();
    const DialogLayout& layout = m_dialog->dialog_layout();
    ASSERT_FALSE(layout.buttons.empty());
    EXPECT_EQ(layout.buttons[0].rect.left, 0);
    EXPECT_EQ(layout.screen_area.left, layout.buttons[0].rect.right) << "screens sit right of the side toolbar";
    EXPECT_EQ(m_dialog->active_screen()->layout().area, layout.screen_area);
    EXPECT_TRUE(m_dialog->active_screen()->layout().landscape);
    EXPECT_TRUE(m_dialog->timers().is_set(kFullScreenWatchTimer)) << "timer 107 restarts after a turn";
}

TEST_F(MainDialogTest, SoftKeyOptionsOpensTheSheetWithItsSevenPages) {
    ASSERT_TRUE(start({ 240, 320 }));
    std::vector<std::u16string> titles;
    // The press posts the toolbar command; the sheet opens when it arrives.
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* sheet = dynamic_cast<gui::PropertySheet*>(QApplication::activeModalWidget());
        if (!sheet) return;
        watcher.stop();
        for (int i = 0; i < sheet->page_count(); ++i) titles.push_back(sheet->page_title(i));
        sheet->press_ok();
    });
    watcher.start(5);
    ASSERT_TRUE(m_frame->soft_key_bar().press(0));
    settle();
    EXPECT_EQ(titles, (std::vector<std::u16string> { u"Skins", u"Alarms", u"Timers", u"Cities", u"Today",
                                                     u"Screensaver", u"Buttons" }));
}

// A clock screen standing in for the real one: it says when its content changes by itself and
// whether a tick changed it, and counts its ticks and drawings.
class ChangingClockScreen final : public CScreen {
public:
    explicit ChangingClockScreen(skins::CSkinManager& skins) : CScreen(ScreenNumber::AnalogClock, 500, skins) {}
    bool tick() override {
        ++ticks;
        return tick_changes;
    }
    bool needs_refresh() const override { return running; }
    void set_running(bool on) {
        running = on;
        refresh_needs_changed();
    }
    int ticks { 0 };
    int draws { 0 };
    bool running { false };
    bool tick_changes { false };

protected:
    void draw_content(skins::CPicture&) override { ++draws; }
};

// The idle program wakes for nothing: the refresh timer runs only while the active screen shows
// something that changes by itself, and a tick that changed nothing draws nothing.
TEST_F(MainDialogTest, TheRefreshTimerRunsOnlyWhileTheScreenChangesAndUnchangedTicksDrawNothing) {
    ChangingClockScreen* clock = nullptr;
    m_screens = [&clock](const ScreenSources& sources) {
        auto screens = make_screens(sources);
        auto own = std::make_unique<ChangingClockScreen>(sources.skins);
        clock = own.get();
        screens[0] = std::move(own);
        return screens;
    };
    ASSERT_TRUE(start({ 240, 320 }));
    ASSERT_EQ(m_dialog->active_screen(), clock);
    EXPECT_FALSE(m_dialog->timers().is_set(kRefreshTimer)) << "nothing changes: no timer, no wake-ups";
    const int drawn_at_start = clock->draws;
    EXPECT_GE(drawn_at_start, 1) << "the first showing draws";

    clock->set_running(true);
    EXPECT_EQ(m_dialog->timers().period_ms(kRefreshTimer), 500u) << "the screen's own period";
    auto wait_for = [&](const std::function<bool()>& reached) {
        for (auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
             !reached() && std::chrono::steady_clock::now() < deadline;)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return reached();
    };
    ASSERT_TRUE(wait_for([&] { return clock->ticks >= 2; })) << "no ticks while the screen changes";
    EXPECT_EQ(clock->draws, drawn_at_start) << "ticks that changed nothing drew nothing";

    clock->tick_changes = true;
    ASSERT_TRUE(wait_for([&] { return clock->draws > drawn_at_start; })) << "a changed tick was not drawn";

    clock->set_running(false);
    EXPECT_FALSE(m_dialog->timers().is_set(kRefreshTimer)) << "the timer stops with the changes";
}

TEST_F(MainDialogTest, ToolbarPressesSwitchScreensAndSets) {
    ASSERT_TRUE(start({ 240, 320 }));
    ASSERT_EQ(m_dialog->active_screen()->number(), ScreenNumber::AnalogClock);
    const auto& buttons = m_dialog->dialog_layout().buttons;
    auto press = [&](int slot) {
        const skins::Rect r = buttons[static_cast<size_t>(slot)].rect;
        m_dialog->press_at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        settle();
    };
    press(3);
    EXPECT_EQ(m_dialog->active_screen()->number(), ScreenNumber::WorldTime);
    EXPECT_EQ(m_dialog->timers().period_ms(kRefreshTimer), std::optional<uint32_t>(1000u))
        << "the panel clocks and the night side move with the minute";
    EXPECT_EQ(m_dialog->screen(ScreenNumber::AnalogClock)->isVisible(), false);
    press(0);
    EXPECT_EQ(m_dialog->controller().screen_sets().active_set(), kTimersSet);
    EXPECT_EQ(m_dialog->active_screen()->number(), ScreenNumber::Stopwatch);
    EXPECT_EQ(m_dialog->active_screen()->refresh_period_ms(), 25u);
    auto key = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kSettingsKeyPath);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->get_dword(kClocksActiveScreenValue), 0u);
    EXPECT_EQ(key->get_dword(kActiveScreenSetValue), 1u);
}

TEST_F(MainDialogTest, FullScreenGivesTheDialogTheWholeScreen) {
    // Button 1 bound to "Toggle Fullscreen" on the analog clock: the dialog takes it from the
    // shell, and the button's release reaches it as a hot key whichever window has the focus.
    CButtonMappings stored;
    ASSERT_EQ(stored.bind(2, gui::VK_APP1), gui::VK_APP1);
    stored.save();
    ASSERT_TRUE(start({ 240, 320 }));
    ASSERT_TRUE(m_dialog->pump()) << "the dialog is a device window";
    const auto claim = platform::find_hot_key(platform::MOD_WIN, gui::VK_APP1);
    ASSERT_TRUE(claim);
    EXPECT_EQ(claim->window, m_dialog->pump()->window().handle());
    EXPECT_FALSE(platform::find_hot_key(platform::MOD_WIN, gui::VK_APP2)) << "unbound buttons stay the shell's";
    ASSERT_TRUE(platform::route_hot_key(gui::VK_APP1, false));
    ASSERT_TRUE(platform::route_hot_key(gui::VK_APP1, true));
    for (int i = 0; i < 10 && !m_frame->full_screen(); ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(m_frame->full_screen());
    CMainController& controller = m_dialog->controller();
    EXPECT_EQ(m_dialog->size(), m_frame->size());
    EXPECT_EQ(m_dialog->active_screen()->layout().area, m_dialog->dialog_layout().screen_area);
    EXPECT_TRUE(m_dialog->active_screen()->layout().full_screen);
    ASSERT_TRUE(controller.handle_key(gui::VK_APP1));
    EXPECT_FALSE(m_frame->full_screen());
}

TEST_F(MainDialogTest, SkinFailingVerificationIsReportedOnceAndDefaultTakesOver) {
    const fs::path log = m_root.path() / "messages.log";
    qputenv("ZT_MESSAGE_LOG", QByteArray::fromStdString(log.string()));
    install_skin("Broken", {});
    std::ofstream(skin_file(u"Broken", "BG.png"), std::ios::binary) << "not a picture";
    ASSERT_TRUE(start({ 240, 320 }, u"Broken"));
    EXPECT_TRUE(skins::CSkinManager::skin_kind(m_skins->current_skin_name()) == skins::SkinKind::Default);
    std::ifstream in(log);
    std::string line, all;
    int lines = 0;
    while (std::getline(in, line)) {
        all += line + "\n";
        ++lines;
    }
    EXPECT_EQ(lines, 1) << all;
    EXPECT_EQ(all, "Zun Time\tUnable to load skin!\n");
    ASSERT_TRUE(m_dialog->active_screen()) << "the default skin shows";
}

// A screen that cannot load its images while none shows: one error box, then the end. The
// images go away after the skin loaded (position 6 shows no screen; losing the focus releases
// the images of screens not shown).
TEST_F(MainDialogTest, ScreenRefusingWithNoneShownReportsOnceAndEnds) {
    const fs::path log = m_root.path() / "messages.log";
    qputenv("ZT_MESSAGE_LOG", QByteArray::fromStdString(log.string()));
    auto created = platform::registry::Key::create(platform::registry::Root::CurrentUser, contracts::kSettingsKeyPath);
    created->key.set_dword(kClocksActiveScreenValue, 6);
    m_settings.load();
    ASSERT_TRUE(start({ 240, 320 }));
    ASSERT_FALSE(m_dialog->active_screen()) << "position 6 shows no screen";

    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(m_frame.get(), &deactivate);
    for (const auto& entry : fs::directory_iterator(skin_file(u"Default", "BG.png").parent_path()))
        if (entry.path().filename().string().starts_with("BG")) fs::remove(entry.path());
    m_dialog->controller().handle_message(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::SwitchPosition),
                             ScreenSets::switch_data(1));

    EXPECT_EQ(m_dialog->controller().end(), MainDialogEnd::SkinFailed);
    std::ifstream in(log);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "Zun Time\tError loading the skin!\n");
}

TEST_F(MainDialogTest, UnregisteredSkinEndsTheDialog) {
    m_settings.set_text(kActiveSkinValue, u"Nowhere");
    EXPECT_FALSE(start({ 240, 320 }, u"Nowhere"));
    EXPECT_EQ(m_dialog->controller().end(), MainDialogEnd::SkinFailed);
}

TEST_F(MainDialogTest, ActivationFromAnotherProgramBringsTheDialogForward) {
    ASSERT_TRUE(start({ 240, 320 }));
    auto other = platform::Window::create(u"OtherProgram", u"Other", {});
    ASSERT_TRUE(other);
    ASSERT_EQ(platform::foreground_window()->handle, other->handle());
    m_dialog->controller().handle_message(gui::WM_ACTIVATE, 0, 0);
    EXPECT_EQ(platform::foreground_window()->handle, other->handle()) << "WA_INACTIVE asks for nothing";
    m_dialog->controller().handle_message(gui::WM_ACTIVATE, gui::WA_ACTIVE, 0);
    const auto front = platform::foreground_window();
    ASSERT_TRUE(front);
    EXPECT_NE(front->handle, other->handle());
    EXPECT_EQ(front->class_name, u"Dialog");
}

}  // namespace
}  // namespace zt::app
