#include "skins/unzippo.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/testing/temp_folder.h"
#include "skins/testing/zip_writer.h"

namespace zt::skins {
namespace {

using testing::bytes_of;
using testing::make_zip;
using testing::ZipEntry;
using testing::ZipLayout;

CUnzippo::Result extract_bytes(const std::vector<uint8_t>& archive, std::optional<std::string_view> member = std::nullopt,
                               std::optional<std::string_view> password = std::nullopt) {
    MemoryArchiveInput input(archive);
    return CUnzippo::extract(input, member, password);
}

std::vector<uint8_t> pattern(size_t size) {
    std::vector<uint8_t> data(size);
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>((i * 7) ^ (i >> 5));
    return data;
}

TEST(UnzippoMembers, StoredAndDeflatedExtractToIdenticalBytes) {
    std::vector<uint8_t> data = pattern(50000);
    auto archive = make_zip({ { "stored.bmp", data, 0 }, { "packed.bmp", data, 8 } });
    auto stored = extract_bytes(archive, "stored.bmp");
    auto packed = extract_bytes(archive, "packed.bmp");
    ASSERT_TRUE(stored.block) << static_cast<int>(stored.error);
    ASSERT_TRUE(packed.block) << static_cast<int>(packed.error);
    EXPECT_EQ(*stored.block, data);
    EXPECT_EQ(*packed.block, data);
}

TEST(UnzippoMembers, NoNameSelectsTheFirstRecordWhateverItIsCalled) {
    auto archive = make_zip({ { "whatever.name", bytes_of("first"), 8 }, { "Clock.bmp", bytes_of("second"), 0 } });
    auto first = extract_bytes(archive);
    ASSERT_TRUE(first.block);
    EXPECT_EQ(*first.block, bytes_of("first"));
    EXPECT_EQ(*extract_bytes(archive, "").block, bytes_of("first"));
}

TEST(UnzippoMembers, NamesMatchIgnoringAsciiCaseOnly) {
    auto archive = make_zip({ { "CLOCK.PNG", bytes_of("clock"), 0 }, { "\xC3\x89t\xC3\xA9.png", bytes_of("summer"), 0 } });
    EXPECT_EQ(*extract_bytes(archive, "clock.png").block, bytes_of("clock"));
    EXPECT_EQ(*extract_bytes(archive, "Clock.Png").block, bytes_of("clock"));
    EXPECT_EQ(*extract_bytes(archive, "\xC3\x89T\xC3\xA9.PNG").block, bytes_of("summer")) << "ASCII letters fold";
    auto other_case = extract_bytes(archive, "\xC3\xA9t\xC3\xA9.png");  // lower-case E acute first
    EXPECT_FALSE(other_case.block) << "non-ASCII letters are not folded";
    EXPECT_EQ(other_case.error, UnzipError::NoSuchMember);
    EXPECT_EQ(extract_bytes(archive, "missing.png").error, UnzipError::NoSuchMember);
    EXPECT_FALSE(extract_bytes(archive, std::string(CUnzippo::kMaxNameLength + 1, 'a')).block);
}

TEST(UnzippoMembers, ZeroSizeMemberIsAnEmptyBlockNotAFailure) {
    auto archive = make_zip({ { "empty", {}, 0 }, { "empty8", {}, 8 } });
    auto stored = extract_bytes(archive, "empty");
    ASSERT_TRUE(stored.block);
    EXPECT_TRUE(stored.block->empty());
    auto packed = extract_bytes(archive, "empty8");
    ASSERT_TRUE(packed.block);
    EXPECT_TRUE(packed.block->empty());
}

TEST(UnzippoMembers, ExtraFieldsAndCommentsAreSteppedOver) {
    ZipEntry a { "a.bin", bytes_of("alpha"), 0 };
    a.central_extra = std::vector<uint8_t>(37, 0xEE);
    a.local_extra = std::vector<uint8_t>(5, 0xDD);  // the local extra differs from the central one
    a.comment = "a comment PK\x01\x02 with a signature-like run";
    ZipEntry b { "b.bin", bytes_of("bravo"), 8 };
    b.central_extra = std::vector<uint8_t>(3, 0x11);
    b.local_extra = std::vector<uint8_t>(300, 0x22);
    ZipEntry c { "c.bin", bytes_of("charlie"), 0 };
    auto archive = make_zip({ a, b, c });
    EXPECT_EQ(*extract_bytes(archive, "a.bin").block, bytes_of("alpha"));
    EXPECT_EQ(*extract_bytes(archive, "b.bin").block, bytes_of("bravo"));
    EXPECT_EQ(*extract_bytes(archive, "c.bin").block, bytes_of("charlie"));
}

TEST(UnzippoMembers, ManyEntriesAreAllIndexed) {
    std::vector<ZipEntry> entries;
    for (int i = 0; i < 300; ++i) entries.push_back({ "file" + std::to_string(i), bytes_of(std::to_string(i * i)), 0 });
    auto archive = make_zip(entries);
    for (int i = 0; i < 300; i += 37)
        EXPECT_EQ(*extract_bytes(archive, "FILE" + std::to_string(i)).block, bytes_of(std::to_string(i * i)));
}

TEST(UnzippoMembers, StreamEndingEarlyStillFillsTheBlockSize) {
    // A deflated member whose central record claims more bytes than the stream holds.
    auto archive = make_zip({ { "short", bytes_of("0123456789"), 8 } });
    // Patch the uncompressed size in the central record (offset 24 after its signature).
    size_t central = 0;
    for (size_t i = 0; i + 4 <= archive.size(); ++i)
        if (archive[i] == 0x50 && archive[i + 1] == 0x4B && archive[i + 2] == 1 && archive[i + 3] == 2) central = i;
    archive[central + 24] = 14;
    auto result = extract_bytes(archive, "short");
    ASSERT_TRUE(result.block);
    ASSERT_EQ(result.block->size(), 14u);
    EXPECT_EQ(std::vector<uint8_t>(result.block->begin(), result.block->begin() + 10), bytes_of("0123456789"));
    EXPECT_EQ((*result.block)[13], 0);
}

TEST(UnzippoEndRecord, CommentUpToTheSearchLimitIsFound) {
    // Around each boundary of the 1 KB backwards reads, and the longest comment that fits.
    for (size_t length : { 0, 1, 2, 3, 4, 5, 998, 999, 1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 2026, 2027, 2028,
                           2029, 2030, 2031, 65512, 65513 }) {
        ZipLayout layout;
        layout.archive_comment = std::string(length, 'c');
        auto archive = make_zip({ { "m", bytes_of("member"), 0 } }, layout);
        auto result = extract_bytes(archive);
        ASSERT_TRUE(result.block) << "comment length " << length;
        EXPECT_EQ(*result.block, bytes_of("member"));
    }
}

TEST(UnzippoEndRecord, SignatureBeyondTheSearchLimitIsNotFound) {
    ZipLayout layout;
    layout.archive_comment = std::string(65513, 'c');
    layout.trailing = { 'x' };
    auto archive = make_zip({ { "m", bytes_of("member"), 0 } }, layout);
    EXPECT_EQ(extract_bytes(archive).error, UnzipError::NotZip);
}

TEST(UnzippoEndRecord, TheSignatureNearestTheEndWins) {
    // A second end record inside the comment claims to be a multi-disk archive.
    ZipLayout layout;
    layout.archive_comment = std::string("PK\x05\x06\x01\x00\x00\x00\x01\x00\x01\x00", 12) + std::string(10, '\0');
    auto archive = make_zip({ { "m", bytes_of("member"), 0 } }, layout);
    EXPECT_EQ(extract_bytes(archive).error, UnzipError::Unsupported);
}

TEST(UnzippoEndRecord, FilesThatAreNotArchivesGiveNoBlock) {
    EXPECT_EQ(extract_bytes(bytes_of("BM this is a bitmap, not an archive")).error, UnzipError::NotZip);
    EXPECT_EQ(extract_bytes({}).error, UnzipError::NotZip);
    EXPECT_EQ(extract_bytes(bytes_of("PK\x05")).error, UnzipError::NotZip);
    // A signature with no room for the record's fields after it.
    EXPECT_EQ(extract_bytes(bytes_of("PK\x05\x06......")).error, UnzipError::ReadError);
}

TEST(UnzippoEndRecord, MultiDiskAndMismatchedCountsAreUnsupported) {
    ZipLayout disk;
    disk.this_disk = 1;
    EXPECT_EQ(extract_bytes(make_zip({ { "m", bytes_of("x"), 0 } }, disk)).error, UnzipError::Unsupported);
    ZipLayout counts;
    counts.total_entries = 2;
    EXPECT_EQ(extract_bytes(make_zip({ { "m", bytes_of("x"), 0 } }, counts)).error, UnzipError::Unsupported);
}

TEST(UnzippoEndRecord, DirectoryBeyondTheEndRecordIsNotAnArchive) {
    auto archive = make_zip({ { "m", bytes_of("x"), 0 } });
    size_t end = archive.size() - 22;
    archive[end + 16] = 0xF0;  // directory offset far past the end record
    EXPECT_EQ(extract_bytes(archive).error, UnzipError::NotZip);
}

TEST(UnzippoEndRecord, EmptyArchiveGivesNoBlock) {
    auto archive = make_zip({});
    EXPECT_FALSE(extract_bytes(archive).block);
    EXPECT_FALSE(extract_bytes(archive, "x").block);
}

TEST(UnzippoEncryption, RightPasswordDecryptsWrongOrMissingFails) {
    ZipEntry secret { "secret.bmp", pattern(40000), 8 };
    secret.password = "tiger";
    ZipEntry stored { "stored.bmp", bytes_of("plain words"), 0 };
    stored.password = "tiger";
    stored.data_descriptor_flag = true;  // the check byte then comes from the modification time
    auto archive = make_zip({ secret, stored });
    auto good = extract_bytes(archive, "secret.bmp", "tiger");
    ASSERT_TRUE(good.block) << static_cast<int>(good.error);
    EXPECT_EQ(*good.block, pattern(40000));
    EXPECT_EQ(*extract_bytes(archive, "stored.bmp", "tiger").block, bytes_of("plain words"));
    // A wrong password fails the header check (1 in 256 wrong passwords would pass it; this
    // one does not).
    EXPECT_EQ(extract_bytes(archive, "secret.bmp", "lion").error, UnzipError::BadPassword);
    EXPECT_EQ(extract_bytes(archive, "secret.bmp").error, UnzipError::BadPassword);
}

TEST(UnzippoDamage, CorruptDeflateDataFails) {
    std::vector<uint8_t> data = pattern(5000);
    auto archive = make_zip({ { "m", data, 8 } });
    // Local header 30 + name 1: the deflate stream starts at 31. 0xFF makes an invalid block type.
    for (size_t i = 31; i < 40; ++i) archive[i] = 0xFF;
    EXPECT_EQ(extract_bytes(archive).error, UnzipError::CorruptData);
}

TEST(UnzippoDamage, ForgedSizesAreRefusedBeforeAllocating) {
    auto archive = make_zip({ { "m", bytes_of("tiny"), 8 } });
    size_t central = archive.size() - 22 - (46 + 1);
    for (int i = 0; i < 4; ++i) archive[central + 24 + i] = 0xFF;  // 4 GB uncompressed
    EXPECT_EQ(extract_bytes(archive).error, UnzipError::TooLarge);
    auto stored = make_zip({ { "m", bytes_of("tiny"), 0 } });
    stored[stored.size() - 22 - 47 + 24] = 200;  // a stored member larger than its data
    EXPECT_EQ(extract_bytes(stored).error, UnzipError::CorruptData);
}

TEST(UnzippoDamage, MembersLargerThanTheLargestSkinPictureAreRefused) {
    EXPECT_EQ(CUnzippo::kMaxMemberSize, 4916278u) << "four 640 x 480 screens at 4 bytes a pixel, headers and palette";
    // A picture of exactly the bound still extracts.
    std::vector<uint8_t> largest(CUnzippo::kMaxMemberSize, 0x5A);
    auto fits = extract_bytes(make_zip({ { "big.bmp", largest, 0 } }));
    ASSERT_TRUE(fits.block);
    EXPECT_EQ(fits.block->size(), largest.size());
    // A deflated member whose declared size passes the deflate-ratio check but exceeds the bound
    // by one byte: refused as too large rather than allocated and inflated.
    std::vector<uint8_t> noise(20000);
    uint32_t seed = 99;
    for (uint8_t& byte : noise) byte = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
    auto archive = make_zip({ { "m", noise, 8 } });
    const size_t central = archive.size() - 22 - (46 + 1);
    const uint32_t declared = static_cast<uint32_t>(CUnzippo::kMaxMemberSize + 1);
    for (int i = 0; i < 4; ++i) archive[central + 24 + i] = static_cast<uint8_t>(declared >> (8 * i));
    auto refused = extract_bytes(archive);
    EXPECT_FALSE(refused.block);
    EXPECT_EQ(refused.error, UnzipError::TooLarge);
}

TEST(UnzippoDamage, TruncatedDirectoryAndMemberData) {
    auto archive = make_zip({ { "m", pattern(3000), 0 } });
    // Name length larger than the directory.
    auto long_name = archive;
    long_name[long_name.size() - 22 - 47 + 28] = 0xFF;
    long_name[long_name.size() - 22 - 47 + 29] = 0xFF;
    EXPECT_FALSE(extract_bytes(long_name).block);
    // Local header offset pointing past the end of the file.
    auto far = archive;
    far[far.size() - 22 - 47 + 44] = 0x7F;
    EXPECT_FALSE(extract_bytes(far).block);
}

TEST(UnzippoFiles, MissingFileOrFolderCannotBeOpened) {
    EXPECT_EQ(CUnzippo::extract(std::filesystem::path("/nonexistent/zt/archive.zip")).error, UnzipError::CannotOpen);
    EXPECT_EQ(CUnzippo::extract(std::filesystem::temp_directory_path()).error, UnzipError::CannotOpen);
    const zt::platform::testing::TempFolder dir { "zt-unzip" };
    ASSERT_FALSE(dir.path().empty());
    auto path = dir / "Clock.zip";
    ASSERT_TRUE(testing::write_bytes(path, make_zip({ { "x", bytes_of("from a file"), 8 } })));
    auto result = CUnzippo::extract(path);
    ASSERT_TRUE(result.block);
    EXPECT_EQ(*result.block, bytes_of("from a file"));
}

TEST(UnzippoIndex, HashTakesBytesAsSignedAndBitsFollowTheCount) {
    EXPECT_EQ(CUnzippo::name_hash(""), 0u);
    EXPECT_EQ(CUnzippo::name_hash(nullptr), 0u);
    EXPECT_EQ(CUnzippo::name_hash("a"), 97u * 37u);
    EXPECT_EQ(CUnzippo::name_hash("ab"), 97u * 37u * 5u + 98u * 37u);
    EXPECT_EQ(CUnzippo::name_hash("\xC3"), static_cast<uint32_t>(-61 * 37));
    EXPECT_EQ(CUnzippo::index_bits_for(0), 5u);
    EXPECT_EQ(CUnzippo::index_bits_for(16), 5u);
    EXPECT_EQ(CUnzippo::index_bits_for(17), 6u);
    EXPECT_EQ(CUnzippo::index_bits_for(32), 6u);
    EXPECT_EQ(CUnzippo::index_bits_for(33), 7u);
    EXPECT_EQ(CUnzippo::index_bits_for(64), 7u);
    EXPECT_EQ(CUnzippo::index_bits_for(65535), 17u);
}

}  // namespace
}  // namespace zt::skins
