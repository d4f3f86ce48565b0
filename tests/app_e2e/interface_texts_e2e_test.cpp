// Every text the installed main program shows passes through the interface text table: with a
// table that maps each key to "@" and the key, nothing on the screens reads in English.
#include <gtest/gtest.h>

#include <QChar>
#include <QLocale>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/model/testing/window_recorder.h"
#include "contracts/today_item.h"
#include "core/number_text.h"
#include "platform/base/text.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"
#include "world/city_database.h"
#include "world/favorites_list.h"

namespace zt::e2e {
namespace {

namespace fs = std::filesystem;
using zt::platform::gui::UiLine;

constexpr int kScreenWidth = 480;  // the default device profile
constexpr int kScrollArrows = 48;  // room for the tab row's two arrows, generously

std::vector<std::string> keys() {
    std::ifstream in(fs::path(ZT_SOURCE_ROOT) / "data" / "texts" / "keys.txt", std::ios::binary);
    std::vector<std::string> list;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') list.push_back(line);
    return list;
}

// The table's own escapes, so that a key holding a bar or a backslash stays one key.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '|' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

class InterfaceTextsEndToEnd : public MainProgramEndToEnd {
protected:
    void write_marker_table() {
        std::ofstream table(device.root() / "Program Files" / "Zun Time" / "ZunTime.txt", std::ios::binary);
        table << "\xEF\xBB\xBF";
        for (const auto& key : keys()) table << escaped(key) << "|@" << escaped(key) << "\r\n";
    }
    std::vector<UiLine> ui() {
        auto lines = ui_lines();
        EXPECT_TRUE(lines) << "zt-device ui failed or printed a malformed line";
        return lines.value_or(std::vector<UiLine> {});
    }
    // The names of the installed skins and of the favourite cities: data, not interface text.
    std::set<std::u16string> data_names() const {
        std::set<std::u16string> names { u"Zun Time" };
        using namespace zt::platform::registry;
        if (auto skins = Key::open(Root::CurrentUser, zt::contracts::kSkinsKeyPath))
            for (uint32_t i = 0; auto value = skins->enum_value(i); ++i) names.insert(value->name);
        world::CityDatabase database;
        world::FavoritesList favourites(database);
        if (favourites.load(device.root() / "Program Files" / "Zun Time" / "FavList.dat"))
            for (size_t i = 0; i < favourites.count(); ++i) names.insert(std::u16string(favourites.entry(static_cast<int>(i))->name_view()));
        return names;
    }
    // The lines that show a text not from the table. Data is no interface text: the product's
    // name, skin and city names, numbers, times (with the locale's AM and PM) and symbols, the
    // contents of edit fields, program and sound files, and the names the dump gives the
    // toolbar's skin pictures.
    // `data_kinds`: controls that only hold data on the screen checked (the city database's names).
    std::string english_lines(const std::vector<UiLine>& lines, const std::set<std::string>& data_kinds = {}) const {
        const std::set<std::u16string> data = data_names();
        std::string found;
        for (const auto& line : lines) {
            const std::u16string& text = line.text;
            if (data_kinds.contains(line.kind)) continue;
            // A number or time may lead a translated word ("05 @min") or the locale's "PM".
            const size_t words = text.find_first_not_of(u"0123456789 :.");
            if (words == std::u16string::npos || text[words] == u'@' || data.contains(text) || !has_letter(text)) continue;
            if (words > 0 && is_locale_day_half(text.substr(words))) continue;
            // The week day picker's initials are the device locale's day names.
            if (line.kind == "day") continue;
            if (line.kind == "button" && (text == u"Screen set" || text.starts_with(u"Button "))) continue;
            // What the user typed, and files: programs that keep the screensaver away, sounds.
            if (line.kind == "edit" || text.ends_with(u".exe") || text.ends_with(u".wav")) continue;
            found += "\n  " + line.kind + "\t" + platform::utf16_to_utf8(text);
        }
        return found;
    }
    static bool is_locale_day_half(const std::u16string& text) {
        const QLocale locale;
        return text == locale.amText().toStdU16String() || text == locale.pmText().toStdU16String();
    }
    static bool has_letter(std::u16string_view text) {
        for (char16_t c : text)
            if (QChar(c).isLetter()) return true;
        return false;
    }
};

TEST_F(InterfaceTextsEndToEnd, EveryTextOnTheScreensComesFromTheTable) {
    write_marker_table();
    start_main(u"");
    ASSERT_TRUE(eventually([&] { return find_line(ui(), "softkey", u"@Options").has_value(); }, kStartLimit,
                           "the translated Options soft key"));
    EXPECT_EQ(english_lines(ui()), "") << "main screen";


    ASSERT_EQ(tap_centre_of(*find_line(ui(), "softkey", u"@Options")), 0);
    std::vector<UiLine> tabs;
    ASSERT_TRUE(eventually([&] {
        tabs.clear();
        for (const auto& line : ui()) if (line.kind == "tab") tabs.push_back(line);
        return !tabs.empty();
    }, kStartLimit, "the options sheet's tabs"));
    for (const auto& tab : tabs) {
        // Longer texts push the last tabs off the screen; the tab row's scroll arrow at its
        // right end brings them in.
        std::optional<UiLine> now;
        for (int scroll = 0; scroll < 8; ++scroll) {
            now = find_line(ui(), "tab", tab.text);
            ASSERT_TRUE(now) << platform::utf16_to_utf8(tab.text);
            if (now->x >= 0 && now->x + now->width <= kScreenWidth - kScrollArrows) break;
            ASSERT_EQ(input({ "tap", std::to_string(kScreenWidth - 4), std::to_string(now->y + now->height / 2) }), 0);
        }
        ASSERT_EQ(tap_centre_of(*now), 0);
        const auto lines = ui();
        const auto chosen = find_line(lines, "tab", tab.text);
        EXPECT_TRUE(chosen && chosen->has_state("selected")) << "the page did not open: " << platform::utf16_to_utf8(tab.text);
        EXPECT_EQ(english_lines(lines), "") << "options page " << platform::utf16_to_utf8(tab.text);
    }
}

struct Screen {
    const char* name;
    uint32_t set, clocks, timers;
};

class ScreenMenuTexts : public InterfaceTextsEndToEnd, public ::testing::WithParamInterface<Screen> {};

TEST_P(ScreenMenuTexts, TheScreensMenuComesFromTheTable) {
    write_marker_table();
    store_screens(GetParam().set, GetParam().clocks, GetParam().timers);
    start_main(u"");
    // The menu a held finger opens on the screen's face.
    ASSERT_TRUE(eventually([&] { return find_line(ui(), "softkey", u"@Options").has_value(); }, kStartLimit,
                           "the translated Options soft key"));
    ASSERT_EQ(input({ "hold", "240", "300" }), 0);
    std::vector<UiLine> menu;
    ASSERT_TRUE(eventually([&] {
        menu = ui();
        return std::any_of(menu.begin(), menu.end(), [](const UiLine& line) { return line.kind == "menuitem"; });
    }, kStartLimit, "the screen's menu"));
    EXPECT_EQ(english_lines(menu), "") << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenMenuTexts,
                         ::testing::Values(Screen { "world time", 0, 0, 3 }, Screen { "analog clock", 0, 1, 3 },
                                           Screen { "digital clock", 0, 2, 3 }, Screen { "countdown timers", 1, 1, 4 }),
                         [](const ::testing::TestParamInfo<Screen>& screen) {
                             std::string name = screen.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST_F(InterfaceTextsEndToEnd, TheAlarmEditorsTextsComeFromTheTable) {
    write_marker_table();
    start_main(u"NewAlarm", false);
    ASSERT_TRUE(eventually([&] { return find_line(ui(), "softkey", u"@OK").has_value(); }, kStartLimit,
                           "the alarm editor's translated OK soft key"));
    EXPECT_EQ(english_lines(ui()), "") << "alarm editor";
}

TEST_F(InterfaceTextsEndToEnd, TheChangeCityDialogsTextsComeFromTheTable) {
    write_marker_table();
    app::testing::WindowRecorder requester(contracts::kTodayItemClass);
    ASSERT_NE(requester.handle(), 0u);
    start_main(u"ChooseCity " + core::format_unsigned(requester.handle()) + u" 0 0 0", false);
    std::vector<UiLine> lines;
    ASSERT_TRUE(eventually([&] {
        lines = ui();
        return !lines.empty() && lines.front().kind == "dialog" && lines.front().text == u"@Change City";
    }, kStartLimit, "the translated Change City dialog in front"));
    EXPECT_EQ(english_lines(lines, { "combo", "item" }), "") << "Change City";
}

}  // namespace
}  // namespace zt::e2e
