#include "core/sound/playlist.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/testing/temp_device_root.h"
#include "core/sound/sound_file.h"

namespace zt::sound {
namespace {

constexpr std::string_view kHeader =
    "<ASX version = \"3.0\">\r\n<PARAM NAME = \"Encoding\" VALUE = \"UTF-8\" />\r\n"
    "<PARAM NAME = \"Custom Playlist Version\" VALUE = \"V1.0 WMP8 for CE\" />\r\n";

size_t count_of(const std::string& text, std::string_view part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(Playlist, HasTheExactHeaderEntriesAndFooter) {
    ASSERT_EQ(kHeader.size(), 139u);
    const std::string text = playlist_bytes(u"\\My Documents\\a\u00e9.mp3", 0, 5);
    const std::string entry = "<ENTRY><ref href = \"\\My Documents\\a\xC3\xA9.mp3\" /></ENTRY>\r\n";
    std::string expected(kHeader);
    for (int i = 0; i < 5; ++i) expected += entry;
    expected += "</ASX>\r\n";
    EXPECT_EQ(text, expected);
    EXPECT_EQ(count_of(playlist_bytes(u"\\x.wma", 1, 7), "<ENTRY>"), 200u) << "a playing time always lists 200";
    EXPECT_EQ(count_of(playlist_bytes(u"\\x.wma", 0, 1), "<ENTRY>"), 1u);
}

TEST(Playlist, AHugeRepeatCountListsNoMoreThanAPlayingTimeDoes) {
    // Any program can write the repeat count; four thousand million must not cost gigabytes.
    EXPECT_EQ(count_of(playlist_bytes(u"\\x.mp3", 0, 4'000'000'000u), "<ENTRY>"), 200u);
    EXPECT_EQ(count_of(playlist_bytes(u"\\x.mp3", 0, 201), "<ENTRY>"), 200u);
    EXPECT_EQ(count_of(playlist_bytes(u"\\x.mp3", 0, 200), "<ENTRY>"), 200u);
    EXPECT_EQ(count_of(playlist_bytes(u"\\x.mp3", 0, 199), "<ENTRY>"), 199u);
}

TEST(Playlist, LongEntryIsCutTo1024BytesOnACharacterBoundary) {
    const std::u16string name = u"\\" + std::u16string(600, u'\u00e9') + u".mp3";
    const std::string text = playlist_bytes(name, 0, 2);
    const std::string body = text.substr(kHeader.size(), text.size() - kHeader.size() - 8);
    ASSERT_EQ(body.size() % 2, 0u);
    const std::string entry = body.substr(0, body.size() / 2);
    EXPECT_LE(entry.size(), 1024u);
    EXPECT_GE(entry.size(), 1023u);
    EXPECT_NE(static_cast<unsigned char>(entry.back()) & 0xC0, 0xC0u) << "no lead byte left without its follower";
}

TEST(Playlist, IsWrittenToMyDocumentsAndDeleted) {
    zt::platform::testing::TempDeviceRoot root;
    std::filesystem::create_directories(root.path() / "My Documents");
    ASSERT_TRUE(write_playlist(u"\\My Documents\\a.mp3", 0, 3));
    std::ifstream in(root.path() / "My Documents" / "zuntime.asx", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), playlist_bytes(u"\\My Documents\\a.mp3", 0, 3));
    delete_playlist();
    EXPECT_FALSE(std::filesystem::exists(root.path() / "My Documents" / "zuntime.asx"));
}

TEST(SoundFile, KindFollowsTheLastExtensionWithoutRegardToCase) {
    EXPECT_EQ(player_kind_for(u"\\a.b.WAV"), PlayerKind::Wave);
    EXPECT_EQ(player_kind_for(u"\\tune.MP3"), PlayerKind::Media);
    EXPECT_EQ(player_kind_for(u"\\x.Wma"), PlayerKind::Media);
    EXPECT_EQ(player_kind_for(u"\\list.asx"), PlayerKind::Media);
    EXPECT_FALSE(player_kind_for(u"\\a.wav.ogg"));
    EXPECT_FALSE(player_kind_for(u"\\noextension"));
    EXPECT_FALSE(player_kind_for(u"\\trailing."));
}

TEST(SoundFile, EmptyMissingOrFolderFallsBackToTheDefaultSound) {
    zt::platform::testing::TempDeviceRoot root;
    std::filesystem::create_directories(root.path() / "My Documents" / "dir.wav");
    std::ofstream(root.path() / "My Documents" / "real.mp3") << "x";
    const std::u16string folder = u"\\Program Files\\Zun Time\\";
    const std::u16string fallback = u"\\Program Files\\Zun Time\\sounds\\ZunAlarm1.wav";
    EXPECT_EQ(sound_file_to_play(u"", folder), fallback);
    EXPECT_EQ(sound_file_to_play(u"\\My Documents\\none.mp3", folder), fallback);
    EXPECT_EQ(sound_file_to_play(u"\\My Documents\\dir.wav", folder), fallback);
    EXPECT_EQ(sound_file_to_play(u"\\my documents\\REAL.mp3", folder), u"\\my documents\\REAL.mp3");
    EXPECT_EQ(sound_file_to_play(u"", u""), u"sounds\\ZunAlarm1.wav") << "no application folder";
}

}  // namespace
}  // namespace zt::sound
