#pragma once
// The byte stream between a sender and a window's socket. Every frame is little-endian:
//
//   offset 0   u32 magic "ZTWM"
//   offset 4   u32 kind: 1 post, 2 send, 3 reply
//   offset 8   u32 message number (a reply echoes the number it answers)
//   offset 12  u32 wparam (a reply: the answer)
//   offset 16  u32 lparam (WM_COPYDATA: the data word)
//   offset 20  u32 payload length, at most kMaxCopyDataBytes
//   offset 24  payload
//
// A stream that breaks these rules cannot be resynchronised, so the reader reports it
// malformed and the connection is dropped. Whether a well-formed frame makes sense (a payload
// on anything but WM_COPYDATA, a posted WM_COPYDATA) is the receiver's question, not the codec's.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zt::platform::detail {

enum class FrameKind : std::uint32_t { Post = 1, Send = 2, Reply = 3 };

inline constexpr std::size_t kFrameHeaderBytes = 24;

struct Frame {
    FrameKind kind { FrameKind::Post };
    std::uint32_t number { 0 };
    std::uint32_t wparam { 0 };
    std::uint32_t lparam { 0 };
    std::vector<std::uint8_t> payload;
};

// Empty when the payload is longer than a frame may carry.
std::vector<std::uint8_t> encode_frame(FrameKind kind, std::uint32_t number, std::uint32_t wparam,
                                       std::uint32_t lparam, std::span<const std::uint8_t> payload = {});

// Collects bytes as they arrive and cuts them into frames. Buffers at most one frame.
class FrameReader {
public:
    enum class Status { Frame, NeedMore, Malformed };

    void append(std::span<const std::uint8_t> bytes);
    // After Malformed the reader stays malformed.
    Status next(Frame& frame);
    // Bytes of a frame begun but not finished: a stream that ends here was cut short.
    bool holds_partial_frame() const { return m_used < m_buffer.size(); }
    // How many more bytes would complete the frame under way (at least 1 when unknown).
    std::size_t wanted() const;

private:
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_used { 0 };  // bytes of m_buffer already handed out as frames
    bool m_malformed { false };
};

}  // namespace zt::platform::detail
