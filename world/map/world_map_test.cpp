#include <gtest/gtest.h>

#include <vector>

#include "world/map/day_night.h"
#include "world/map/linear_projection.h"
#include "world/map/nearest_city.h"
#include "world/map/night_shading.h"
#include "world/map/sun_times.h"

namespace zt::world {
namespace {

platform::SYSTEMTIME utc(int year, int month, int day, int hour, int minute = 0) {
    return { static_cast<uint16_t>(year), static_cast<uint16_t>(month), 0, static_cast<uint16_t>(day),
             static_cast<uint16_t>(hour), static_cast<uint16_t>(minute), 0, 0 };
}

TEST(LinearProjection, MapsDegreesToPixelsAndBack) {
    CLinearProjection projection;
    EXPECT_EQ(projection.name(), u"Linear Projection");
    EXPECT_EQ(projection.centre(), (MapPoint { 1, 1 })) << "a new projection is 2 x 2";
    projection.set_size(241, 121);
    EXPECT_EQ(projection.centre(), (MapPoint { 121, 61 })) << "halves away from zero";
    EXPECT_EQ(near(-2.5f), -3);

    projection.set_size(480, 240);
    MapPoint p;
    ASSERT_TRUE(projection.forward(0, 0, p));
    EXPECT_EQ(p, (MapPoint { 240, 120 }));
    ASSERT_TRUE(projection.forward(90, -180, p));
    EXPECT_EQ(p, (MapPoint { 0, 0 }));
    EXPECT_FALSE(projection.forward(90.5, 0, p));
    EXPECT_EQ(p, projection.centre()) << "out of range: the centre";
    EXPECT_FALSE(projection.forward(0, -181, p));
    EXPECT_EQ(city_map_point(projection, 35 * 60 + 41, 139 * 60 + 41), (MapPoint { 426, 72 })) << "Tokyo";

    const GeoPoint corner = projection.inverse(0, 0);
    EXPECT_DOUBLE_EQ(corner.latitude, 90);
    EXPECT_DOUBLE_EQ(corner.longitude, -180);
    for (int32_t y = 0; y < 240; y += 7)
        for (int32_t x = 0; x < 480; x += 11) {
            const GeoPoint g = projection.inverse(x, y);
            ASSERT_TRUE(projection.forward(g.latitude, g.longitude, p));
            ASSERT_EQ(p, (MapPoint { x, y }));
        }
}

// Published tables (London 51.5 N on 21 June 2026: 03:43 and 20:21 UTC at its longitude of
// -0.13; Sydney 33.9 S on 21 December 2026: 14 h 24 min of daylight) within the formula's
// accuracy: it centres the day on 12:00, leaving out the equation of time.
TEST(SunTimes, AgreeWithPublishedTablesAndGoPolar) {
    const SunTimes london = sun_times(51.5, 2026, 6, 21);
    EXPECT_NEAR(london.sunrise, 3.0 + 43 / 60.0, 0.1);
    EXPECT_NEAR(london.sunset, 20.0 + 21 / 60.0, 0.1);
    const SunTimes sydney = sun_times(-33.87, 2026, 12, 21);
    EXPECT_NEAR(sydney.sunset - sydney.sunrise, 14.4, 0.1);
    const SunTimes midsummer = sun_times(89.999, 2026, 6, 21);
    EXPECT_DOUBLE_EQ(midsummer.sunrise, 0);
    EXPECT_DOUBLE_EQ(midsummer.sunset, 24);
    const SunTimes midwinter = sun_times(89.999, 2026, 12, 21);
    EXPECT_DOUBLE_EQ(midwinter.sunrise, midwinter.sunset);
}

TEST(DayNight, TheDayFollowsTheSunAcrossTheMap) {
    CLinearProjection projection;
    projection.set_size(360, 180);  // a pixel a degree
    const DayRow noon = day_row(projection, 90, utc(2026, 3, 20, 12));
    EXPECT_NEAR((noon.sunrise_x + noon.sunset_x) / 2.0, 180.0, 2.0) << "the equinox noon: day centred on longitude 0";
    EXPECT_NEAR(noon.sunset_x - noon.sunrise_x, 181, 2);
    EXPECT_TRUE(is_day(noon, 180));
    EXPECT_FALSE(is_day(noon, 0));

    const DayRow midnight = day_row(projection, 90, utc(2026, 3, 20, 0));
    EXPECT_GT(midnight.sunrise_x, midnight.sunset_x) << "the day wraps round the map's edges";
    EXPECT_TRUE(is_day(midnight, 0));
    EXPECT_TRUE(is_day(midnight, 359));
    EXPECT_FALSE(is_day(midnight, 180));

    const DayRow june = day_row(projection, 0, utc(2026, 6, 21, 18, 30));
    EXPECT_TRUE(june.all_day);
    const DayRow december = day_row(projection, 0, utc(2026, 12, 21, 18, 30));
    EXPECT_TRUE(december.all_night);
    EXPECT_FALSE(is_day(december, 200));
    EXPECT_TRUE(day_row(projection, 179, utc(2026, 12, 21, 3)).all_day) << "the south pole in December";
}

// A white 360 x 180 map at the equinox: noon UTC darkens the edges, midnight the middle; a
// fading map shades less.
TEST(DayNight, ShadingDarkensTheNightSideTowardGrey) {
    CLinearProjection projection;
    projection.set_size(360, 180);
    const int32_t stride = (360 * 3 + 3) & ~3;
    const auto shaded = [&](int hour, int32_t opacity) {
        std::vector<uint8_t> bits(static_cast<size_t>(stride) * 180, 255);
        shade_night({ bits.data(), 360, 180, stride }, projection, utc(2026, 3, 20, hour), opacity);
        return bits;
    };
    const auto red_at = [&](const std::vector<uint8_t>& bits, int32_t x, int32_t y) {
        return bits[static_cast<size_t>(179 - y) * static_cast<size_t>(stride) + static_cast<size_t>(x) * 3 + 2];
    };
    const auto noon = shaded(12, 256);
    EXPECT_EQ(red_at(noon, 180, 90), 255) << "day at longitude 0";
    EXPECT_EQ(red_at(noon, 5, 90), (255 * 127 + 80 * 128) >> 8) << "night at the date line";
    const auto midnight = shaded(0, 256);
    EXPECT_EQ(red_at(midnight, 180, 90), (255 * 127 + 80 * 128) >> 8);
    EXPECT_EQ(red_at(midnight, 5, 90), 255);
    EXPECT_EQ(red_at(shaded(12, 128), 5, 90), (255 * 191 + 80 * 64) >> 8) << "half the weight at half opacity";

    // A 200 x 10 window scrolled to start at map column 300, rows 85..94: its columns 0..59 are
    // map columns 300..359 (night at noon), the rest map columns 0..139 (day from 90 on); its
    // pixels agree with the whole map's.
    const int32_t window_stride = (200 * 3 + 3) & ~3;
    std::vector<uint8_t> window(static_cast<size_t>(window_stride) * 10, 255);
    shade_night({ window.data(), 200, 10, window_stride }, projection, utc(2026, 3, 20, 12), 256, { 300, 85 });
    EXPECT_EQ(window[static_cast<size_t>(9 - 5) * window_stride + 160 * 3 + 2], 255) << "map column 100 is day";
    for (const int32_t x : { 0, 59, 60, 149, 199 }) {
        const int32_t map_x = (300 + x) % 360;
        EXPECT_EQ(window[static_cast<size_t>(9 - 5) * window_stride + static_cast<size_t>(x) * 3 + 2], red_at(noon, map_x, 90)) << x;
    }
}

TEST(NearestCity, PicksWithinFiftySquareDegreesAndLaterCitiesWinTies) {
    const GeoPoint cities[] = { { 0, 0 }, { 40, 40 }, { 40, 42 } };
    EXPECT_EQ(nearest_city(cities, { 0, 8 }), std::nullopt) << "d = 64";
    EXPECT_EQ(nearest_city(cities, { 0, 7 }), 0u) << "d = 49";
    EXPECT_EQ(nearest_city(cities, { 40, 41 }), 2u) << "a tie goes to the later city";
    EXPECT_EQ(nearest_city({}, { 0, 0 }), std::nullopt);
}

}  // namespace
}  // namespace zt::world
