// zt-skin check finds what a screen would miss in a damaged copy of a good skin.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/testing/temp_folder.h"
#include "skins/catalog/skin_check.h"

namespace zt::skintool {
namespace {

namespace fs = std::filesystem;

class SkinCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "skin_check_test";
        static char* argv[] = { name, nullptr };
        static QGuiApplication app(argc, argv);
    }

    void SetUp() override
    {
        ASSERT_FALSE(m_temp.path().empty());
        fs::copy(fs::path(ZT_SKINS_DIR) / "Default", m_folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }

    std::string problem_of(const std::string& image_prefix, bool require_vga = false) const
    {
        for (const auto& f : check_skin(m_folder, require_vga).findings)
            if (f.image.rfind(image_prefix, 0) == 0 && !f.problem.empty())
                return f.problem;
        return {};
    }

    // Rewrites one pixel of an image in the folder.
    void set_pixel(const std::string& file, int x, int y, QRgb colour) const
    {
        QImage image(QString::fromStdString((m_folder / file).string()));
        ASSERT_FALSE(image.isNull());
        image.setPixel(x, y, colour);
        ASSERT_TRUE(image.save(QString::fromStdString((m_folder / file).string())));
    }

    zt::platform::testing::TempFolder m_temp { "zt_skin_check" };
    const fs::path& m_folder { m_temp.path() };
};

TEST_F(SkinCheck, CompleteSkinPasses)
{
    EXPECT_TRUE(check_skin(m_folder, true).complete());
}

TEST_F(SkinCheck, MissingFilesAreReportedAndOnlyVgaWhenPromised)
{
    fs::remove(m_folder / "Ping_vga.png");
    EXPECT_TRUE(check_skin(m_folder).complete()) << "the doubled Ping.png serves a large screen";
    EXPECT_NE(problem_of("Ping_vga", true).find("missing"), std::string::npos);
    fs::remove(m_folder / "Ping.png");
    EXPECT_NE(problem_of("Ping.png").find("missing file"), std::string::npos);
    EXPECT_FALSE(check_skin(m_folder).complete());
}

TEST_F(SkinCheck, WrongPartCountAbsentValueAndLostAnchorAreFound)
{
    QImage digits(QString::fromStdString((m_folder / "Digits.png").string()));
    const int w = digits.width() / 2;
    // Greying the first boundary marker merges glyphs 0 and 1.
    for (int y = 0; y < digits.height(); ++y)
        if (qRed(digits.pixel(w, y)) != qGreen(digits.pixel(w, y))) {
            set_pixel("Digits.png", w, y, qRgb(0, 0, 0));
            break;
        }
    EXPECT_NE(problem_of("Digits.png").find("has 10 parts"), std::string::npos) << problem_of("Digits.png");

    QImage clock(QString::fromStdString((m_folder / "Clock.png").string()));
    set_pixel("Clock.png", clock.width() / 2 + 5, 0, qRgb(7, 7, 7));  // value pixel 5 made grey
    EXPECT_NE(problem_of("Clock.png").find("value pixel 5"), std::string::npos) << problem_of("Clock.png");

    QImage hand(QString::fromStdString((m_folder / "HArrow.png").string()));
    const int hw = hand.width() / 2;
    for (int y = 0; y < hand.height(); ++y)
        for (int x = hw + 1; x < hand.width(); ++x) {
            const QRgb p = hand.pixel(x, y);
            if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))
                set_pixel("HArrow.png", x, y, qRgb(qRed(p), qRed(p), qRed(p)));
        }
    EXPECT_NE(problem_of("HArrow.png").find("anchor"), std::string::npos) << problem_of("HArrow.png");
}

// The Today item's line icons stand on 12-pixel lines; a _vga form is drawn as it is, so it has
// twice the room.
TEST_F(SkinCheck, LineIconTallerThanItsLineIsReportedAtEachSize)
{
    // Moves the end of the first icon down to `row`, making it taller by as many rows.
    auto end_first_icon_at = [this](const std::string& file, int row) {
        QImage icons(QString::fromStdString((m_folder / file).string()));
        const int w = icons.width() / 2;
        int end = 0;
        while (end < icons.height() && qRed(icons.pixel(w, end)) == qGreen(icons.pixel(w, end)))
            ++end;
        ASSERT_LT(end, row) << file;
        const int opacity = qRed(icons.pixel(w, end));
        set_pixel(file, w, end, qRgb(opacity, opacity, opacity));
        const int below = qRed(icons.pixel(w, row));
        set_pixel(file, w, row, qRgb(below, below ^ 0xff, below ^ 0xff));
    };
    end_first_icon_at("iconappl.png", 11);
    end_first_icon_at("iconappl_vga.png", 23);
    EXPECT_TRUE(check_skin(m_folder, true).complete()) << problem_of("iconappl");
    end_first_icon_at("iconappl.png", 12);
    EXPECT_NE(problem_of("iconappl.png").find("part 0 is 13 rows high"), std::string::npos) << problem_of("iconappl.png");
    end_first_icon_at("iconappl_vga.png", 24);
    EXPECT_NE(problem_of("iconappl_vga.png").find("part 0 is 25 rows high"), std::string::npos)
        << problem_of("iconappl_vga.png");
}

TEST_F(SkinCheck, ValueOutsideTheSmallestScreenIsReported)
{
    QImage timer(QString::fromStdString((m_folder / "Timer.png").string()));
    // Value 2 (row size) pushed to y = 250: below a 240-pixel-high screen.
    set_pixel("Timer.png", timer.width() / 2 + 2, 0, qRgb(200, 232, 250));
    EXPECT_NE(problem_of("Timer.png").find("outside"), std::string::npos) << problem_of("Timer.png");
}

TEST_F(SkinCheck, UndecodableFileIsReported)
{
    { std::ofstream(m_folder / "BG.png") << "not a picture"; }
    EXPECT_NE(problem_of("BG.png").find("cannot be decoded"), std::string::npos);
}

}  // namespace
}  // namespace zt::skintool
