// The theme colours' order of fallbacks and the text size's bounds, from the registry.
#include <gtest/gtest.h>

#include <vector>

#include "platform/base/le_bytes.h"
#include "platform/gui/theme_colors.h"
#include "platform/profile/device_profile.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::gui {
namespace {

using registry::Key;
using registry::Root;

// `count` colours whose entry i is base + i.
std::vector<uint8_t> colour_table(int count, uint32_t base) {
    std::vector<uint8_t> bytes(static_cast<size_t>(count) * 4);
    for (int i = 0; i < count; ++i) write_le32(bytes.data() + i * 4, base + static_cast<uint32_t>(i));
    return bytes;
}

class ThemeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()); }
    static Key key(const char16_t* path) { return std::move(Key::create(Root::LocalMachine, path)->key); }
    testing::TempDeviceRoot m_root;
};

TEST_F(ThemeTest, ColourComesFromTheDwordThenTheTableThenTheDefaultTable) {
    EXPECT_FALSE(shell_theme_colour(kThemeText)) << "no key at all";
    Key colours = key(kThemeColourKey);
    EXPECT_FALSE(shell_theme_colour(kThemeText)) << "an empty key";

    colours.set_binary(u"DefSHColor", colour_table(kThemeColourCount, 0x100));
    EXPECT_EQ(shell_theme_colour(kThemeText), 0x106u);
    EXPECT_EQ(shell_theme_colour(44), 0x100u + 44);
    EXPECT_FALSE(shell_theme_colour(45)) << "past the 45 entries";
    EXPECT_FALSE(shell_theme_colour(-1));

    // A short table holds only its whole entries; the rest comes from the default table.
    auto short_table = colour_table(3, 0x200);
    short_table.push_back(0xAA);
    colours.set_binary(u"SHColor", short_table);
    EXPECT_EQ(shell_theme_colour(kThemeHighlight), 0x202u);
    EXPECT_EQ(shell_theme_colour(kThemeHighlightedText), 0x103u) << "entry 3 is cut off";

    colours.set_dword(u"2", 0x00123456);
    EXPECT_EQ(shell_theme_colour(kThemeHighlight), 0x00123456u) << "the DWORD wins";
    // Values of the wrong type or size are passed over.
    colours.set_string(u"6", u"red");
    colours.set_dword(u"SHColor", 7);
    EXPECT_EQ(shell_theme_colour(kThemeText), 0x106u);
    colours.set_binary(u"3", std::vector<uint8_t> { 1, 2 });
    EXPECT_EQ(shell_theme_colour(kThemeHighlightedText), 0x103u);
}

TEST_F(ThemeTest, TextSizeIsThePositiveBoundedDword) {
    EXPECT_FALSE(ui_text_size_pixels()) << "no profile";
    Key profile = key(kDeviceProfileKey);
    EXPECT_FALSE(ui_text_size_pixels()) << "no value";
    profile.set_dword(u"TextSize", 15);
    EXPECT_EQ(ui_text_size_pixels(), 15);
    profile.set_dword(u"TextSize", static_cast<uint32_t>(kMaxTextSize));
    EXPECT_EQ(ui_text_size_pixels(), kMaxTextSize);
    for (uint32_t bad : { 0u, static_cast<uint32_t>(kMaxTextSize) + 1, 0xFFFFFFFFu }) {
        profile.set_dword(u"TextSize", bad);
        EXPECT_FALSE(ui_text_size_pixels()) << bad;
    }
    profile.set_string(u"TextSize", u"15");
    EXPECT_FALSE(ui_text_size_pixels()) << "a string";
    profile.set_binary(u"TextSize", std::vector<uint8_t> { 15, 0 });
    EXPECT_FALSE(ui_text_size_pixels()) << "two bytes";
}

}  // namespace
}  // namespace zt::platform::gui
