#include "platform/windows/message_frame.h"

#include <algorithm>

#include "platform/base/le_bytes.h"
#include "platform/windows/message.h"

namespace zt::platform::detail {
namespace {

constexpr std::uint32_t kFrameMagic = 0x4D57545A;  // "ZTWM" as little-endian bytes

bool known_kind(std::uint32_t kind) {
    return kind == static_cast<std::uint32_t>(FrameKind::Post) ||
           kind == static_cast<std::uint32_t>(FrameKind::Send) ||
           kind == static_cast<std::uint32_t>(FrameKind::Reply);
}

}  // namespace

std::vector<std::uint8_t> encode_frame(FrameKind kind, std::uint32_t number, std::uint32_t wparam,
                                       std::uint32_t lparam, std::span<const std::uint8_t> payload) {
    if (payload.size() > kMaxCopyDataBytes) return {};
    std::vector<std::uint8_t> bytes(kFrameHeaderBytes + payload.size());
    write_le32(&bytes[0], kFrameMagic);
    write_le32(&bytes[4], static_cast<std::uint32_t>(kind));
    write_le32(&bytes[8], number);
    write_le32(&bytes[12], wparam);
    write_le32(&bytes[16], lparam);
    write_le32(&bytes[20], static_cast<std::uint32_t>(payload.size()));
    std::copy(payload.begin(), payload.end(), bytes.begin() + kFrameHeaderBytes);
    return bytes;
}

void FrameReader::append(std::span<const std::uint8_t> bytes) {
    if (m_malformed) return;
    // Drop what was handed out before growing, so the buffer never holds more than the
    // frame under way plus the latest read.
    if (m_used > 0) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_used));
        m_used = 0;
    }
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
}

std::size_t FrameReader::wanted() const {
    std::size_t have = m_buffer.size() - m_used;
    if (have < kFrameHeaderBytes) return kFrameHeaderBytes - have;
    std::size_t total = kFrameHeaderBytes + read_le32(&m_buffer[m_used + 20]);
    return total > have ? total - have : 1;
}

FrameReader::Status FrameReader::next(Frame& frame) {
    if (m_malformed) return Status::Malformed;
    std::size_t have = m_buffer.size() - m_used;
    if (have < kFrameHeaderBytes) return Status::NeedMore;
    const std::uint8_t* header = &m_buffer[m_used];
    std::uint32_t kind = read_le32(header + 4);
    std::uint32_t length = read_le32(header + 20);
    if (read_le32(header) != kFrameMagic || !known_kind(kind) || length > kMaxCopyDataBytes) {
        m_malformed = true;
        m_buffer.clear();
        m_used = 0;
        return Status::Malformed;
    }
    if (have < kFrameHeaderBytes + length) return Status::NeedMore;
    frame.kind = static_cast<FrameKind>(kind);
    frame.number = read_le32(header + 8);
    frame.wparam = read_le32(header + 12);
    frame.lparam = read_le32(header + 16);
    frame.payload.assign(header + kFrameHeaderBytes, header + kFrameHeaderBytes + length);
    m_used += kFrameHeaderBytes + length;
    return Status::Frame;
}

}  // namespace zt::platform::detail
