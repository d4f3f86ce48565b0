// The committed desktop icons are what the generator draws, at the size their folder names.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "data/skins/generator/desktop_icons.h"
#include "data/skins/tests/decoded_compare.h"
#include "platform/testing/temp_folder.h"

namespace zt::skinart {
namespace {

namespace fs = std::filesystem;

TEST(DesktopIcons, RerunningTheGeneratorReproducesTheCommittedIconsAtEverySize)
{
    // No text in the icons: only the raster engine's antialiasing may differ between machines.
    constexpr int kTolerance = 2;
    const fs::path committed = fs::path(ZT_DESKTOP_DIR) / "icons" / "hicolor";
    const zt::platform::testing::TempFolder made { "zt_desktop_icons" };
    ASSERT_FALSE(made.path().empty());
    ASSERT_TRUE(write_desktop_icons(made.path()).empty()) << "the generator could not write every icon";
    size_t compared = 0;
    for (const auto& entry : desktop_icons())
        for (int size : desktop_icon_sizes()) {
            const fs::path file = desktop_icon_file(committed, entry.name, size);
            const QImage image(QString::fromStdString(file.string()));
            ASSERT_FALSE(image.isNull()) << file << " is missing or cannot be decoded";
            EXPECT_EQ(image.size(), QSize(size, size)) << file;
            const Reproduction r = compare_decoded(desktop_icon_file(made.path(), entry.name, size), file);
            EXPECT_TRUE(r.problem.empty()) << file << ": " << r.problem;
            EXPECT_LE(r.worst, kTolerance) << file << " differs from the generator's output by " << r.worst << " at ("
                                           << r.where.x() << ", " << r.where.y() << "): made " << hex(r.made)
                                           << ", committed " << hex(r.committed);
            // An icon is a shape on a transparent ground, never an empty or filled square.
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << file << " has no transparent corner";
            EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << file << " is not opaque in the middle";
            ++compared;
        }
    EXPECT_EQ(compared, 24u);
    size_t on_disk = 0;
    for (const auto& item : fs::recursive_directory_iterator(committed))
        on_disk += item.is_regular_file() ? 1 : 0;
    EXPECT_EQ(on_disk, compared) << "a committed icon the generator does not draw";
}

}  // namespace
}  // namespace zt::skinart
