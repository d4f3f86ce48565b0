#include "platform/base/file_stamp.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace zt::platform {
namespace {

namespace fs = std::filesystem;

TEST(FileStamp, TellsVersionsOfARegularFileApartAndNothingElseHasOne) {
    const fs::path folder = fs::temp_directory_path() / ("zt-file-stamp-" + std::to_string(std::random_device()()));
    ASSERT_TRUE(fs::create_directories(folder));
    const fs::path file = folder / "a.png";
    std::ofstream(file) << "one";
    const auto first = regular_file_stamp(file);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size, 3);
    EXPECT_EQ(regular_file_stamp(file), first) << "unchanged";

    std::ofstream(folder / "b.png") << "two";
    fs::rename(folder / "b.png", file);
    const auto replaced = regular_file_stamp(file);
    ASSERT_TRUE(replaced);
    EXPECT_NE(replaced->inode, first->inode) << "same size, another file";
    EXPECT_NE(replaced, first);

    EXPECT_FALSE(regular_file_stamp(folder)) << "a folder";
    EXPECT_FALSE(regular_file_stamp(folder / "missing.png"));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace zt::platform
