#include "texts/text_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <sys/stat.h>

#include "texts/ansi_code_page.h"

namespace zt::app {
namespace {

std::vector<uint8_t> ansi(std::string_view text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::vector<uint8_t> utf16_with_bom(std::u16string_view text) {
    std::vector<uint8_t> out = { 0xFF, 0xFE };
    for (char16_t c : text) {
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(static_cast<uint8_t>(c >> 8));
    }
    return out;
}

TEST(TextTableLines, KeyBarValueReplacesExactlyThatText) {
    CTextTable table;
    ASSERT_TRUE(table.load_bytes(ansi("Alarm|Wecker\r\nSnooze |Schlummern\nDismiss|Aus|ignored tail\n")));
    EXPECT_EQ(table.translate(u"Alarm"), u"Wecker");
    EXPECT_EQ(table.translate(u"alarm"), u"alarm") << "keys are case-sensitive";
    EXPECT_EQ(table.translate(u"Alarm "), u"Alarm ");
    EXPECT_EQ(table.translate(u"Snooze"), u"Snooze") << "a trailing blank belongs to the key";
    EXPECT_EQ(table.translate(u"Snooze "), u"Schlummern");
    EXPECT_EQ(table.translate(u"Dismiss"), u"Aus");
    EXPECT_EQ(table.size(), 3u);
}

TEST(TextTableLines, LinesWithoutBarOrWithEmptySidesStoreNothing) {
    CTextTable table;
    ASSERT_TRUE(table.load_bytes(ansi("just a comment line\n|no key\nno value|\n\n\r\r\nOK|Gut")));
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(table.translate(u"OK"), u"Gut");
    EXPECT_EQ(table.replacement(u"no value"), nullptr);
    EXPECT_EQ(table.replacement(u""), nullptr);
}

TEST(TextTableLines, EscapesMakeBarsAndLineBreaksPartOfFields) {
    CTextTable table;
    ASSERT_TRUE(table.load_bytes(ansi("A\\|B|C\\nD\\rE\\\\F\\x\n")));
    EXPECT_EQ(table.translate(u"A|B"), u"C\nD\rE\\Fx");
}

TEST(TextTableLines, LaterLineWithTheSameKeyWins) {
    CTextTable table;
    ASSERT_TRUE(table.load_bytes(ansi("Stop|Halt\nStop|Anhalten\n")));
    EXPECT_EQ(table.translate(u"Stop"), u"Anhalten");
}

TEST(TextTableLines, ParsingStopsAtNul) {
    CTextTable table;
    std::string text("One|Eins\n");
    text.push_back('\0');
    text += "Two|Zwei\n";
    ASSERT_TRUE(table.load_bytes(ansi(text)));
    EXPECT_EQ(table.translate(u"One"), u"Eins");
    EXPECT_EQ(table.translate(u"Two"), u"Two");
}

TEST(TextTableEncodings, AnsiAndUtf16GiveTheSameTable) {
    CTextTable from_ansi, from_utf16;
    ASSERT_TRUE(from_ansi.load_bytes(ansi("Caf\xE9|K\xF6nig \x80\n")));
    ASSERT_TRUE(from_utf16.load_bytes(utf16_with_bom(u"Caf\u00E9|K\u00F6nig \u20AC\n")));
    EXPECT_EQ(from_ansi.translate(u"Caf\u00E9"), u"K\u00F6nig \u20AC");
    EXPECT_EQ(from_utf16.translate(u"Caf\u00E9"), u"K\u00F6nig \u20AC");
    EXPECT_EQ(from_ansi.size(), from_utf16.size());
}

TEST(TextTableEncodings, ByteOrderMarkAloneFailsAndEmptiesTheTable) {
    CTextTable table;
    ASSERT_TRUE(table.load_bytes(ansi("Yes|Ja")));
    EXPECT_FALSE(table.load_bytes(std::vector<uint8_t> { 0xFF, 0xFE }));
    EXPECT_EQ(table.size(), 0u);
    EXPECT_EQ(table.translate(u"Yes"), u"Yes");
    // One byte after the mark is a valid (if empty) table.
    EXPECT_TRUE(table.load_bytes(std::vector<uint8_t> { 0xFF, 0xFE, 0x41 }));
}

TEST(TextTableEncodings, Utf8WithByteOrderMarkReadsAsUtf8) {
    // "Café|König €" in UTF-8 after EF BB BF: the mark must not spoil the first key, and the
    // multi-byte letters must not be read as ANSI.
    CTextTable table;
    ASSERT_TRUE(table.load_bytes(ansi("\xEF\xBB\xBF" "Caf\xC3\xA9|K\xC3\xB6nig \xE2\x82\xAC\nOK|\xF0\x9F\x91\x8D\n")));
    EXPECT_EQ(table.translate(u"Caf\u00E9"), u"K\u00F6nig \u20AC");
    EXPECT_EQ(table.translate(u"OK"), u"\U0001F44D") << "four-byte letters become a surrogate pair";
    EXPECT_EQ(table.size(), 2u);
    // A broken sequence garbles only its own text.
    ASSERT_TRUE(table.load_bytes(ansi("\xEF\xBB\xBF" "Bad\xC3|X\nYes|Ja\n")));
    EXPECT_EQ(table.translate(u"Bad\uFFFD"), u"X");
    EXPECT_EQ(table.translate(u"Yes"), u"Ja");
    // The mark alone fails and empties the table, as the UTF-16 mark does.
    EXPECT_FALSE(table.load_bytes(ansi("\xEF\xBB\xBF")));
    EXPECT_EQ(table.size(), 0u);
    // Without the mark the bytes stay ANSI.
    ASSERT_TRUE(table.load_bytes(ansi("\xC3\xA9|e\n")));
    EXPECT_EQ(table.translate(u"\u00C3\u00A9"), u"e");
}

TEST(TextTableEncodings, UndefinedAnsiBytesStillConvert) {
    std::vector<uint8_t> bytes = { 0x81, 0x8D, 0x8F, 0x90, 0x9D, 0x9F, 0xFF };
    EXPECT_EQ(ansi_to_utf16(bytes), std::u16string(u"\u0081\u008D\u008F\u0090\u009D\u0178\u00FF"));
}

TEST(TextTableFiles, MissingFileFailsQuietlyAndRealFileLoads) {
    CTextTable table;
    EXPECT_FALSE(table.load("/nonexistent/zt/ZunTime.txt"));
    std::string dir = (std::filesystem::temp_directory_path() / "zt-texts-XXXXXX").string();
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    auto path = std::filesystem::path(dir) / "ZunTime.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "Options|Optionen\r\n";
    }
    EXPECT_TRUE(table.load(path));
    EXPECT_EQ(table.translate(u"Options"), u"Optionen");
    EXPECT_FALSE(table.load(std::filesystem::path(dir))) << "a folder is not a file";
    EXPECT_EQ(table.size(), 0u);
    // A FIFO in the table's place would block a plain open until a writer came.
    const auto fifo = std::filesystem::path(dir) / "fifo.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(table.load(fifo));
    std::filesystem::remove_all(dir);
}

TEST(TextTableResources, LoadStringTranslatesAndCutsLongStrings) {
    CTextTable table;
    ASSERT_TRUE(table.load_bytes(ansi("New alarm|Neuer Wecker\n")));
    table.set_resource_strings([](uint32_t id) -> std::optional<std::u16string> {
        if (id == 1) return u"New alarm";
        if (id == 2) return u"Untranslated";
        if (id == 3) return std::u16string(5000, u'x');
        return std::nullopt;
    });
    EXPECT_EQ(table.LoadString(1), u"Neuer Wecker");
    EXPECT_EQ(table.LoadString(2), u"Untranslated");
    EXPECT_EQ(table.LoadString(3).size(), CTextTable::kMaxResourceString);
    EXPECT_EQ(table.LoadString(99), u"");
}

}  // namespace
}  // namespace zt::app
