// The dock in-process with the fake applet library: the order of the calls an applet gets,
// laying the panel out again when an applet's size changes, its menu, the colour its host's
// grandparent answers, and what is stored between runs, broken entries included.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/shell_frame.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/hosts/zt_dock/applet_panel.h"
#include "platform/hosts/zt_dock/dock.h"
#include "platform/hosts/zt_dock/dock_store.h"
#include "platform/hosts/zt_dock/tab_applets.h"
#include "platform/profile/device_profile.h"
#include "platform/registry/registry.h"
#include "platform/testing/log_lines.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::dock {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using registry::Key;
using registry::Root;

constexpr char16_t kFake[] = u"\\Windows\\FakeApplet.dll";
constexpr char16_t kPartial[] = u"\\Windows\\Partial.dll";
constexpr QRgb kAppletColour = 0xFF2080C0;
constexpr QRgb kThemeText = 0xFFFF0000;  // stored as 0x000000FF

std::vector<uint8_t> counter_blob(uint32_t counter) {
    return { static_cast<uint8_t>(counter), static_cast<uint8_t>(counter >> 8), static_cast<uint8_t>(counter >> 16),
             static_cast<uint8_t>(counter >> 24) };
}

class DockTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::testing::widget_test_app();
        ASSERT_FALSE(m_root.path().empty());
        ASSERT_TRUE(write_screen_size(240, 320));
        ASSERT_TRUE(testing::copy_into_root(m_root.path(), ZT_FAKE_APPLET_LIBRARY, "Windows/FakeApplet.dll"));
        ASSERT_TRUE(testing::copy_into_root(m_root.path(), ZT_PARTIAL_APPLET_LIBRARY, "Windows/Partial.dll"));
        auto colours = Key::create(Root::LocalMachine, u"SOFTWARE\\Microsoft\\Color");
        ASSERT_TRUE(colours);
        colours->key.set_dword(u"6", 0x000000FF);
        ::setenv("ZT_FAKE_APPLET_LOG", m_log.file().c_str(), 1);
    }
    void TearDown() override { ::unsetenv("ZT_FAKE_APPLET_LOG"); }

    Lines taken() { return m_log.take(); }
    static void store(const std::u16string& name, const std::vector<Key::ValueInfo>& values) {
        auto key = Key::create(Root::CurrentUser, std::u16string(kDockAppletsKey) + u"\\" + name);
        ASSERT_TRUE(key);
        for (const auto& value : values) key->key.set_value(value.name, value.type, value.data);
    }
    static Key::ValueInfo library_value(std::u16string_view dll) { return stored_applet(dll, {}).values[0]; }
    static Key::ValueInfo data_value(uint32_t counter) {
        return { u"Data", registry::ValueType::Binary, counter_blob(counter) };
    }
    static std::vector<uint8_t> stored_data(const StoredApplet& applet) { return applet.data().value_or(std::vector<uint8_t> { 9 }); }

    testing::TempDeviceRoot m_root;
    testing::LogLines m_log { m_root.path() / "applet.log" };
};

TEST_F(DockTest, AnAddedAppletIsMadeInitedSizedPaintedInItsBoxAndUpdatedInThatOrder) {
    auto registered = Key::create(Root::LocalMachine, std::u16string(kTabAppletsKey) + u"\\Fake");
    ASSERT_TRUE(registered);
    registered->key.set_string(u"DLL", kFake);
    registered->key.set_string(u"Name", u"Fake Applet");
    Dock dock;
    dock.show();
    dock.fill_add_menu();
    const auto actions = dock.add_menu().actions();
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Fake Applet"));
    actions[0]->trigger();

    AppletPanel& panel = dock.panel();
    ASSERT_EQ(panel.count(), 1u);
    EXPECT_EQ(panel.host(0)->parentWidget(), &panel);
    EXPECT_EQ(panel.width(), 240) << "the panel spans the screen";
    EXPECT_EQ(panel.box(0), QRect(kPanelGap, kPanelGap, 40, 30));
    const QImage picture = panel.render();
    panel.update_applets();
    EXPECT_EQ(taken(), (Lines { "dialog", "init", "size", "paint 0", "size", "paint 2 2 42 32", "update" }))
        << "a Paint that answers 0 is followed by a layout and another Paint";
    EXPECT_EQ(picture.pixel(20, 20), kAppletColour);
    EXPECT_EQ(picture.pixel(3, 3), kThemeText) << "the text colour the grandparent answered";
    EXPECT_EQ(picture.pixel(100, 20), kPanelBackground);

    const auto stored = read_stored_applets();
    ASSERT_EQ(stored.size(), 1u) << "written as soon as it was added";
    EXPECT_EQ(stored[0].key, u"0");
    EXPECT_EQ(stored[0].library().value_or(u""), std::u16string(kFake));
    EXPECT_EQ(stored_data(stored[0]), counter_blob(0));

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(dock.add(kPartial));
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("no DockAppletOnClick"), std::string::npos) << errors;
    EXPECT_EQ(panel.count(), 1u);
}

TEST_F(DockTest, TheMenuIsTheAppletsToGiveItsCommandsAndRemovalAndSizeChangesLayOutAgain) {
    Dock dock;
    ASSERT_TRUE(dock.add(kFake));
    ASSERT_TRUE(dock.add(kFake));
    AppletPanel& panel = dock.panel();
    panel.render();
    taken();

    EXPECT_EQ(panel.context_menu(0, QPoint(35, 10)), nullptr) << "the right half declines";
    auto menu = panel.context_menu(0, QPoint(5, 10));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(taken(), (Lines { "menu? 35 10", "menu? 5 10", "fill" }));
    const auto actions = menu->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Grow"));
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[3]->text(), QStringLiteral("Remove Applet"));

    panel.menu_chosen(0, actions[0]);
    EXPECT_EQ(panel.box(1).left(), 44) << "no new size before it paints";
    const QImage picture = panel.render();
    EXPECT_EQ(panel.box(0).width(), 60) << "its Paint answered 0 with a new size";
    EXPECT_EQ(panel.box(1).left(), 64);
    EXPECT_EQ(picture.pixel(60, 20), kAppletColour);
    EXPECT_EQ(stored_data(read_stored_applets()[0]), counter_blob(1)) << "stored after the command";

    // The tap in its right half makes the applet grow and send the host update message.
    panel.tap(1, QPoint(64 + 30, 10));
    EXPECT_EQ(panel.box(1).width(), 60) << "laid out on the applet's message";
    panel.update_applets();

    menu = panel.context_menu(0, QPoint(5, 10));
    ASSERT_NE(menu, nullptr);
    panel.menu_chosen(0, menu->actions()[3]);
    EXPECT_EQ(taken(), (Lines { "command 1", "size", "size", "paint 0", "paint 44 2 84 32", "size", "size",
                                "paint 2 2 62 32", "paint 64 2 104 32", "click 30 8", "size", "size", "update", "update", "menu? 5 10",
                                "fill", "delete 1", "size" }));
    ASSERT_EQ(panel.count(), 1u);
    EXPECT_EQ(panel.box(0).left(), kPanelGap);
    const auto stored = read_stored_applets();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored_data(stored[0]), counter_blob(1)) << "the tapped one is left";
}

TEST_F(DockTest, BlobsComeBackInPanelOrderAndBrokenEntriesKeepTheirPlace) {
    store(u"1", { library_value(kFake), data_value(7) });
    store(u"0", { library_value(kFake), data_value(5) });
    store(u"2", { library_value(u"\\Windows\\Gone.dll"), data_value(3) });
    store(u"3", { library_value(kPartial) });
    store(u"4", { library_value(kFake), { u"Data", registry::ValueType::Sz, { 'x', 0, 0, 0 } } });
    store(u"10", { library_value(kFake) });
    const auto before = read_stored_applets();
    {
        Dock dock;
        ::testing::internal::CaptureStderr();
        dock.restore();
        const std::string errors = ::testing::internal::GetCapturedStderr();
        for (const char* why : { "Gone.dll", "no DockAppletOnClick", "\"Data\" is not binary" })
            EXPECT_NE(errors.find(why), std::string::npos) << errors;
        ASSERT_EQ(dock.panel().count(), 3u);
        dock.panel().tap(0, QPoint(5, 5));
        EXPECT_TRUE(dock.persist());
    }
    const Lines made = taken();
    EXPECT_EQ(std::count(made.begin(), made.end(), "create 5"), 1);
    EXPECT_LT(std::find(made.begin(), made.end(), "create 5"), std::find(made.begin(), made.end(), "create 7"));
    EXPECT_EQ(made.back(), "delete 0") << "every instance deleted as the dock went";

    const auto after = read_stored_applets();
    ASSERT_EQ(after.size(), 6u);
    EXPECT_EQ(stored_data(after[0]), counter_blob(6)) << "the tap counted";
    EXPECT_EQ(stored_data(after[1]), counter_blob(7));
    for (size_t kept = 2; kept <= 4; ++kept) {
        EXPECT_EQ(after[kept].key, std::u16string(1, static_cast<char16_t>(u'0' + kept)));
        EXPECT_EQ(after[kept].values.size(), before[kept].values.size());
        for (size_t v = 0; v < after[kept].values.size(); ++v)
            EXPECT_EQ(after[kept].values[v].data, before[kept].values[v].data) << "entry " << kept << " kept as it was";
    }
    EXPECT_EQ(after[5].key, u"5") << "renumbered from 10";

    Dock again;
    again.restore();
    EXPECT_EQ(taken(), (Lines { "create 6", "init", "size", "create 7", "init", "size", "size", "create 0", "init",
                                "size", "size", "size" }));
}

}  // namespace
}  // namespace zt::platform::dock
