// The favourites page and the options sheet's cities page offscreen over a small database, with
// stand-ins for the dialogs they open answering as a user would.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include "app/dialogs/cities_page.h"
#include "app/dialogs/favorites_page.h"
#include "app/dialogs/testing/city_dialog_fixture.h"
#include "contracts/registry_keys.h"
#include "platform/registry/registry.h"

namespace zt::app {
namespace {

std::vector<QString> rows(const QListWidget& list) {
    std::vector<QString> texts;
    for (int row = 0; row < list.count(); ++row) texts.push_back(list.item(row)->text());
    return texts;
}

world::CityRecord custom_city(std::u16string_view name) {
    world::CityRecord city { .id = world::kFirstCustomCityId, .time_zone = 1 };
    city.set_name(name);
    return city;
}

class CityPagesTest : public testing::CityDialogTest {
protected:
    void SetUp() override {
        CityDialogTest::SetUp();
        favourites.add(database_city(kGermany, 0, 7));
        favourites.add(database_city(kFrance, 0, 9));
        favourites.add(custom_city(u"Cabin"));
        favourites.take_next_custom_id();
        favourites.sort();  // Berlin, Cabin, Paris
        ASSERT_TRUE(favourites.set_slot(1, favourites.index_of(9)));
    }
    CityDialogOpeners openers() {
        const auto rename = [this](world::CityRecord& city) {
            edited.push_back(city.id);
            city.set_name(new_name);
            return !new_name.empty();
        };
        return { .add_city = [this](const AddCityRequest&) { return next_choice; },
                 .custom_city = rename,
                 .city_options = rename,
                 .favorites = [this] { favourites.add(database_city(kUsa, kTexas, 3)); } };
    }
    // The name in the slot's published value.
    std::u16string published(int slot) const {
        auto key = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kSettingsKeyPath);
        auto bytes = key ? key->get_binary(world::slot_value_name(slot)).value_or(std::vector<uint8_t> {}) : std::vector<uint8_t> {};
        bytes.resize(128);  // a missing value reads as no name
        return std::u16string(world::decode_city_record(std::span<const uint8_t, 128>(bytes.data(), 128)).name_view());
    }
    std::optional<world::CityRecord> next_choice;
    std::u16string new_name;
    std::vector<uint32_t> edited;
};

TEST_F(CityPagesTest, TheFavouritesPageAddsAndEditsInOrderAndRepublishesTheSlotsCity) {
    CFavoritesPage page(favourites, openers());
    EXPECT_EQ(rows(page.list()), (std::vector<QString> { "Berlin", "Cabin (custom)", "Paris" }));
    EXPECT_FALSE(page.edit_button().isEnabled() || page.delete_button().isEnabled()) << "nothing selected";
    page.list().setCurrentRow(1);
    page.edit_button().click();  // cancelled
    new_name = u"Aachen";
    page.list().setCurrentRow(2);
    page.edit_button().click();
    EXPECT_EQ(edited, (std::vector<uint32_t> { 100000, 9 })) << "the custom dialog for the custom city";
    EXPECT_EQ(rows(page.list()), (std::vector<QString> { "Aachen", "Berlin", "Cabin (custom)" }));
    EXPECT_EQ(page.list().currentRow(), 0) << "the edited city stays selected";
    EXPECT_EQ(published(1), u"Aachen") << "its slot published again";

    next_choice = custom_city(u"Attic");
    page.add_button().click();
    EXPECT_EQ(page.list().currentItem()->text(), "Attic (custom)") << "sorted in and selected";
    EXPECT_EQ(favourites.entry(page.list().currentRow())->id, 100001u) << "the next custom id";
    EXPECT_FALSE(std::filesystem::exists(root.path() / "FavList.dat")) << "saved only when the page closes";
    EXPECT_TRUE(page.save());
}

TEST_F(CityPagesTest, DeletingRefusesTheSlotsCityAndAsksForTheOthers) {
    CFavoritesPage page(favourites, openers());
    page.list().setCurrentRow(2);  // Paris, in slot 1
    page.delete_button().click();
    page.list().setCurrentRow(0);
    page.delete_button().click();  // answered No
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, u"You cannot delete chosen city!");
    EXPECT_EQ(boxes[1].text, u"Are you sure you want to delete this city?");
    EXPECT_EQ(favourites.count(), 3u);
    answer = platform::msgbox::Answer::Yes;
    page.delete_button().click();
    EXPECT_EQ(rows(page.list()), (std::vector<QString> { "Cabin (custom)", "Paris" }));
    EXPECT_EQ(favourites.slot_city_name(1), u"Paris") << "the slot follows its city";
}

TEST_F(CityPagesTest, TheCitiesPageSetsSlotsAndMoreCitiesAppendsTheChosenCity) {
    CCitiesPage page(favourites, openers());
    QComboBox& first = page.slot_list(0);
    ASSERT_EQ(first.count(), 4);
    EXPECT_EQ(first.itemText(3), "More Cities...");
    EXPECT_EQ(first.currentIndex(), -1) << "an empty slot";
    EXPECT_EQ(page.slot_list(1).currentText(), "Paris");

    auto settings = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kSettingsKeyPath);
    settings->set_string(u"ActiveSkin", u"Black");  // another page's, stored while this one is open
    emit first.activated(0);
    EXPECT_EQ(published(0), u"Berlin");
    EXPECT_EQ(settings->get_string(u"ActiveSkin"), u"Black") << "saving the settings keeps it";
    world::FavoritesList saved(database);
    ASSERT_TRUE(saved.load(root.path() / "FavList.dat")) << "saved after the change";
    EXPECT_EQ(saved.slot_city_name(0), u"Berlin");

    emit page.slot_list(3).activated(3);  // cancelled
    EXPECT_EQ(page.slot_list(3).currentIndex(), -1) << "the empty slot shown again";
    next_choice = custom_city(u"Lighthouse");
    emit page.slot_list(3).activated(3);
    EXPECT_EQ(favourites.entry(3)->id, 100001u) << "appended with the next custom id";
    EXPECT_EQ(published(3), u"Lighthouse");
    EXPECT_EQ(page.slot_list(0).count(), 5) << "every list filled again";
    page.favorites_button().click();
    EXPECT_EQ(page.slot_list(2).findText("Austin"), 4) << "the lists follow the favourites page";
}

}  // namespace
}  // namespace zt::app
