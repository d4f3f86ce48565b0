// The skins page offscreen on a device with registered skin folders: what it lists and selects,
// what choosing a row does, and Remove with its boxes answered by the test.
#include "app/dialogs/skins_page.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTreeWidget>

#include <span>
#include <vector>

#include "app/model/screen_sets.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/msgbox/message_box.h"
#include "skins/testing/skin_fixture.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

namespace msgbox = platform::msgbox;

class SkinsPageTest : public skins::testing::SkinDeviceTest {
protected:
    void SetUp() override {
        SkinDeviceTest::SetUp();
        platform::gui::testing::widget_test_app();
        // "Tiny" has only the Today item's images.
        for (const char16_t* name : { u"Default", u"Black", u"White", u"ZunSilver", u"Tiny" }) add_skin(name);
        for (const char16_t* name : { u"Default", u"Black", u"White", u"ZunSilver" }) add_file(name, u"Clock.png");
        add_file(u"Tiny", u"apl_Clock.png");
        store_active_skin(u"BLACK");
        auto settings = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kSettingsKeyPath);
        settings->set_string(u"TodaySkinName", u"white");
        const std::string table = "Skins|Designs\r\nAre you sure you want to remove the %s skin?|Design %s entfernen?\r\n";
        CTextTable::instance().load_bytes(std::span(reinterpret_cast<const uint8_t*>(table.data()), table.size()));
        msgbox::set_message_box_presenter([this](const msgbox::MessageBox& box) {
            boxes.push_back(box);
            return answer;
        });
    }
    void TearDown() override {
        msgbox::set_message_box_presenter({});
        CTextTable::instance().clear();
    }
    static std::vector<std::u16string> rows(const CSkinsPage& page) {
        std::vector<std::u16string> names;
        for (int row = 0; row < page.list().topLevelItemCount(); ++row)
            names.push_back(page.list().topLevelItem(row)->text(0).toStdU16String());
        return names;
    }
    static QTreeWidgetItem* row_of(const CSkinsPage& page, const QString& name) {
        const auto found = page.list().findItems(name, Qt::MatchExactly);
        return found.size() == 1 ? found.front() : nullptr;
    }

    skins::CSkinManager m_skins { skins::SkinScreen {} };
    std::vector<std::u16string> chosen;
    std::vector<msgbox::MessageBox> boxes;
    msgbox::Answer answer { msgbox::Answer::No };
};

TEST_F(SkinsPageTest, ListsTheMainProgramsSkinsSelectsTheActiveOneAndChoosesThroughTheHook) {
    CSkinsPage page(m_skins, [&](std::u16string_view name) {
        chosen.emplace_back(name);
        store_active_skin(u"default");  // as the main dialog does when the skin fails its verification
    });
    EXPECT_EQ(rows(page), (std::vector<std::u16string> { u"Default", u"Black", u"White", u"ZunSilver" }))
        << "registry order, without the skin of only Today images";
    EXPECT_EQ(page.selected_skin(), u"Black") << "\"ActiveSkin\" BLACK, compared without regard to case";
    EXPECT_EQ(page.list().headerItem()->text(0), "Designs") << "the column heading through the text table";
    EXPECT_EQ(page.help_topic(), u"file:ZunTime.htm#options_skins");
    EXPECT_TRUE(chosen.empty()) << "showing the active skin chooses nothing";

    page.list().setCurrentItem(row_of(page, "White"));
    EXPECT_EQ(chosen, std::vector<std::u16string> { u"White" });
    EXPECT_EQ(page.selected_skin(), u"Default") << "the list follows the skin that was loaded instead";

    CSkinsPage alone(m_skins);  // no main dialog: the choice is only stored
    alone.list().setCurrentItem(row_of(alone, "ZunSilver"));
    EXPECT_EQ(stored_active_skin(), u"ZunSilver");
}

TEST_F(SkinsPageTest, RemoveRefusesTheSkinsInUseAndTheDefaultSkinAndAsksForTheRest) {
    CSkinsPage page(m_skins, [&](std::u16string_view name) { chosen.emplace_back(name); });
    page.remove_button().click();  // the selected row: the active skin
    for (const char* held : { "White", "Default", "ZunSilver" }) page.remove_row(*row_of(page, held));
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, u"You cannot remove current skin!");
    EXPECT_EQ(boxes[1].text, u"You cannot remove current skin!") << "the Today item's skin";
    EXPECT_EQ(boxes[2].text, u"You cannot remove the default skin!");
    EXPECT_EQ(boxes[3].text, u"Design ZunSilver entfernen?") << "translated around the name";
    EXPECT_EQ(boxes[3].caption, u"Zun Time");
    EXPECT_EQ(boxes[3].buttons, msgbox::Buttons::YesNo);
    EXPECT_EQ(boxes[3].icon, msgbox::Icon::Question);
    EXPECT_EQ(boxes[3].default_answer, msgbox::Answer::No) << "a box no one answers removes nothing";
    EXPECT_TRUE(skins_value(u"White") && skins_value(u"Default") && skins_value(u"ZunSilver"));
    EXPECT_TRUE(has_file(u"ZunSilver", u"Clock.png")) << "No keeps the skin";

    answer = msgbox::Answer::Yes;
    page.remove_row(*row_of(page, "ZunSilver"));
    EXPECT_FALSE(skins_value(u"ZunSilver")) << "Yes removes the built-in skin's value";
    EXPECT_FALSE(has_file(u"ZunSilver", u"Clock.png")) << "and its files";
    EXPECT_EQ(rows(page), (std::vector<std::u16string> { u"Default", u"Black", u"White" }));
    EXPECT_EQ(page.selected_skin(), u"Black") << "the active skin selected again";
    EXPECT_TRUE(chosen.empty()) << "removing never chooses a skin";
}

}  // namespace
}  // namespace zt::app
