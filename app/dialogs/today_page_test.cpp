// The Today page offscreen: the preview follows the choices at the item's height, OK stores the
// four values and tells the item, and the icon is the tabbed host's to decide when embedded.
#include "app/dialogs/today_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>

#include "app/model/testing/window_recorder.h"
#include "contracts/registry_keys.h"
#include "contracts/today_item.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/registry/registry.h"
#include "platform/testing/eventually.h"
#include "skins/testing/skin_fixture.h"

namespace zt::app {
namespace {

namespace registry = platform::registry;

class TodayPageTest : public skins::testing::SkinDeviceTest {
protected:
    void SetUp() override {
        SkinDeviceTest::SetUp();
        platform::gui::testing::widget_test_app();
        for (const char16_t* skin : { u"Default", u"Black" }) add_shipped_skin(skin, ZT_SKINS_DIR);
        registry::Key key = settings();
        key.set_dword(u"View", 1);
        key.set_dword(u"CitiesCount", 0);
        key.set_dword(u"CityIndex", 2);
        key.set_string(u"TodaySkinName", u"Black");
    }
    static registry::Key settings() {
        return std::move(registry::Key::create(registry::Root::CurrentUser, contracts::kSettingsKeyPath)->key);
    }
};

TEST_F(TodayPageTest, ThePreviewFollowsTheChoicesAndOkStoresThem) {
    testing::WindowRecorder item(contracts::kTodayItemClass);
    ASSERT_NE(item.handle(), 0u);
    CTodayPage page;
    EXPECT_EQ(page.view().currentIndex(), 1);
    EXPECT_EQ(page.cities_count().currentIndex(), 0) << "a count of 0 shows as 1";
    ASSERT_TRUE(page.skins().currentItem());
    EXPECT_EQ(page.skins().currentItem()->text(), QStringLiteral("Black"));
    EXPECT_TRUE(page.hide_icon().isEnabled());
    EXPECT_EQ(page.preview().width(), 480) << "as wide as the screen";
    EXPECT_EQ(page.preview().height(), 80) << "one digital city on a high-resolution screen";

    page.cities_count().setCurrentIndex(2);
    EXPECT_EQ(page.preview().height(), 120);
    EXPECT_EQ(page.preview_image().height(), 120);
    const QImage with_icon = page.preview_image();
    page.hide_icon().setChecked(true);
    EXPECT_NE(page.preview_image().copy(0, 0, 40, 40), with_icon.copy(0, 0, 40, 40)) << "the icon went away";
    page.view().setCurrentIndex(0);
    EXPECT_GT(page.preview().height(), 80) << "three analog clocks with their names";
    page.skins().setCurrentRow(0);

    page.save();
    registry::Key key = settings();
    EXPECT_EQ(key.get_dword(u"View"), 0u);
    EXPECT_EQ(key.get_dword(u"CitiesCount"), 3u);
    EXPECT_EQ(key.get_string(u"TodaySkinName"), page.skins().item(0)->text().toStdU16String());
    EXPECT_EQ(key.get_dword(u"HideIcon"), 1u);
    EXPECT_EQ(key.get_dword(u"CityIndex"), 2u) << "the item's own choice stays";
    ASSERT_TRUE(platform::testing::eventually([&] { return !item.messages().empty(); }, platform::testing::kPatience,
                                              "the Today item's reload"));
    EXPECT_EQ(item.messages()[0].number, contracts::kMsgItemCommand);
}

TEST_F(TodayPageTest, EmbeddedInTheTabbedHostTheIconIsNotTheUsersChoice) {
    auto item = registry::Key::create(registry::Root::LocalMachine, contracts::kTodayItemKeyPath);
    ASSERT_TRUE(item);
    item->key.set_dword(u"Enabled", 0);
    item->key.set_string(u"STEmbedded", u"Tabs");
    auto tabs = registry::Key::create(registry::Root::LocalMachine, std::u16string(contracts::kTodayItemsKeyPath) + u"\\Tabs");
    ASSERT_TRUE(tabs);
    tabs->key.set_dword(u"STCRecommendedIndent", 1);
    CTodayPage page;
    EXPECT_FALSE(page.hide_icon().isEnabled());
    const QImage icon = page.preview_image().copy(0, 0, 40, 40);
    QImage black(icon.size(), icon.format());
    black.fill(Qt::black);
    EXPECT_NE(icon, black) << "the indent of 1 shows the icon on the empty background";
    page.hide_icon().setChecked(true);
    EXPECT_EQ(page.preview_image().copy(0, 0, 40, 40), icon) << "HideIcon does not hide it";
}

}  // namespace
}  // namespace zt::app
