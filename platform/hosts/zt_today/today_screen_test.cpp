// The Today screen in-process with the fake item library: loading and stacking the registered
// items, their refresh, the selection's messages, the colours and background the screen
// answers, the options menu and the order of tearing down.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/key_codes.h"
#include "platform/gui/shell_frame.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/gui/theme_colors.h"
#include "platform/hosts/zt_today/item_area.h"
#include "platform/hosts/zt_today/tab_host.h"
#include "platform/hosts/zt_today/today_screen.h"
#include "platform/profile/device_profile.h"
#include "platform/registry/registry.h"
#include "platform/testing/log_lines.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::today {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using registry::Key;
using registry::Root;

constexpr char16_t kFake[] = u"\\Windows\\FakeItem.dll";
constexpr QRgb kItemColour = 0xFF00A000;  // what the fake paints at its left edge

struct Item {
    std::u16string name;
    uint32_t order { 0 };
    uint32_t type { 30 };  // the fake's first height, and its behaviour flags
    uint32_t selectability { 1 };
    uint32_t options { 0 };
    uint32_t enabled { 1 };
    std::u16string dll { kFake };
};

class TodayScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::testing::widget_test_app();
        ASSERT_FALSE(m_root.path().empty());
        ASSERT_TRUE(write_screen_size(240, 320));
        ASSERT_TRUE(testing::copy_into_root(m_root.path(), ZT_FAKE_ITEM_LIBRARY, "Windows/FakeItem.dll"));
        ASSERT_TRUE(testing::copy_into_root(m_root.path(), ZT_NO_EXPORT_LIBRARY, "Windows/NoExport.dll"));
        ::setenv("ZT_FAKE_ITEM_LOG", (m_root.path() / "items.log").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("ZT_FAKE_ITEM_LOG");
        ::unsetenv("ZT_FAKE_ITEM_KEEP_OPTIONS");
    }

    static void add(const Item& item) {
        auto key = Key::create(Root::LocalMachine, std::u16string(kTodayItemsKey) + u"\\" + item.name);
        ASSERT_TRUE(key);
        key->key.set_string(u"DLL", item.dll);
        key->key.set_dword(u"enabled", item.enabled);
        key->key.set_dword(u"Order", item.order);
        key->key.set_dword(u"Type", item.type);
        key->key.set_dword(u"Selectability", item.selectability);
        key->key.set_dword(u"Options", item.options);
    }
    // The fake's log lines since the last call.
    Lines taken() { return m_log.take(); }
    // An area for a view of this size (scroll bar 12 wide) with the registered items loaded.
    static std::unique_ptr<ItemArea> loaded(QSize view) {
        auto area = std::make_unique<ItemArea>();
        area->lay_out(view, 12);
        area->load(registered_today_items());
        return area;
    }
    static std::vector<std::string> names(const ItemArea& area) {
        std::vector<std::string> list;
        for (QWidget* item : area.shown_items()) list.push_back(item->objectName().toStdString());
        return list;
    }
    static std::vector<QRect> geometries(const ItemArea& area) {
        std::vector<QRect> list;
        for (QWidget* item : area.shown_items()) list.push_back(item->geometry());
        return list;
    }

    testing::TempDeviceRoot m_root;
    testing::LogLines m_log { m_root.path() / "items.log" };
};

TEST_F(TodayScreenTest, ItemsStackByOrderThenNameAndWhatCannotLoadIsSkipped) {
    const std::u16string long_name(40, u'L');
    add({ .name = u"Gamma", .order = 2, .type = 30 });
    add({ .name = u"beta", .order = 2, .type = 20 });
    add({ .name = u"Alpha", .order = 1, .type = 10 });
    add({ .name = long_name, .order = 3, .type = 5 });
    add({ .name = u"Disabled", .enabled = 0 });
    add({ .name = u"Missing", .dll = u"\\Windows\\Gone.dll" });
    add({ .name = u"NoExport", .dll = u"\\Windows\\NoExport.dll" });
    add({ .name = u"Outside", .dll = u"\\..\\..\\lib.so" });

    ::testing::internal::CaptureStderr();
    const auto area = loaded(QSize(240, 1000));
    const std::string errors = ::testing::internal::GetCapturedStderr();

    const std::string cut(32, 'L');
    EXPECT_EQ(names(*area), (Lines { "Alpha", "beta", "Gamma", cut })) << "the name is cut to 32 units";
    EXPECT_EQ(taken(), (Lines { "Alpha init", "Alpha refresh 20", "beta init", "beta refresh 30", "Gamma init",
                                "Gamma refresh 40", cut + " init", cut + " refresh 15" }))
        << "each item is asked its height when made; the disabled entry makes no widget";
    EXPECT_EQ(geometries(*area), (std::vector<QRect> { { 0, 0, 240, 20 }, { 0, 20, 240, 30 }, { 0, 50, 240, 40 },
                                                       { 0, 90, 240, 15 } }));
    for (const char* skipped : { "Missing", "NoExport", "Outside" })
        EXPECT_NE(errors.find(std::string("item ") + skipped + " not shown"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("Disabled"), std::string::npos) << errors;
}

TEST_F(TodayScreenTest, RefreshLaysOutTheNewHeightsAndScrollsOnceTallerThanTheView) {
    add({ .name = u"A", .order = 1, .type = 100 });
    add({ .name = u"B", .order = 2, .type = 100 });
    const auto loaded_area = loaded(QSize(240, 250));
    ItemArea& area = *loaded_area;
    taken();
    EXPECT_EQ(area.property(kScrollBarWidthProperty).toInt(), 0);

    for (int grown = 1; grown <= 2; ++grown) ASSERT_TRUE(area.refresh());
    EXPECT_EQ(taken(), (Lines { "A refresh 120", "B refresh 120", "A refresh 130", "B refresh 130" }));
    EXPECT_EQ(geometries(area), (std::vector<QRect> { { 0, 0, 228, 130 }, { 0, 130, 228, 130 } }));
    EXPECT_EQ(area.property(kScrollBarWidthProperty).toInt(), 12) << "260 high in a 250 view";
    EXPECT_EQ(area.size(), QSize(228, 260));

    ASSERT_TRUE(area.refresh());
    EXPECT_FALSE(area.refresh()) << "the fake stops growing at 140";
    EXPECT_EQ(area.shown_items()[1]->geometry(), QRect(0, 140, 228, 140));
}

TEST_F(TodayScreenTest, KeysAskTheSelectedItemFirstAndMoveOnlyToItemsThatTakeIt) {
    add({ .name = u"A", .order = 1 });
    add({ .name = u"B", .order = 2, .selectability = 0 });
    add({ .name = u"C", .order = 3, .type = 30 | 0x10000 });  // refuses
    add({ .name = u"D", .order = 4, .type = 30 | 0x20000 });  // moves within itself once
    const auto loaded_area = loaded(QSize(240, 300));
    ItemArea& area = *loaded_area;
    taken();
    using gui::VK_DOWN;
    using gui::VK_UP;
    EXPECT_EQ(area.selected_item(), nullptr) << "nothing is selected at first";

    struct Step { uint32_t key; Lines messages; const char* selected; };
    const Step steps[] = {
        { VK_DOWN, { "A received 40" }, "A" },
        { VK_DOWN, { "A navigation 40", "A lost", "C received 40", "D received 40" }, "D" },
        { VK_DOWN, { "D navigation 40" }, "D" },  // D moved within itself
        { VK_DOWN, { "D navigation 40" }, "D" },  // nothing below: D keeps it, unasked
        { VK_UP, { "D navigation 38", "D lost", "C received 38", "A received 38" }, "A" },
        { gui::VK_RETURN, { "A action" }, "A" },
    };
    for (const Step& step : steps) {
        EXPECT_TRUE(area.key(step.key));
        EXPECT_EQ(taken(), step.messages) << "key " << step.key;
        ASSERT_NE(area.selected_item(), nullptr);
        EXPECT_EQ(area.selected_item()->objectName().toStdString(), step.selected);
    }
    EXPECT_FALSE(area.key(gui::VK_LEFT));
    EXPECT_TRUE(taken().empty());
}

TEST_F(TodayScreenTest, TheAreaAnswersColoursAndTheBackgroundBehindAnItem) {
    add({ .name = u"A", .order = 1, .type = 100 });
    add({ .name = u"B", .order = 2, .type = 100 });
    const auto loaded_area = loaded(QSize(240, 300));
    ItemArea& area = *loaded_area;
    QImage background(240, 300, QImage::Format_RGB32);
    background.fill(Qt::red);
    QPainter(&background).fillRect(0, 150, 240, 150, Qt::blue);
    area.set_background(background);
    QWidget* b = area.shown_items()[1];

    // 40 x 100 from B's (10, -10) (B is at 110): area rows 100..199, red above 150, blue below.
    std::vector<uint8_t> bits(120 * 100, 0x55);
    WatermarkRequest request { bits.data(), 40, 100, 120, 10, -10, b };
    auto pixel = [&](int x, int y) {
        const uint8_t* p = bits.data() + (99 - y) * 120 + x * 3;
        return qRgb(p[2], p[1], p[0]);
    };
    auto watermark = [&] { return send_child_message(&area, kMsgDrawWatermark, 0, reinterpret_cast<intptr_t>(&request)); };
    ASSERT_EQ(watermark(), 1);
    EXPECT_EQ(pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(39, 49), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(0, 50), qRgb(0, 0, 255));
    EXPECT_EQ(pixel(39, 99), qRgb(0, 0, 255));

    // Selected, the item stands on the highlight colour; the fake paints over it.
    area.key(gui::VK_DOWN);
    area.key(gui::VK_DOWN);
    ASSERT_EQ(area.selected_item(), b);
    ASSERT_EQ(watermark(), 1);
    EXPECT_EQ(pixel(20, 70), qRgb(0x31, 0x69, 0xC6)) << "the default highlight";
    const QImage painted = b->grab().toImage();
    EXPECT_EQ(painted.pixel(5, 50), kItemColour);
    EXPECT_EQ(painted.pixel(27, 5), qRgb(0, 0, 0)) << "the default text colour";
    EXPECT_EQ(painted.pixel(150, 50), qRgb(0x31, 0x69, 0xC6));

    auto colour = [&](uint32_t which) { return send_child_message(&area, kMsgGetColor, which); };
    EXPECT_EQ(colour(kColorHighlightedText), 0x00FFFFFF);
    auto theme = Key::create(Root::LocalMachine, gui::kThemeColourKey);
    theme->key.set_dword(u"6", 0x00336699);
    theme->key.set_dword(u"2", 0x0000FF00);
    EXPECT_EQ(colour(kColorText), 0x00336699);
    EXPECT_EQ(colour(kColorHighlight), 0x0000FF00);
    EXPECT_EQ(colour(0x10000099), 0) << "an index the screen does not know";
    ASSERT_EQ(watermark(), 1);
    EXPECT_EQ(pixel(0, 0), qRgb(0, 255, 0)) << "the theme's highlight";

    // Requests the screen cannot serve change nothing.
    std::fill(bits.begin(), bits.end(), 0x55);
    const WatermarkRequest bad[] = {
        { bits.data(), 40, 100, 120, 0, 0, nullptr },   { bits.data(), 40, 100, 120, 0, 0, &area },
        { nullptr, 40, 100, 120, 0, 0, b },             { bits.data(), 40, 100, 100, 0, 0, b },
        { bits.data(), -4, 100, 120, 0, 0, b },         { bits.data(), 40, 100000, 120, 0, 0, b },
    };
    for (const WatermarkRequest& wrong : bad)
        EXPECT_EQ(send_child_message(&area, kMsgDrawWatermark, 0, reinterpret_cast<intptr_t>(&wrong)), 0);
    EXPECT_EQ(send_child_message(&area, kMsgDrawWatermark, 0, 0), 0);
    EXPECT_EQ(pixel(0, 0), qRgb(0x55, 0x55, 0x55));
}

TEST_F(TodayScreenTest, OptionsDialogsOpenUnlessTheItemEndsThemAndItemsGoBeforeTheirLibraries) {
    add({ .name = u"A", .order = 1, .options = 1 });
    add({ .name = u"B", .order = 2 });
    add({ .name = u"Off", .order = 3, .options = 1, .enabled = 0 });
    auto screen = std::make_unique<TodayScreen>(registered_today_items());
    screen->show();
    screen->fill_items_menu();
    std::vector<std::string> listed;
    for (QAction* action : screen->items_menu().actions()) listed.push_back(action->text().toStdString());
    EXPECT_EQ(listed, (Lines { "A", "Off" })) << "items with options, shown or not";
    taken();

    screen->items_menu().actions()[0]->trigger();
    EXPECT_EQ(taken(), (Lines { "options init" }));
    EXPECT_TRUE(screen->frame().findChildren<QDialog*>().isEmpty()) << "the item ended its dialog";

    ::setenv("ZT_FAKE_ITEM_KEEP_OPTIONS", "1", 1);
    screen->items_menu().actions()[0]->trigger();
    const auto dialogs = screen->frame().findChildren<QDialog*>();
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_TRUE(dialogs[0]->isVisible());
    EXPECT_EQ(dialogs[0]->windowTitle(), "Item Options");
    ASSERT_NE(dialogs[0]->findChild<QLabel*>(), nullptr) << "what the item put in it";
    taken();

    screen.reset();
    EXPECT_EQ(taken(), (Lines { "A destroyed", "B destroyed" }));
}

TEST_F(TodayScreenTest, TheTabbedHostShowsATabPerPluginWithIconAndClockAndTheSelectedTabsContent) {
    struct Plugin { const char16_t* key; const char16_t* dll; const char16_t* name; };
    for (const auto& [key, dll, name] : { Plugin { u"One", kFake, u"First" }, Plugin { u"Gone", u"", u"Unloaded" },
                                          Plugin { u"Broken", u"\\Windows\\NoExport.dll", u"Broken" },
                                          Plugin { u"Two", kFake, u"Second" } }) {
        auto plugin = Key::create(Root::LocalMachine, std::u16string(kTabPluginsKey) + u"\\" + key);
        plugin->key.set_string(u"DLL", dll);
        plugin->key.set_string(u"Name", name);
    }
    auto host_key = Key::create(Root::LocalMachine, std::u16string(kTodayItemsKey) + u"\\Tabs");
    host_key->key.set_dword(u"TabHost", 1);
    host_key->key.set_dword(u"Enabled", 1);
    host_key->key.set_dword(u"Selectability", 1);
    ::testing::internal::CaptureStderr();
    auto area = loaded(QSize(240, 300));
    const std::string errors = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(area->shown_items().size(), 1u);
    auto* host = dynamic_cast<TabHostItem*>(area->shown_items()[0]);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(host->tab_count(), 2u);
    EXPECT_EQ(host->tab_name(1), u"Second");
    EXPECT_NE(errors.find("tab Broken not shown"), std::string::npos) << errors;
    EXPECT_EQ(host->geometry(), QRect(0, 0, 240, 16 + 50)) << "the strip and the content's height, asked when made";
    const QImage first = host->grab().toImage();
    const Lines made = taken();
    EXPECT_EQ(std::count(made.begin(), made.end(), "clock set_size 120 16"), 2) << "each clock learns its tab's size";
    EXPECT_EQ(std::count(made.begin(), made.end(), "Embedded init"), 1) << "only the selected tab's content";
    EXPECT_EQ(first.pixel(5, 6), 0xFFC000C0u) << "the first tab's icon";
    EXPECT_EQ(first.pixel(60, 8), 0xFF0000C0u) << "the first tab's clock";
    EXPECT_EQ(first.pixel(180, 8), 0xFF0000C0u) << "the second tab's clock";
    EXPECT_EQ(first.pixel(60, 15), qRgb(0x31, 0x69, 0xC6)) << "the selected tab's mark";
    EXPECT_EQ(first.pixel(5, 30), kItemColour) << "the content below the strip";
    EXPECT_EQ(first.pixel(150, 30), qRgb(255, 255, 255)) << "the content's background, passed up";

    EXPECT_TRUE(area->key(gui::VK_DOWN));
    EXPECT_EQ(area->selected_item(), host) << "the content took the selection";
    EXPECT_EQ(taken(), (Lines { "Embedded received 40" }));

    QMouseEvent tap(QEvent::MouseButtonPress, QPointF(180, 8), QPointF(180, 8), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(host, &tap);
    EXPECT_EQ(host->selected_tab(), 1u);
    EXPECT_EQ(taken(), (Lines { "Embedded destroyed", "Embedded init" }));
    ASSERT_TRUE(area->refresh()) << "the new content is lower than the old one had grown";
    EXPECT_EQ(host->height(), 16 + 40);
    ASSERT_TRUE(area->refresh());
    EXPECT_EQ(host->height(), 16 + 50);

    taken();
    area.reset();
    const Lines gone = taken();
    ASSERT_FALSE(gone.empty());
    EXPECT_EQ(gone.front(), "Embedded destroyed");
    EXPECT_EQ(std::count(gone.begin(), gone.end(), "clock destroy"), 2);
    EXPECT_EQ(std::count(gone.begin(), gone.end(), "clock release 0"), 2);
}

}  // namespace
}  // namespace zt::platform::today
