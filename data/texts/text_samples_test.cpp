#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/texts/interface_text_scan.h"
#include "platform/base/text.h"
#include "texts/text_table_parser.h"

namespace zt::data {
namespace {

namespace fs = std::filesystem;
const fs::path kRoot = ZT_SOURCE_ROOT;
const fs::path kTexts = kRoot / "data" / "texts";

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// One text per line; lines starting with "#" are notes. Trailing blanks belong to the text.
std::set<std::string> read_list(const fs::path& path) {
    std::set<std::string> lines;
    std::string all = read_file(path);
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\n', start);
        if (end == std::string::npos) end = all.size();
        std::string line = all.substr(start, end - start);
        if (!line.empty() && line[0] != '#') lines.insert(line);
        start = end + 1;
    }
    return lines;
}

std::string joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const auto& text : texts) out += "\n  [" + text + "]";
    return out;
}

TEST(TextKeys, EveryTextTheCodeShowsIsAKeyOrKnownNotToBeOne) {
    const std::set<std::string> keys = read_list(kTexts / "keys.txt");
    const std::set<std::string> not_keys = read_list(kTexts / "not_keys.txt");
    const std::set<std::string> found = scan_interface_texts(kRoot);
    ASSERT_GT(found.size(), 100u) << "the scan found almost nothing under " << kRoot;
    std::vector<std::string> unlisted, stale;
    for (const auto& text : found)
        if (!keys.contains(text) && !not_keys.contains(text)) unlisted.push_back(text);
    for (const auto& text : not_keys)
        if (!found.contains(text)) stale.push_back(text);
    EXPECT_TRUE(unlisted.empty()) << "add to data/texts/keys.txt (and translate) or not_keys.txt:" << joined(unlisted);
    EXPECT_TRUE(stale.empty()) << "no longer in the code, remove from not_keys.txt:" << joined(stale);
}

TEST(TextKeys, ScanJoinsPiecesResolvesEscapesAndSkipsNames) {
    const auto found = scan_interface_texts(std::string_view(
        "show(u\"Would you like \"\n   u\"to add it?\"); x = u\"Error \\\"%s\\\"!\"; k(u\"AppPath\");"
        " p(u\"\\\\Windows\\\\Ringout.exe\"); m(translate(u\"min\")); q(QStringLiteral(\"Name:\")); insert(u\"lap\");"));
    EXPECT_EQ(found, (std::set<std::string> { "Would you like to add it?", "Error \"%s\"!", "min", "Name:" }));
}

// The placeholders ("%u", "%02u", "%s", ...) of a text, in order.
std::vector<std::u16string> placeholders(const std::u16string& text) {
    std::vector<std::u16string> found;
    for (size_t at = text.find(u'%'); at != std::u16string::npos; at = text.find(u'%', at + 1)) {
        size_t end = at + 1;
        while (end < text.size() && text[end] >= u'0' && text[end] <= u'9') ++end;
        if (end < text.size() && (text[end] == u's' || text[end] == u'u' || text[end] == u'd')) found.push_back(text.substr(at, end - at + 1));
    }
    return found;
}

bool ends_with_dots(const std::u16string& text) { return text.size() >= 3 && text.ends_with(u"..."); }
size_t accelerators(const std::u16string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), u'&')); }

class TextSample : public ::testing::TestWithParam<const char*> {};

TEST_P(TextSample, ParsesAndTranslatesEveryKeyKeepingPlaceholdersDotsAndAccelerators) {
    const std::string file = read_file(kTexts / GetParam() / "ZunTime.txt");
    ASSERT_TRUE(file.starts_with("\xEF\xBB\xBF")) << GetParam() << ": not UTF-8 with a byte-order mark";
    std::map<std::u16string, std::u16string> table;
    zt::app::parse_text_table(platform::utf8_to_utf16(file.substr(3)),
                              [&](std::u16string key, std::u16string value) { table[std::move(key)] = std::move(value); });
    std::set<std::u16string> keys;
    for (const auto& key : read_list(kTexts / "keys.txt")) keys.insert(platform::utf8_to_utf16(key));
    for (const auto& key : keys) {
        const std::string shown = platform::utf16_to_utf8(key);
        auto entry = table.find(key);
        if (entry == table.end()) {
            ADD_FAILURE() << GetParam() << ": no translation of [" << shown << "]";
            continue;
        }
        const std::u16string& value = entry->second;
        EXPECT_EQ(placeholders(value), placeholders(key)) << GetParam() << ": placeholders of [" << shown << "]";
        EXPECT_EQ(ends_with_dots(value), ends_with_dots(key)) << GetParam() << ": \"...\" ending of [" << shown << "]";
        EXPECT_EQ(accelerators(value), accelerators(key)) << GetParam() << ": \"&\" of [" << shown << "]";
    }
    for (const auto& [key, value] : table)
        EXPECT_TRUE(keys.contains(key)) << GetParam() << ": [" << platform::utf16_to_utf8(key) << "] is no key";
}

INSTANTIATE_TEST_SUITE_P(Languages, TextSample, ::testing::Values("de", "fr"));

}  // namespace
}  // namespace zt::data
