// The dock applet on a running device: the package installed, `zt-device run` and the applet
// host `zt-dock` started offscreen. A person adds Zun Time's applet, changes its city through
// the main program's city chooser, and finds it again after the host restarts.
#include <gtest/gtest.h>

#include <QImage>

#include <optional>
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "platform/testing/child_process.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/interface_texts.h"
#include "tests/app_e2e/main_program_fixture.h"
#include "world/city_record.h"

namespace zt::e2e {
namespace {

using platform::gui::UiLine;

constexpr char16_t kStoredApplet[] = u"Software\\ZunDevice\\Dock\\Applets\\0";

class DockAppletEndToEnd : public InterfaceTextsEndToEnd {
protected:
    void TearDown() override {
        if (m_dock) m_dock->terminate();
        InterfaceTextsEndToEnd::TearDown();
    }
    void start_dock() {
        m_dock = platform::testing::ChildProcess::spawn(built_program("zt-dock"), { "--root", device.root().string() });
        ASSERT_TRUE(m_dock);
        ASSERT_TRUE(eventually([] { return find_line(lines(), "softkey", u"Add").has_value(); }, kStartLimit, "the dock"));
    }
    void stop_dock() {
        ASSERT_EQ(m_dock->terminate(), 0) << "SIGTERM ends the dock cleanly";
        m_dock.reset();
    }
    static std::vector<UiLine> lines() { return ui_lines().value_or(std::vector<UiLine> {}); }
    // Taps the line once it is listed.
    static void tap_when_there(std::string_view kind, std::u16string_view text) {
        std::optional<UiLine> line;
        ASSERT_TRUE(eventually([&] { return (line = find_line(lines(), kind, text)).has_value(); }, kPatience,
                               platform::utf16_to_utf8(text).c_str()));
        ASSERT_LE(tap_centre_of(*line), 1);
    }
    // The applet's box: the widget the dock gives it, the deepest one listed.
    static std::optional<UiLine> applet_box() {
        std::optional<UiLine> box;
        for (const UiLine& line : lines()) {
            if (line.kind == "widget" && line.depth == 4) box = line;
        }
        return box;
    }
    // Picks `text` in the dialog's n-th combo box by typing it into its list.
    static void choose_in_combo(size_t n, const char* text) {
        std::vector<UiLine> combos;
        for (const UiLine& line : lines()) {
            if (line.kind == "combo") combos.push_back(line);
        }
        ASSERT_GT(combos.size(), n);
        ASSERT_EQ(tap_centre_of(combos[n]), 0);
        ASSERT_EQ(input({ "text", text }), 0);
        ASSERT_EQ(input({ "key", "action" }), 0);
    }
    static std::vector<uint8_t> stored_blob() {
        auto key = platform::registry::Key::open(platform::registry::Root::CurrentUser, kStoredApplet);
        return key ? key->get_binary(u"Data").value_or(std::vector<uint8_t> {}) : std::vector<uint8_t> {};
    }

    std::optional<platform::testing::ChildProcess> m_dock;
};

TEST_F(DockAppletEndToEnd, AddedAppletTakesTokyoFromTheCityChooserAndComesBackAfterARestart) {
    start_dock();
    ASSERT_NO_FATAL_FAILURE(tap_when_there("softkey", u"Add"));
    ASSERT_NO_FATAL_FAILURE(tap_when_there("menuitem", u"Zun Time"));
    std::optional<UiLine> box;
    ASSERT_TRUE(eventually([&] { return (box = applet_box()).has_value(); }, kPatience, "the applet's box"));
    const auto panel = screencap(device.root() / "dock.png");
    ASSERT_TRUE(panel);
    int painted = 0;
    for (int y = box->y; y < box->y + box->height; ++y) {
        for (int x = box->x; x < box->x + box->width; ++x) painted += panel->pixel(x, y) != panel->pixel(box->x, box->y);
    }
    EXPECT_GT(painted, box->width * box->height / 4) << "the clock is painted in its box";

    ASSERT_EQ(input({ "hold", std::to_string(box->x + box->width / 2), std::to_string(box->y + box->height / 2) }), 0);
    ASSERT_NO_FATAL_FAILURE(tap_when_there("menuitem", u"Change City..."));
    ASSERT_TRUE(eventually([] {
        const auto listed = lines();
        return !listed.empty() && listed.front().kind == "dialog" && listed.front().text == u"Change City";
    }, kStartLimit, "the main program's city chooser"));
    ASSERT_NO_FATAL_FAILURE(choose_in_combo(0, "Japan"));
    ASSERT_TRUE(eventually([] { return find_line(lines(), "combo", u"Japan").has_value(); }, kPatience, "Japan"));
    ASSERT_NO_FATAL_FAILURE(choose_in_combo(2, "Tokyo"));
    ASSERT_TRUE(eventually([] { return find_line(lines(), "combo", u"Tokyo").has_value(); }, kPatience, "Tokyo"));
    ASSERT_NO_FATAL_FAILURE(tap_when_there("button", u"OK"));

    std::optional<UiLine> grown;
    ASSERT_TRUE(eventually([&] {
        grown = applet_box();
        return grown && grown->height > box->height;
    }, kPatience, "the applet grown by its city line"));

    stop_dock();
    const std::vector<uint8_t> blob = stored_blob();
    ASSERT_EQ(blob.size(), 316u + 2 * 7) << "version, skin \"default\", flags, view, city record and rules";
    const size_t record_at = 16 + 2 * 7;
    const world::CityRecord city =
        world::decode_city_record(std::span<const uint8_t, world::kCityRecordSize>(blob.data() + record_at, world::kCityRecordSize));
    EXPECT_EQ(city.name_view(), u"Tokyo");
    EXPECT_NE(std::vector<uint8_t>(blob.begin() + record_at + 128, blob.end()), std::vector<uint8_t>(172, 0))
        << "Tokyo's zone rules";

    start_dock();
    std::optional<UiLine> again;
    ASSERT_TRUE(eventually([&] {
        again = applet_box();
        return again && again->height == grown->height;
    }, kPatience, "the applet back with its city"));
    stop_dock();
    EXPECT_EQ(stored_blob(), blob) << "the same blob after the restart";
}

// With a table that maps each key to a marker, the applet's menu shows no English (the dock's own
// "Remove Applet" is the device's).
TEST_F(DockAppletEndToEnd, TheAppletsMenuComesFromTheTable) {
    write_marker_table();
    start_dock();
    ASSERT_NO_FATAL_FAILURE(tap_when_there("softkey", u"Add"));
    ASSERT_NO_FATAL_FAILURE(tap_when_there("menuitem", u"Zun Time"));
    std::optional<UiLine> box;
    ASSERT_TRUE(eventually([&] { return (box = applet_box()).has_value(); }, kPatience, "the applet's box"));
    ASSERT_EQ(input({ "hold", std::to_string(box->x + box->width / 2), std::to_string(box->y + box->height / 2) }), 0);
    ASSERT_NO_FATAL_FAILURE(tap_when_there("submenu", u"@Views"));
    std::vector<UiLine> menus;
    for (const UiLine& line : lines())
        if ((line.kind == "menuitem" || line.kind == "submenu") && line.text != u"Remove Applet") menus.push_back(line);
    EXPECT_GE(menus.size(), 5u);
    EXPECT_EQ(english_lines(menus), "");
}

}  // namespace
}  // namespace zt::e2e
