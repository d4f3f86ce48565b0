// The Today background: the watermark as it is, else the first of the shell's pictures laid on
// the square, copied or doubled, and repeated to the right where it is narrower than the screen.
#include "today/today_background.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/base/device_path.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "skins/testing/test_images.h"

namespace zt::today {
namespace {

constexpr skins::Rgb kRed { 200, 0, 0 }, kBlue { 0, 0, 200 }, kGreen { 0, 200, 0 }, kBlack {};

class TodayBackground : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()); }

    // A picture, left half red and right half blue, in "\Windows" under that name; PNG inside
    // whatever the name says, as the device decodes by content.
    void put(std::u16string_view name, int32_t width, int32_t height, skins::Rgb right = kBlue) {
        skins::CPicture picture = skins::testing::solid_picture(width, height, kRed);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = width / 2; x < width; ++x) picture.set_colour(x, y, right);
        const std::filesystem::path path = *platform::map_device_path(std::u16string(u"\\Windows\\") + std::u16string(name));
        std::filesystem::create_directories(path.parent_path());
        const std::vector<uint8_t> bytes = skins::testing::png_file_of(picture);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }

    platform::testing::TempDeviceRoot m_root;
};

platform::registry::Key today_settings() {
    return std::move(platform::registry::Key::create(platform::registry::Root::CurrentUser, kTodayKeyPath)->key);
}

TEST_F(TodayBackground, TheSizedShellPictureIsDoubledOnTheSquareAndRepeatedWhenNarrower) {
    put(u"stwater_480_640.gif", 240, 320);
    put(u"default_stwater.gif", 240, 320, kGreen);
    std::optional<skins::CPicture> portrait = today_background(480, 640);
    ASSERT_TRUE(portrait);
    ASSERT_EQ(portrait->width(), 640);
    ASSERT_EQ(portrait->height(), 640);
    EXPECT_EQ(portrait->colour(100, 10), kRed);
    EXPECT_EQ(portrait->colour(470, 630), kBlue) << "doubled: the right half reaches 480";
    EXPECT_EQ(portrait->colour(500, 10), kBlack) << "as wide as the screen: not repeated";

    // On its side the screen finds the same picture as its second choice; 480 of 640 are filled,
    // and the start of the picture is repeated after it.
    std::optional<skins::CPicture> landscape = today_background(640, 480);
    ASSERT_TRUE(landscape);
    EXPECT_EQ(landscape->colour(470, 10), kBlue);
    EXPECT_EQ(landscape->colour(500, 10), kRed) << "repeated to the right";
    EXPECT_EQ(landscape->colour(639, 639), kRed);

    // A 240-wide screen is neither 480 nor 640 wide: copied unchanged, then repeated once.
    put(u"stwater_240_320.gif", 100, 300);
    std::optional<skins::CPicture> small = today_background(240, 320);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->colour(110, 10), kRed) << "the copy starts at 100";
    EXPECT_EQ(small->colour(230, 10), kBlack) << "only once";
}

TEST_F(TodayBackground, AWatermarkIsUsedAsItIsAndTheStartImageSkipsTheShellPictures) {
    put(u"stwater.gif", 240, 330);
    put(u"mine.png", 60, 40, kGreen);
    today_settings().set_string(u"Watermark", u"mine.png");
    std::optional<skins::CPicture> watermark = today_background(480, 640);
    ASSERT_TRUE(watermark);
    EXPECT_EQ(watermark->width(), 60);
    EXPECT_EQ(watermark->height(), 40);

    today_settings().set_string(u"Watermark", u"gone.png");
    std::optional<skins::CPicture> taller = today_background(480, 640);
    ASSERT_TRUE(taller);
    EXPECT_EQ(taller->colour(130, 10), kBlue) << "a missing watermark falls back; 330 high is copied";
    EXPECT_EQ(taller->colour(250, 10), kRed) << "and repeated from 240";

    today_settings().set_dword(u"UseStartImage", 1);
    std::optional<skins::CPicture> empty = today_background(480, 640);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->width(), 640);
    for (const auto& [x, y] : { std::pair { 5, 5 }, std::pair { 45, 45 }, std::pair { 400, 600 } })
        EXPECT_EQ(empty->colour(x, y), kBlack);
}

}  // namespace
}  // namespace zt::today
