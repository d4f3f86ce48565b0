#include "platform/base/mapped_file.h"
#include "platform/testing/temp_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <future>

namespace zt::platform {
namespace {

namespace fs = std::filesystem;
using Sharing = MappedFile::Sharing;

class MappedFileTest : public ::testing::Test {
protected:
    MappedFileTest() {
        std::FILE* f = std::fopen(file().c_str(), "wb");
        std::fputs("ZUNC", f);
        std::fclose(f);
    }
    fs::path file() const { return m_folder / "data.dat"; }
    testing::TempFolder m_folder { "zt-mapped-test" };
};

TEST_F(MappedFileTest, ReadSharedOpensCoexistAndKeepExclusiveOpensOut) {
    auto first = MappedFile::open(file(), Sharing::ReadShared);
    auto second = MappedFile::open(file(), Sharing::ReadShared);
    ASSERT_TRUE(first && second) << "readers of a read-only file share it";
    EXPECT_EQ(first->size(), 4u);
    EXPECT_EQ(second->bytes()[3], 'C');
    EXPECT_FALSE(MappedFile::open(file(), Sharing::Exclusive));
    EXPECT_TRUE(MappedFile::open(file(), Sharing::Shared)) << "an unlocked open takes no part";
    first.reset();
    EXPECT_FALSE(MappedFile::open(file(), Sharing::Exclusive)) << "the second reader still holds it";
    second.reset();
    auto exclusive = MappedFile::open(file(), Sharing::Exclusive);
    ASSERT_TRUE(exclusive);
    EXPECT_FALSE(MappedFile::open(file(), Sharing::ReadShared));
    EXPECT_FALSE(MappedFile::open(file(), Sharing::Exclusive));
}

TEST_F(MappedFileTest, OnlyRegularFilesAreMappedAndAFifoNeverWaits) {
    const fs::path fifo = m_folder / "fifo.dat";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (Sharing sharing : { Sharing::Shared, Sharing::ReadShared, Sharing::Exclusive }) {
        auto opening = std::async(std::launch::async, [&] { return MappedFile::open(fifo, sharing).has_value(); });
        if (opening.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            std::FILE* unblock = std::fopen(fifo.c_str(), "wb");  // lets the hung open go before failing
            if (unblock) std::fclose(unblock);
            FAIL() << "opening a FIFO waited for a writer";
        }
        EXPECT_FALSE(opening.get());
    }
    EXPECT_FALSE(MappedFile::open(m_folder.path())) << "a folder";
    EXPECT_FALSE(MappedFile::open(m_folder / "missing.dat"));
    EXPECT_FALSE(MappedFile::open("/dev/null")) << "a device";
}

}  // namespace
}  // namespace zt::platform
