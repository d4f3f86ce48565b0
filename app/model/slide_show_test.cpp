// The slide show on a tick count and random numbers of the test's choosing: holds, transitions
// by their formulas, the picture list and skipped files.
#include "app/model/slide_show.h"

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>

#include "platform/testing/temp_folder.h"
#include "skins/drawing.h"

namespace zt::app {
namespace {

namespace fs = std::filesystem;
using skins::CPicture;
using skins::Rgb;

platform::gui::DecodedImage solid(int32_t width, int32_t height, Rgb c) {
    platform::gui::DecodedImage image { width, height, CPicture::stride_for(width), {} };
    image.bits.assign(static_cast<size_t>(image.stride) * height, 0);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = image.bits.data() + y * image.stride + x * 3;
            p[0] = c.blue, p[1] = c.green, p[2] = c.red;
        }
    return image;
}

void touch(const fs::path& file) { std::ofstream(file) << "x"; }

struct Show {
    uint32_t now { 1000 };
    std::vector<int32_t> randoms;
    // Files named "bad*" do not decode; the others are a solid colour by their first letter.
    std::vector<std::string> decoded;
    CSlideShow show {
        [this] { return now; },
        [this] {
            int32_t r = randoms.empty() ? 0 : randoms.front();
            if (!randoms.empty()) randoms.erase(randoms.begin());
            return r;
        },
        [this](const fs::path& file) -> std::optional<platform::gui::DecodedImage> {
            decoded.push_back(file.filename().string());
            if (file.filename().string().starts_with("bad")) return std::nullopt;
            return solid(8, 4, file.filename().string()[0] == 'r' ? Rgb { 200, 0, 0 } : Rgb { 0, 40, 0 });
        } };
    CPicture target = *CPicture::create(64, 64);
    platform::testing::TempFolder folder { "slides" };

    bool start(std::vector<std::string> names, uint32_t effect) {
        for (const std::string& name : names) touch(folder.path() / name);
        skins::fill_picture(target, { 0, 0, 200 });
        return show.start_in(folder.path(), target, effect, 2 /* stretch */);
    }
    // Ticks until the transition reached that step (the hold has passed).
    void run_to_step(int32_t step) {
        for (int n = 0; n < 64 && show.step() != step + CSlideShow::kStepSize; ++n) show.tick();
        ASSERT_EQ(show.step(), step + CSlideShow::kStepSize);
    }
};

TEST(SlideShowPictures, KeepsListedExtensionsOfAnyCaseAndSkipsFoldersAndOtherFiles) {
    platform::testing::TempFolder folder { "pictures" };
    for (const char* name : { "PHOTO.JPG", "b.Png", "c.jpeg", "d.tif", "e.tiff", "notes.txt", "gif", "f.bmp.txt" })
        touch(folder.path() / name);
    fs::create_directory(folder.path() / "sub.jpg");
    std::vector<std::string> names;
    for (const fs::path& p : collect_slide_show_pictures(folder.path())) names.push_back(p.filename().string());
    EXPECT_EQ(names, (std::vector<std::string> { "PHOTO.JPG", "b.Png", "c.jpeg", "d.tif" }));
    CPicture target = *CPicture::create(4, 4);
    CSlideShow show;
    EXPECT_FALSE(show.start_in(folder.path() / "missing", target, 0x50001, 1));
    EXPECT_EQ(SlideShowEffect::unpack(0x01050302), (SlideShowEffect { 2, true, 5, true }));
    EXPECT_EQ((SlideShowEffect { 3, false, 9, true }).pack(), 0x01090003u);
}

TEST(SlideShow, OneJpegBesideATextFileIsShownAgainEveryHoldPeriod) {
    platform::testing::TempFolder folder { "jpeg" };
    QImage red(32, 16, QImage::Format_RGB32);
    red.fill(QColor(220, 20, 20));
    ASSERT_TRUE(red.save(QString::fromStdString((folder.path() / "HOLIDAY.JPG").string()), "JPEG"));
    touch(folder.path() / "readme.txt");
    uint32_t now = 0xFFFFF000;  // the hold spans the tick count's wrap
    int decodes = 0;
    CSlideShow show([&] { return now; }, [] { return 0; },
                    [&](const fs::path& file) { ++decodes; return platform::gui::decode_image_file(file); });
    CPicture target = *CPicture::create(20, 10);
    ASSERT_TRUE(show.start_in(folder.path(), target, 0x00050000 /* cut, 5 s */, 1));
    for (int round = 0; round < 2; ++round) {
        const uint32_t start = now;
        EXPECT_FALSE(show.tick()) << "the hold starts";
        now = start + 4999;
        EXPECT_FALSE(show.tick()) << "last tick inside the hold";
        now = start + 5000;
        EXPECT_TRUE(show.tick()) << "first tick after the hold cuts to the picture";
        const Rgb shown = show.picture()->colour(10, 5);
        EXPECT_TRUE(shown.red > 180 && shown.green < 60 && shown.blue < 60) << int(shown.red) << "," << int(shown.green);
        while (show.in_transition()) show.tick();
        EXPECT_EQ(target.colour(3, 3), shown) << "the target holds the picture after the transition";
        EXPECT_EQ(show.index(), 0);
        EXPECT_EQ(decodes, round + 1);
        now += 20000;
    }
}

TEST(SlideShow, TransitionsComposeFramesByTheirFormulas) {
    // Cross-fade from blue (0, 0, 200) to red (200, 0, 0).
    Show fade;
    ASSERT_TRUE(fade.start({ "red.png" }, 0x00000001));
    for (int32_t step : { 0, 120, 240 }) {
        fade.run_to_step(step);
        const Rgb c = fade.show.picture()->colour(5, 5);
        EXPECT_EQ(c.red, (0 * (255 - step) + 200 * step) >> 8) << step;
        EXPECT_EQ(c.blue, (200 * (255 - step) + 0 * step) >> 8) << step;
    }
    fade.show.tick();
    EXPECT_EQ(fade.target.colour(5, 5), (Rgb { 200, 0, 0 })) << "the target receives the picture at the end";

    // Wipes: at step s the new picture covers rows (columns) below s * 64 / 256.
    for (uint32_t effect : { 2u, 3u }) {
        Show wipe;
        ASSERT_TRUE(wipe.start({ "red.png" }, effect));
        for (int32_t step : { 0, 100, 240 }) {
            wipe.run_to_step(step);
            const int32_t edge = step * 64 / 256;
            for (int32_t at : { 0, edge - 1, edge, 63 }) {
                if (at < 0) continue;
                const Rgb c = effect == 2 ? wipe.show.picture()->colour(30, at) : wipe.show.picture()->colour(at, 30);
                EXPECT_EQ(c.red, at < edge ? 200 : 0) << "effect " << effect << " step " << step << " at " << at;
            }
        }
    }
}

TEST(SlideShow, UndecodableFilesAreSkippedUntilTheListComesRound) {
    Show s;
    ASSERT_TRUE(s.start({ "a.png", "bad.png", "red.png" }, 0x00000000));  // no hold
    for (int n = 0; n < 3; ++n) {
        s.show.tick();
        while (s.show.in_transition()) s.show.tick();
    }
    EXPECT_EQ(s.decoded, (std::vector<std::string> { "a.png", "bad.png", "red.png", "a.png" }));

    Show none;
    ASSERT_TRUE(none.start({ "bad1.png", "bad2.png" }, 0x00000001));
    EXPECT_FALSE(none.show.tick());
    EXPECT_EQ(none.decoded.size(), 2u) << "every file tried once";
    EXPECT_EQ(none.show.picture(), &none.target) << "the plain background stays";
}

TEST(SlideShow, RandomOrderAndRandomTransitionFollowTheRandomNumbers) {
    Show s;
    s.randoms = { 3 * 32768 / 4 + 1, 2 * 32768 / 4 + 5 };  // picture 3 of 4, then wipe 2
    ASSERT_TRUE(s.start({ "a.png", "b.png", "c.png", "red.png" }, 0x01000100));
    s.show.tick();
    EXPECT_EQ(s.show.index(), 3);
    EXPECT_EQ(s.show.transition(), 2);
}

}  // namespace
}  // namespace zt::app
