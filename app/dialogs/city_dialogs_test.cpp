// The add-city, custom-city and city-options dialogs offscreen over a small database, driven
// through their controls, with their message boxes answered by the test.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/dialogs/add_city_dialog.h"
#include "app/dialogs/city_options_dialog.h"
#include "app/dialogs/custom_city_dialog.h"
#include "app/dialogs/testing/city_dialog_fixture.h"
#include "platform/gui/screen_metrics.h"

namespace zt::app {
namespace {

void choose(QComboBox& list, const QString& text) {
    ASSERT_GE(list.findText(text), 0) << text.toStdString() << " is not in the list";
    list.setCurrentIndex(list.findText(text));
}

class AddCityDialogTest : public testing::CityDialogTest {
protected:
    std::unique_ptr<CAddCityDialog> dialog(AddCityRequest request = AddCityRequest::add()) {
        return std::make_unique<CAddCityDialog>(request, database, favourites, nullptr, [this](world::CityRecord& city) {
            city.set_name(u"Smallville");
            return custom_ok;
        });
    }
    bool custom_ok { false };
};

TEST_F(AddCityDialogTest, TheCountryListOffersTheUsualCountriesAndTheZipSearchOnlyForTheZipCountry) {
    auto add = dialog();
    EXPECT_EQ(add->windowTitle(), "Add City");
    ASSERT_EQ(add->country_list().count(), 3 + 1 + 13) << "the usual eight the database has, the line, all";
    EXPECT_EQ(add->country_list().itemText(2), "France");
    EXPECT_EQ(add->country_list().itemText(3), "----------------");
    EXPECT_TRUE(add->zip_field().isVisibleTo(add.get()));
    EXPECT_FALSE(add->zip_field().isEnabled()) << "choosing by city first";
    EXPECT_EQ(add->state_list().count(), 2);
    EXPECT_EQ(add->city_list().currentText(), "Los Angeles");

    add->country_list().setCurrentIndex(3);
    EXPECT_EQ(add->country_list().currentText(), "France") << "the line chooses the country above it";
    EXPECT_FALSE(add->by_zip().isVisibleTo(add.get()) || add->zip_field().isVisibleTo(add.get())) << "gone for France";
    EXPECT_FALSE(add->state_list().isEnabled()) << "France has no states";
    EXPECT_EQ(add->city_list().currentText(), "Paris");
}

TEST_F(AddCityDialogTest, SearchingByZipChecksTheTextFindsTheCityAndOffersACustomCity) {
    auto add = dialog();
    add->by_zip().setChecked(true);
    EXPECT_FALSE(add->state_list().isEnabled() || add->city_list().isEnabled());
    add->ok_button().click();
    add->zip_field().setText("A73301");
    add->search_button().click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, u"No city is chosen") << "ZIP mode before a search";
    EXPECT_EQ(boxes[1].text, u"Invalid ZIP code format.");
    EXPECT_EQ(boxes[1].icon, platform::msgbox::Icon::Error);

    add->zip_field().setText(" 73301");
    add->search_button().click();
    EXPECT_TRUE(add->by_city().isChecked()) << "a found ZIP code switches to choosing by city";
    EXPECT_EQ(add->state_list().currentText(), "Texas");
    EXPECT_EQ(add->city_list().currentText(), "Austin");

    add->by_zip().setChecked(true);
    add->zip_field().setText("12345");
    answer = platform::msgbox::Answer::Yes;
    add->search_button().click();  // the custom city dialog cancelled
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].text, u"The city with such ZIP code was not found in the database. Would you like to add the city "
                             u"as a custom city?");
    EXPECT_FALSE(add->result());
    custom_ok = true;
    add->search_button().click();
    ASSERT_TRUE(add->result()) << "the custom city is the dialog's answer at once";
    EXPECT_EQ(add->result()->name_view(), u"Smallville");
    EXPECT_EQ(add->result()->id, world::kFirstCustomCityId);
}

TEST_F(AddCityDialogTest, AddingRefusesAFavouriteAndRemembersTheChoiceButChangingDoesNeither) {
    favourites.add(database_city(kGermany, 0, 7));
    auto add = dialog();
    choose(add->country_list(), "Germany");
    add->ok_button().click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"The chosen city already exists.");
    choose(add->city_list(), "Hamburg");
    add->ok_button().click();
    ASSERT_TRUE(add->result());
    EXPECT_EQ(*add->result(), database_city(kGermany, 0, 8));
    EXPECT_EQ(core::load_add_city_options().counts, (std::vector<uint32_t> { kGermany, kUsa, kFrance }));

    auto change = dialog(AddCityRequest::change(kUsa, kTexas, 3));
    EXPECT_EQ(change->windowTitle(), "Change City");
    EXPECT_EQ(change->country_list().itemText(0), "United States of America") << "the changed city's country on top";
    EXPECT_EQ(change->city_list().currentText(), "Austin");
    choose(change->country_list(), "Germany");
    choose(change->city_list(), "Berlin");
    change->ok_button().click();
    ASSERT_TRUE(change->result()) << "a favourite may be chosen when changing";
    EXPECT_EQ(core::load_add_city_options().city, 8u) << "only adding is remembered";
}

TEST_F(AddCityDialogTest, ElevenChoicesOfOneCountryKeepTenRecentCountriesTheChosenFirst) {
    core::AddCityOptions ten_others;
    for (uint32_t n = 0; n < 10; ++n) ten_others.counts.push_back(kFirstOther + n);
    core::save_add_city_options(ten_others);
    for (int time = 0; time < 11; ++time) {
        auto add = dialog();
        ASSERT_EQ(add->country_list().findText("----------------"), 10);
        choose(add->country_list(), "France");
        add->ok_button().click();
    }
    const core::AddCityOptions stored = core::load_add_city_options();
    ASSERT_EQ(stored.counts.size(), 10u);
    EXPECT_EQ(stored.counts.front(), kFrance);
    EXPECT_EQ(stored.counts.back(), kFirstOther + 8) << "the oldest one dropped";
    EXPECT_EQ(dialog()->city_list().currentText(), "Paris") << "the last choice preselected";
}

TEST_F(AddCityDialogTest, TheRowsStandInTwoColumnsOnALandscapeScreen) {
    ASSERT_TRUE(platform::gui::select_screen_size({ 240, 320 }));
    auto add = dialog();
    add->show();
    EXPECT_FALSE(add->landscape_layout());
    EXPECT_EQ(add->city_list().x(), add->country_list().x()) << "one column";
    ASSERT_TRUE(platform::gui::select_screen_size({ 320, 240 }));
    add->resize(320, 240);
    EXPECT_TRUE(add->landscape_layout());
    EXPECT_GT(add->city_list().x(), add->country_list().x() + add->country_list().width() / 2) << "a second column";
}

TEST_F(AddCityDialogTest, TheCustomCityAndCityOptionsDialogsCheckTheirFieldsBeforeStoringAnything) {
    world::CityRecord city { .id = 100007, .latitude = -(50 * 60 + 30), .longitude = 12 * 60 + 5, .time_zone = 2 };
    city.set_name(u"Cabin");
    CCustomCityDialog custom(city, false, database);
    EXPECT_EQ(custom.windowTitle(), "Custom City Options");
    EXPECT_EQ(custom.latitude().hemisphere->currentText() + custom.latitude().degrees->text(), "S50");
    EXPECT_EQ(custom.zone_list().currentText(), "(UTC-08:00) Pacific");
    custom.name_field().setText(" \t ");
    custom.accept();
    custom.name_field().setText(QString(60, QChar('x')));
    custom.latitude().degrees->setText("91");
    custom.accept();
    custom.latitude().degrees->setText("90");
    custom.latitude().minutes->setText("60");
    custom.accept();
    custom.latitude().minutes->setText("0");
    custom.longitude().degrees->setText("east");
    custom.accept();
    const std::vector<std::u16string> refusals { u"City name cannot be empty", u"Please enter an integer between 0 and 90.",
                                                 u"Please enter an integer between 0 and 59.", u"Please enter an integer." };
    ASSERT_EQ(boxes.size(), refusals.size());
    for (size_t n = 0; n < refusals.size(); ++n) EXPECT_EQ(boxes[n].text, refusals[n]);
    EXPECT_EQ(city.name_view(), u"Cabin") << "nothing stored while a field is refused";

    custom.longitude().degrees->setText("180");
    custom.longitude().minutes->setText("0");
    custom.longitude().hemisphere->setCurrentIndex(0);
    custom.zone_list().setCurrentIndex(0);
    custom.accept();
    EXPECT_EQ(city.name_view(), std::u16string(49, u'x')) << "cut to 49";
    EXPECT_EQ(std::pair(city.latitude, city.longitude), std::pair(-90 * 60, -180 * 60)) << "S and W negative";
    EXPECT_EQ(std::pair(city.time_zone, city.id), std::pair(1u, 100007u));
    EXPECT_EQ(CCustomCityDialog(city, true, database).name_field().text(), "") << "a new city starts empty";

    CCityOptionsDialog options(city);
    options.name_field().setText("\n");
    options.accept();
    EXPECT_EQ(boxes.back().text, u"City name cannot be empty");
    options.name_field().setText(QString(60, QChar('b')));
    options.accept();
    EXPECT_EQ(city.name_view(), std::u16string(49, u'b'));
}

}  // namespace
}  // namespace zt::app
