#pragma once
// A device with a small city database and the favourites list for the city dialogs' tests:
// the ZIP country with two states, Germany and France with their own lists, and ten more
// countries of one city each; message boxes kept and answered by the test.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/msgbox/message_box.h"
#include "platform/testing/temp_device_root.h"
#include "world/city_database.h"
#include "world/favorites_list.h"

namespace zt::app::testing {

class CityDialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The city of the test database with this key, as the database lists it.
    world::CityRecord database_city(uint32_t country, uint32_t region, uint16_t key);
    // The 128-byte record published for slot n, nullopt when the value is missing.
    std::optional<world::CityRecord> published_slot(int n) const;

    static constexpr uint32_t kUsa = 1;
    static constexpr uint32_t kGermany = 2;
    static constexpr uint32_t kFrance = 3;
    static constexpr uint32_t kFirstOther = 4;  // "Country 1" ... "Country 10" follow
    static constexpr uint32_t kCalifornia = 1;
    static constexpr uint32_t kTexas = 2;

    platform::testing::TempDeviceRoot root;
    world::CityDatabase database;
    world::FavoritesList favourites { database };
    std::vector<platform::msgbox::MessageBox> boxes;
    platform::msgbox::Answer answer { platform::msgbox::Answer::No };
};

}  // namespace zt::app::testing
