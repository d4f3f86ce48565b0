// The add-city, custom-city and city-options dialogs offscreen over a small database, driven
// through their controls, with their message boxes answered by the test.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/dialogs/add_city_dialog.h"
#include "app/dialogs/add_city_rules.h"
#include "app/dialogs/city_options_dialog.h"
#include "app/dialogs/custom_city_dialog.h"
#include "app/dialogs/testing/city_dialog_fixture.h"
#include "core/shared_settings.h"
#include "platform/gui/screen_metrics.h"

namespace zt::app {
namespace {

namespace msgbox = platform::msgbox;

std::vector<QString> items(const QComboBox& list) {
    std::vector<QString> texts;
    for (int row = 0; row < list.count(); ++row) texts.push_back(list.itemText(row));
    return texts;
}

void choose(QComboBox& list, const QString& text) {
    const int row = list.findText(text);
    ASSERT_GE(row, 0) << text.toStdString() << " is not in the list";
    list.setCurrentIndex(row);
}

class AddCityDialogTest : public testing::CityDialogTest {
protected:
    std::unique_ptr<CAddCityDialog> dialog(AddCityRequest request = AddCityRequest::add()) {
        return std::make_unique<CAddCityDialog>(request, database, favourites, nullptr, [this](world::CityRecord& city) {
            if (!custom_name) return false;
            city.set_name(custom_name);
            return true;
        });
    }
    const char16_t* custom_name { nullptr };
};

TEST_F(AddCityDialogTest, TheCountryListOffersTheUsualCountriesAndTheZipSearchOnlyForTheZipCountry) {
    auto add = dialog();
    EXPECT_EQ(add->windowTitle(), "Add City");
    const auto rows = items(add->country_list());
    ASSERT_EQ(rows.size(), 3u + 1u + 13u) << "the usual eight as far as the database has them, the line, all";
    EXPECT_EQ(rows[0], "United States of America");
    EXPECT_EQ(rows[1], "Germany");
    EXPECT_EQ(rows[2], "France");
    EXPECT_EQ(rows[3], "----------------");
    EXPECT_EQ(add->country_list().currentIndex(), 0);
    EXPECT_TRUE(add->by_zip().isVisibleTo(add.get()) && add->zip_field().isVisibleTo(add.get()));
    EXPECT_EQ(items(add->state_list()), (std::vector<QString> { "California", "Texas" }));
    EXPECT_EQ(items(add->city_list()), (std::vector<QString> { "Los Angeles", "San Francisco" }));
    EXPECT_FALSE(add->zip_field().isEnabled()) << "choosing by city first";

    add->country_list().setCurrentIndex(3);
    EXPECT_EQ(add->country_list().currentIndex(), 2) << "the line chooses the country above it";
    EXPECT_FALSE(add->by_zip().isVisibleTo(add.get()));
    EXPECT_FALSE(add->zip_field().isVisibleTo(add.get())) << "gone for France";
    EXPECT_FALSE(add->state_list().isEnabled()) << "France has no states";
    EXPECT_EQ(items(add->city_list()), std::vector<QString> { "Paris" });
    choose(add->country_list(), "United States of America");
    EXPECT_TRUE(add->zip_field().isVisibleTo(add.get())) << "back with the ZIP country";
}

TEST_F(AddCityDialogTest, SearchingByZipChecksTheTextFindsTheCityAndOffersACustomCity) {
    auto add = dialog();
    add->by_zip().setChecked(true);
    EXPECT_TRUE(add->zip_field().isEnabled() && add->search_button().isEnabled());
    EXPECT_FALSE(add->state_list().isEnabled() || add->city_list().isEnabled());
    add->ok_button().click();
    add->zip_field().setText("A73301");
    add->search_button().click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, u"No city is chosen") << "ZIP mode before a search";
    EXPECT_EQ(boxes[1].text, u"Invalid ZIP code format.");
    EXPECT_EQ(boxes[1].icon, msgbox::Icon::Error);

    add->zip_field().setText(" 73301");
    add->search_button().click();
    EXPECT_TRUE(add->by_city().isChecked()) << "a found ZIP code switches to choosing by city";
    EXPECT_EQ(add->state_list().currentText(), "Texas");
    EXPECT_EQ(add->city_list().currentText(), "Austin");

    add->by_zip().setChecked(true);
    add->zip_field().setText("12345");
    add->search_button().click();  // answered No
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].text, u"The city with such ZIP code was not found in the database. Would you like to add the city "
                             u"as a custom city?");
    EXPECT_EQ(boxes[2].buttons, msgbox::Buttons::YesNo);
    EXPECT_FALSE(add->result());
    answer = msgbox::Answer::Yes;
    custom_name = u"Smallville";
    add->search_button().click();
    ASSERT_TRUE(add->result()) << "the custom city is the dialog's answer";
    EXPECT_EQ(add->result()->name_view(), u"Smallville");
    EXPECT_EQ(add->result()->id, world::kFirstCustomCityId);
    EXPECT_EQ(add->QDialog::result(), QDialog::Accepted) << "accepted at once";
}

TEST_F(AddCityDialogTest, OkRefusesAFavouriteWhenAddingAndRemembersTheChoice) {
    favourites.add(database_city(kGermany, 0, 7));
    auto add = dialog();
    choose(add->country_list(), "Germany");
    add->ok_button().click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"The chosen city already exists.");
    EXPECT_FALSE(add->result());
    choose(add->city_list(), "Hamburg");
    add->ok_button().click();
    ASSERT_TRUE(add->result());
    EXPECT_EQ(*add->result(), database_city(kGermany, 0, 8));
    const core::AddCityOptions stored = core::load_add_city_options();
    EXPECT_EQ(stored.city, 8u);
    EXPECT_EQ(stored.counts, (std::vector<uint32_t> { kGermany, kUsa, kFrance })) << "Germany moved to the front";

    // Changing a city may land on a favourite, and the change form starts from the city it changes.
    auto change = dialog(AddCityRequest::change(kUsa, kTexas, 3));
    EXPECT_EQ(change->windowTitle(), "Change City");
    EXPECT_EQ(change->country_list().itemText(0), "United States of America") << "the changed city's country on top";
    EXPECT_EQ(change->state_list().currentText(), "Texas");
    EXPECT_EQ(change->city_list().currentText(), "Austin");
    choose(change->country_list(), "Germany");
    choose(change->city_list(), "Berlin");
    change->ok_button().click();
    EXPECT_EQ(boxes.size(), 1u);
    ASSERT_TRUE(change->result());
    EXPECT_EQ(change->result()->id, 7u);
    EXPECT_EQ(core::load_add_city_options().city, 8u) << "only adding is remembered";
}

TEST_F(AddCityDialogTest, ElevenChoicesOfOneCountryKeepTenRecentCountriesTheChosenFirst) {
    core::AddCityOptions ten_others;
    for (uint32_t n = 0; n < 10; ++n) ten_others.counts.push_back(kFirstOther + n);
    core::save_add_city_options(ten_others);
    for (int time = 0; time < 11; ++time) {
        auto add = dialog();
        ASSERT_EQ(add->country_list().findText("----------------"), 10) << "ten before the line";
        choose(add->country_list(), "France");
        add->ok_button().click();
        ASSERT_TRUE(add->result()) << "choice " << time;
    }
    const core::AddCityOptions stored = core::load_add_city_options();
    ASSERT_EQ(stored.counts.size(), 10u);
    EXPECT_EQ(stored.counts.front(), kFrance);
    EXPECT_EQ(stored.counts.back(), kFirstOther + 8) << "the oldest one dropped";
    auto again = dialog();
    EXPECT_EQ(again->country_list().currentText(), "France") << "the most recent country first";
    EXPECT_EQ(again->city_list().currentText(), "Paris");
}

TEST_F(AddCityDialogTest, TheRowsStandInTwoColumnsOnALandscapeScreen) {
    ASSERT_TRUE(platform::gui::select_screen_size({ 240, 320 }));
    auto add = dialog();
    add->resize(240, 300);
    add->show();
    EXPECT_FALSE(add->landscape_layout());
    EXPECT_GT(add->city_list().y(), add->country_list().y());
    EXPECT_EQ(add->city_list().x(), add->country_list().x()) << "one column";
    ASSERT_TRUE(platform::gui::select_screen_size({ 320, 240 }));
    add->resize(320, 220);
    EXPECT_TRUE(add->landscape_layout());
    EXPECT_GT(add->city_list().x(), add->country_list().x() + add->country_list().width() / 2) << "a second column";
}

class CustomCityDialogTest : public testing::CityDialogTest {};

TEST_F(CustomCityDialogTest, OkChecksTheNameAndRangesAndStoresTheFields) {
    world::CityRecord city;
    city.id = 100007;
    city.set_name(u"Cabin");
    city.latitude = -(50 * 60 + 30);
    city.longitude = 12 * 60 + 5;
    city.time_zone = 2;
    CCustomCityDialog dialog(city, false, database);
    EXPECT_EQ(dialog.windowTitle(), "Custom City Options");
    EXPECT_EQ(dialog.latitude().hemisphere->currentText(), "S");
    EXPECT_EQ(dialog.latitude().degrees->text(), "50");
    EXPECT_EQ(dialog.latitude().minutes->text(), "30");
    EXPECT_EQ(dialog.longitude().hemisphere->currentText(), "E");
    EXPECT_EQ(dialog.zone_list().count(), 2);
    EXPECT_EQ(dialog.zone_list().currentText(), "(UTC-08:00) Pacific");

    dialog.name_field().setText(" \t ");
    dialog.accept();
    dialog.name_field().setText(QString(60, QChar('x')));
    dialog.latitude().degrees->setText("91");
    dialog.accept();
    dialog.latitude().degrees->setText("90");
    dialog.latitude().minutes->setText("60");
    dialog.accept();
    dialog.latitude().minutes->setText("0");
    dialog.longitude().degrees->setText("east");
    dialog.accept();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, u"City name cannot be empty");
    EXPECT_EQ(boxes[1].text, u"Please enter an integer between 0 and 90.");
    EXPECT_EQ(boxes[2].text, u"Please enter an integer between 0 and 59.");
    EXPECT_EQ(boxes[3].text, u"Please enter an integer.");
    EXPECT_EQ(city.name_view(), u"Cabin") << "nothing stored while a field is refused";

    dialog.longitude().degrees->setText("180");
    dialog.longitude().minutes->setText("0");
    dialog.longitude().hemisphere->setCurrentIndex(0);
    dialog.zone_list().setCurrentIndex(0);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(city.name_view(), std::u16string(49, u'x')) << "cut to 49";
    EXPECT_EQ(city.latitude, -90 * 60);
    EXPECT_EQ(city.longitude, -180 * 60) << "W is negative";
    EXPECT_EQ(city.time_zone, 1u);
    EXPECT_EQ(city.id, 100007u);
}

TEST_F(CustomCityDialogTest, ANewCityStartsEmptyAndTheCityOptionsRefuseABlankName) {
    world::CityRecord city = database_city(kGermany, 0, 7);
    CCustomCityDialog fresh(city, true, database);
    EXPECT_EQ(fresh.windowTitle(), "Add Custom City");
    EXPECT_TRUE(fresh.name_field().text().isEmpty());
    EXPECT_EQ(fresh.zone_list().currentIndex(), 0) << "the first zone when none matches";
    fresh.reject();
    EXPECT_EQ(city, database_city(kGermany, 0, 7)) << "Cancel leaves the record";

    CCityOptionsDialog options(city);
    EXPECT_EQ(options.windowTitle(), "City Options");
    EXPECT_EQ(options.name_field().text(), "Berlin");
    options.name_field().setText("   ");
    options.accept();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"City name cannot be empty");
    options.name_field().setText(QString(60, QChar('b')));
    options.accept();
    EXPECT_EQ(city.name_view().size(), 49u);
    EXPECT_EQ(city.id, 7u);
}

}  // namespace
}  // namespace zt::app
