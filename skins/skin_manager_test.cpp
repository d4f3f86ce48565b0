#include "skins/skin_manager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "skins/testing/skin_fixture.h"
#include "skins/testing/test_images.h"

namespace zt::skins {
namespace {

using testing::SkinDeviceTest;

constexpr SkinScreen kVga { true, 5 };
constexpr SkinScreen kQvga { false, 5 };

class RecordingSink : public SkinMessageSink {
public:
    void show_message(std::u16string_view text) override { messages.emplace_back(text); }
    std::vector<std::u16string> messages;
};

class SkinResolveTest : public SkinDeviceTest {
protected:
    void SetUp() override {
        SkinDeviceTest::SetUp();
        add_skin(u"Default");
        add_skin(u"Black");
    }
    std::u16string file_of(CSkinManager& skins, std::u16string_view image) {
        auto resolved = skins.resolve_image(image);
        if (!resolved) return u"(none)";
        return resolved->path.substr(resolved->path.rfind(u'\\') + 1) + (resolved->scaled ? u" scaled" : u"");
    }
};

TEST_F(SkinResolveTest, HighResolutionPrefersVgaFilesUnscaled) {
    add_file(u"Black", u"Clock_vga.png");
    add_file(u"Black", u"Clock.png");
    add_file(u"Black", u"HArrow.png");
    CSkinManager vga(kVga);
    ASSERT_TRUE(vga.load_skin(u"Black", false));
    EXPECT_EQ(file_of(vga, u"Clock.png"), u"Clock_vga.png");
    EXPECT_EQ(file_of(vga, u"HArrow.png"), u"HArrow.png scaled");
    CSkinManager qvga(kQvga);
    ASSERT_TRUE(qvga.load_skin(u"Black", false));
    EXPECT_EQ(file_of(qvga, u"Clock.png"), u"Clock.png");
}

TEST_F(SkinResolveTest, ZipFormComesBeforeThePlainForm) {
    add_file(u"Black", u"Clock.zip");
    add_file(u"Black", u"Clock.png");
    add_file(u"Black", u"Digits_vga.zip");
    add_file(u"Black", u"Digits_vga.png");
    add_file(u"Black", u"Digits.zip");
    CSkinManager vga(kVga);
    ASSERT_TRUE(vga.load_skin(u"Black", false));
    EXPECT_EQ(file_of(vga, u"Clock.png"), u"Clock.zip scaled");
    EXPECT_EQ(file_of(vga, u"Digits.png"), u"Digits_vga.zip");
}

TEST_F(SkinResolveTest, MissingImagesComeFromTheDefaultSkin) {
    add_file(u"Default", u"Ping.png");
    add_file(u"Default", u"Clock_vga.png");
    add_file(u"Black", u"Clock.png");
    CSkinManager vga(kVga);
    ASSERT_TRUE(vga.load_skin(u"Black", false));
    auto ping = vga.resolve_image(u"Ping.png");
    ASSERT_TRUE(ping);
    EXPECT_NE(ping->path.find(u"\\Default\\Ping.png"), std::u16string::npos);
    EXPECT_EQ(file_of(vga, u"Clock.png"), u"Clock.png scaled") << "the skin's own image beats the default's _vga";
    EXPECT_FALSE(vga.resolve_image(u"Nowhere.png"));
    EXPECT_FALSE(vga.resolve_image(u""));
}

TEST_F(SkinResolveTest, SmallScreensNeverUseVgaFiles) {
    add_file(u"Black", u"Clock_vga.png");
    CSkinManager qvga(kQvga);
    ASSERT_TRUE(qvga.load_skin(u"Black", false));
    EXPECT_FALSE(qvga.resolve_image(u"Clock.png"));
}

TEST_F(SkinResolveTest, FoldersMatchWithOrWithoutTrailingBackslashAndFoldersAreNotImages) {
    add_skin(u"Plain", false);
    add_file(u"Plain", u"BG.png");
    std::filesystem::create_directories(host(u"\\Program Files\\Zun Time\\Plain\\Clock.png"));
    CSkinManager skins(kQvga);
    EXPECT_EQ(skins.skin_folder(u"Plain"), u"\\Program Files\\Zun Time\\Plain\\");
    ASSERT_TRUE(skins.load_skin(u"plain", false)) << "names match without regard to case";
    EXPECT_EQ(file_of(skins, u"BG.png"), u"BG.png");
    EXPECT_FALSE(skins.resolve_image(u"Clock.png")) << "a folder named like an image is not one";
}

TEST_F(SkinResolveTest, LoadedImagesCarryTheirScaleFlag) {
    CPicture art = testing::gradient_picture(4, 2);
    add_file(u"Black", u"Clock.zip", testing::make_zip({ { "clock.bmp", testing::bitmap_file_of(art), 8 } }));
    add_file(u"Black", u"Ping_vga.png", testing::png_file_of(art));
    CSkinManager vga(kVga);
    ASSERT_TRUE(vga.load_skin(u"Black", false));
    auto clock = vga.load_image(u"Clock.png");
    ASSERT_TRUE(clock);
    EXPECT_TRUE(clock->scaled());
    EXPECT_EQ(clock->colour(3, 1), art.colour(3, 1));
    auto ping = vga.load_image(u"Ping.png");
    ASSERT_TRUE(ping);
    EXPECT_FALSE(ping->scaled());
    EXPECT_EQ(ping->colour(2, 0), art.colour(2, 0));
    CImageStrip strip = vga.load_image_strip(u"Clock.png");
    EXPECT_TRUE(strip.valid());
    EXPECT_EQ(strip.shift(), 1);
    EXPECT_FALSE(vga.load_image_strip(u"Missing.png").valid());
}

// The dialog and six screens all ask for the background: it is decoded once. The proof is a
// file rewritten with the same size and time: the cache cannot tell, so it still hands out
// the first picture; a real change of the file (its time) is decoded again.
TEST_F(SkinResolveTest, EachImageIsDecodedOnceAndHandedOutAsCopiesUntilItsFileChanges) {
    auto zipped = [](Rgb colour) {
        return testing::make_zip({ { "bg.bmp", testing::bitmap_file_of(testing::solid_picture(4, 2, colour)), 0 } });
    };
    const Rgb red { 200, 0, 0 }, blue { 0, 0, 200 }, green { 0, 200, 0 };
    add_file(u"Black", u"BG.zip", zipped(red));
    const auto file = host(std::u16string(testing::kInstallFolder) + u"Black\\BG.zip");
    CSkinManager skins(kQvga);
    ASSERT_TRUE(skins.load_skin(u"Black", false));
    auto first = skins.load_image(u"BG.png");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->colour(0, 0), red);
    first->set_colour(0, 0, green);  // a caller draws into its own copy

    const auto written = std::filesystem::last_write_time(file);
    add_file(u"Black", u"BG.zip", zipped(blue));  // same size, same file
    std::filesystem::last_write_time(file, written);
    auto again = skins.load_image(u"BG.png");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->colour(0, 0), red) << "decoded once: the cached picture, untouched by the first caller";
    EXPECT_EQ(skins.load_image_strip(u"BG.png").picture()->colour(1, 1), red) << "strips come from the cache too";

    std::filesystem::last_write_time(file, written + std::chrono::seconds(2));
    EXPECT_EQ(skins.load_image(u"BG.png")->colour(0, 0), blue) << "a changed file is decoded again";

    add_file(u"Black", u"BG.zip", zipped(green));
    std::filesystem::last_write_time(file, written + std::chrono::seconds(2));
    skins.release_image_cache();
    EXPECT_EQ(skins.cached_image_count(), 0u);
    EXPECT_EQ(skins.load_image(u"BG.png")->colour(0, 0), green) << "a released cache decodes again";

    add_skin(u"White");
    add_file(u"White", u"BG.zip", zipped(blue));
    ASSERT_TRUE(skins.load_skin(u"White", false));
    EXPECT_EQ(skins.cached_image_count(), 0u) << "the images of a skin left behind are dropped";
    EXPECT_EQ(skins.load_image(u"BG.png")->colour(0, 0), blue);
}

TEST_F(SkinResolveTest, BrokenImageFilesGiveNoPicture) {
    add_file(u"Black", u"Clock.zip", testing::bytes_of("a bitmap pretending to be an archive"));
    add_file(u"Black", u"BG.png", testing::bytes_of("garbage"));
    CSkinManager skins(kQvga);
    ASSERT_TRUE(skins.load_skin(u"Black", false));
    EXPECT_FALSE(skins.load_image(u"Clock.png"));
    EXPECT_FALSE(skins.load_image(u"BG.png"));
}

class SkinListTest : public SkinDeviceTest {};

TEST_F(SkinListTest, ConsumersSeeTheSkinsThatSuitThem) {
    add_skin(u"Default");
    add_file(u"Default", u"Clock.png");
    add_file(u"Default", u"apl_Clock.png");
    add_skin(u"AppletOnly");
    add_file(u"AppletOnly", u"APL_DClock.png");
    add_skin(u"MainOnly");
    add_file(u"MainOnly", u"BG.png");
    add_skin(u"Empty");
    register_skin(u"Blank", u"");
    CSkinManager skins(kQvga);
    using V = std::vector<std::u16string>;
    EXPECT_EQ(skins.build_skin_list(SkinConsumer::MainProgram), (V { u"Default", u"MainOnly" }));
    EXPECT_EQ(skins.build_skin_list(SkinConsumer::Applet), (V { u"Default", u"AppletOnly" }));
    EXPECT_EQ(skins.build_skin_list(SkinConsumer::Any), (V { u"Default", u"AppletOnly", u"MainOnly", u"Empty" }));
}

TEST_F(SkinListTest, KindsAndGenerations) {
    EXPECT_EQ(CSkinManager::skin_kind(u"DEFAULT"), SkinKind::Default);
    EXPECT_EQ(CSkinManager::skin_kind(u"ZunSilver"), SkinKind::BuiltIn);
    EXPECT_EQ(CSkinManager::skin_kind(u"default_BIG"), SkinKind::BuiltIn);
    EXPECT_EQ(CSkinManager::skin_kind(u"Wins"), SkinKind::BuiltIn);
    EXPECT_EQ(CSkinManager::skin_kind(u"Ocean"), SkinKind::Installed);
    EXPECT_TRUE(read_skin_screen().high_resolution) << "the default profile is 480 wide";
    EXPECT_EQ(read_skin_screen().generation, 5) << "the default profile is 5.02";
}

class SkinLoadTest : public SkinDeviceTest {
protected:
    void SetUp() override {
        SkinDeviceTest::SetUp();
        add_skin(u"Default");
        add_skin(u"Black");
        skins.set_message_sink(&sink);
    }
    CSkinManager skins { kQvga };
    RecordingSink sink;
};

TEST_F(SkinLoadTest, UnknownOrMissingSkinFailsAtOnceAndKeepsTheCurrentSkin) {
    ASSERT_TRUE(skins.load_skin(u"Black", true));
    EXPECT_FALSE(skins.load_skin(u"", true));
    EXPECT_FALSE(skins.load_skin(u"Nope", true));
    register_skin(u"Gone", u"\\Program Files\\Zun Time\\Gone");
    EXPECT_FALSE(skins.load_skin(u"Gone", true));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(skins.current_skin_name(), u"Black");
}

TEST_F(SkinLoadTest, FailedVerificationFallsBackToDefaultWithOneMessage) {
    std::vector<std::u16string> verified;
    skins.set_verifier([&] {
        verified.push_back(skins.current_skin_name());
        return skins.current_skin_name() != u"Black";
    });
    EXPECT_TRUE(skins.load_skin(u"Black", true));
    EXPECT_EQ(skins.current_skin_name(), u"default");
    EXPECT_EQ(sink.messages, std::vector<std::u16string> { kUnableToLoadSkin });
    EXPECT_EQ(verified, (std::vector<std::u16string> { u"Black", u"default" }));
    EXPECT_TRUE(skins.load_skin(u"Black", false)) << "without verify the folder is enough";
}

TEST_F(SkinLoadTest, DefaultSkinFailingFailsWithoutLooping) {
    int calls = 0;
    skins.set_verifier([&] {
        ++calls;
        return false;
    });
    EXPECT_FALSE(skins.load_skin(u"Black", true));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_FALSE(skins.load_skin(u"DEFAULT", true));
    EXPECT_EQ(sink.messages.size(), 1u) << "the default skin failing shows nothing more";
}

}  // namespace
}  // namespace zt::skins
