// The published record of a window: what is written reads back, and damage is refused.
#include "platform/windows/window_record.h"

#include <gtest/gtest.h>

#include "platform/base/le_bytes.h"

namespace zt::platform::detail {
namespace {

WindowInfo sample() {
    WindowInfo info;
    info.class_name = u"ZUNTIME{Ünïcode-Класс}";
    info.title = u"Zun Time \u23F0";
    info.process_id = 4242;
    info.module_path = u"\\Windows\\ZunTime.exe";
    info.visible = true;
    info.rect = { -20, -10, 460, 630 };
    info.z_order = 0x0123456789ABCDEFull;
    return info;
}

TEST(WindowRecord, RoundTripKeepsEveryField) {
    auto bytes = encode_window_record(sample());
    auto back = decode_window_record(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->class_name, sample().class_name);
    EXPECT_EQ(back->title, sample().title);
    EXPECT_EQ(back->process_id, 4242);
    EXPECT_EQ(back->module_path, sample().module_path);
    EXPECT_TRUE(back->visible);
    EXPECT_EQ(back->rect, sample().rect);
    EXPECT_EQ(back->z_order, sample().z_order);
    EXPECT_EQ(back->handle, 0u) << "the handle is the file's name, not part of the record";
}

TEST(WindowRecord, EveryTruncationAndTrailingBytesAreRefused) {
    auto bytes = encode_window_record(sample());
    for (std::size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(decode_window_record({ bytes.data(), size })) << "cut at " << size;
    bytes.push_back(0);
    EXPECT_FALSE(decode_window_record(bytes)) << "a trailing byte";
}

TEST(WindowRecord, DamagedFieldsAreRefused) {
    const auto good = encode_window_record(sample());
    struct Case {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
    } cases[] = {
        { "magic", 0, 0 },
        { "version", 4, 2 },
        { "process id zero", 8, 0 },
        { "process id out of range", 8, 0x80000000 },
        { "unknown flag", 12, 3 },
        { "class length past the end", 40, 0x7FFFFFFF },
        { "class length over the limit", 40, static_cast<std::uint32_t>(kMaxClassNameUnits + 1) },
    };
    for (const auto& c : cases) {
        auto bad = good;
        write_le32(&bad[c.offset], c.value);
        EXPECT_FALSE(decode_window_record(bad)) << c.what;
    }
}

TEST(WindowRecord, OverlongTextsAreNotWritten) {
    WindowInfo info = sample();
    info.class_name.assign(kMaxClassNameUnits + 1, u'A');
    EXPECT_TRUE(encode_window_record(info).empty());
    info = sample();
    info.title.assign(kMaxTitleUnits + 1, u'T');
    EXPECT_TRUE(encode_window_record(info).empty());
    info = sample();
    info.title.assign(kMaxTitleUnits, u'T');
    EXPECT_TRUE(decode_window_record(encode_window_record(info))) << "the limit itself is fine";
}

}  // namespace
}  // namespace zt::platform::detail
