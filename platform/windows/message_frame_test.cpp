// The stream of frames between senders and windows: whole frames out, nothing else.
#include "platform/windows/message_frame.h"

#include <gtest/gtest.h>

#include "platform/base/le_bytes.h"
#include "platform/windows/message.h"

namespace zt::platform::detail {
namespace {

std::vector<std::uint8_t> bytes_of(std::initializer_list<std::uint8_t> list) { return list; }

TEST(MessageFrame, FramesSurviveArrivingOneByteAtATime) {
    auto payload = bytes_of({ 1, 2, 3, 250 });
    auto first = encode_frame(FrameKind::Send, WM_COPYDATA, 0x11223344, 1130, payload);
    auto second = encode_frame(FrameKind::Post, 0x0469, 7, 0xFFFFFFFF);
    std::vector<std::uint8_t> stream = first;
    stream.insert(stream.end(), second.begin(), second.end());

    FrameReader reader;
    std::vector<Frame> frames;
    for (std::uint8_t b : stream) {
        reader.append({ &b, 1 });
        Frame frame;
        while (reader.next(frame) == FrameReader::Status::Frame) frames.push_back(frame);
    }
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].kind, FrameKind::Send);
    EXPECT_EQ(frames[0].number, WM_COPYDATA);
    EXPECT_EQ(frames[0].wparam, 0x11223344u);
    EXPECT_EQ(frames[0].lparam, 1130u);
    EXPECT_EQ(frames[0].payload, payload);
    EXPECT_EQ(frames[1].kind, FrameKind::Post);
    EXPECT_EQ(frames[1].number, 0x0469u);
    EXPECT_EQ(frames[1].lparam, 0xFFFFFFFFu);
    EXPECT_TRUE(frames[1].payload.empty());
    EXPECT_FALSE(reader.holds_partial_frame());
}

TEST(MessageFrame, HeaderIsLittleEndianAtFixedOffsets) {
    auto frame = encode_frame(FrameKind::Post, 0x01020304, 0x05060708, 0x090A0B0C);
    ASSERT_EQ(frame.size(), kFrameHeaderBytes);
    EXPECT_EQ(frame[0], 'Z');
    EXPECT_EQ(frame[3], 'M');
    EXPECT_EQ(read_le32(&frame[4]), 1u);
    EXPECT_EQ(frame[8], 0x04);
    EXPECT_EQ(frame[12], 0x08);
    EXPECT_EQ(frame[16], 0x0C);
    EXPECT_EQ(read_le32(&frame[20]), 0u);
}

TEST(MessageFrame, LargestPayloadPassesAndLargerIsNotEncoded) {
    std::vector<std::uint8_t> largest(kMaxCopyDataBytes, 0xAB);
    auto frame = encode_frame(FrameKind::Send, WM_COPYDATA, 0, 0, largest);
    FrameReader reader;
    reader.append(frame);
    Frame out;
    ASSERT_EQ(reader.next(out), FrameReader::Status::Frame);
    EXPECT_EQ(out.payload.size(), kMaxCopyDataBytes);

    std::vector<std::uint8_t> too_large(kMaxCopyDataBytes + 1);
    EXPECT_TRUE(encode_frame(FrameKind::Send, WM_COPYDATA, 0, 0, too_large).empty());
}

// A reader must not wait for (or buffer) a body it will never accept.
TEST(MessageFrame, ForeignOrOversizedHeadersAreMalformedAtOnce) {
    auto good = encode_frame(FrameKind::Post, 1, 2, 3);
    struct Case {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
    } cases[] = {
        { "wrong magic", 0, 0x50545448 },
        { "unknown kind", 4, 9 },
        { "kind zero", 4, 0 },
        { "payload over the limit", 20, static_cast<std::uint32_t>(kMaxCopyDataBytes + 1) },
        { "huge payload", 20, 0xFFFFFFFF },
    };
    for (const auto& c : cases) {
        auto bad = good;
        write_le32(&bad[c.offset], c.value);
        FrameReader reader;
        reader.append(bad);
        Frame frame;
        EXPECT_EQ(reader.next(frame), FrameReader::Status::Malformed) << c.what;
        // Once malformed, later good bytes do not resynchronise it.
        reader.append(good);
        EXPECT_EQ(reader.next(frame), FrameReader::Status::Malformed) << c.what;
    }
}

TEST(MessageFrame, CutShortFrameIsReportedAsPartial) {
    auto frame = encode_frame(FrameKind::Send, WM_COPYDATA, 0, 0, std::vector<std::uint8_t>(300, 1));
    FrameReader reader;
    reader.append({ frame.data(), frame.size() - 1 });
    Frame out;
    EXPECT_EQ(reader.next(out), FrameReader::Status::NeedMore);
    EXPECT_TRUE(reader.holds_partial_frame());
    EXPECT_EQ(reader.wanted(), 1u);
}

}  // namespace
}  // namespace zt::platform::detail
