#pragma once
// End-to-end test support: every text a program shows passes through the interface text table.
// With a table that maps each key to "@" and the key, nothing on a screen reads in English.
#include <gtest/gtest.h>

#include <QChar>
#include <QLocale>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "contracts/registry_keys.h"
#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"
#include "world/city_database.h"
#include "world/favorites_list.h"

namespace zt::e2e {

inline std::vector<std::string> marker_keys() {
    std::ifstream in(std::filesystem::path(ZT_SOURCE_ROOT) / "data" / "texts" / "keys.txt", std::ios::binary);
    std::vector<std::string> list;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') list.push_back(line);
    return list;
}

// The table's own escapes, so that a key holding a bar or a backslash stays one key.
inline std::string table_escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '|' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

class InterfaceTextsEndToEnd : public MainProgramEndToEnd {
protected:
    using UiLine = platform::gui::UiLine;

    void write_marker_table() {
        std::ofstream table(device.root() / "Program Files" / "Zun Time" / "ZunTime.txt", std::ios::binary);
        table << "\xEF\xBB\xBF";
        for (const auto& key : marker_keys()) table << table_escaped(key) << "|@" << table_escaped(key) << "\r\n";
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

}  // namespace zt::e2e
