#include "platform/windows/window_record.h"

#include <string>

#include "platform/base/le_bytes.h"

namespace zt::platform::detail {
namespace {

constexpr std::uint32_t kRecordMagic = 0x5257545A;  // "ZTWR" as little-endian bytes
constexpr std::uint32_t kRecordVersion = 1;
constexpr std::size_t kFixedBytes = 40;
constexpr std::uint32_t kVisibleFlag = 1;

void append_text(std::vector<std::uint8_t>& out, const std::u16string& text) {
    std::size_t at = out.size();
    out.resize(at + 4 + 2 * text.size());
    write_le32(&out[at], static_cast<std::uint32_t>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) write_le16(&out[at + 4 + 2 * i], text[i]);
}

// Reads one counted text at `at`, advancing it; nullopt when it runs past the end or its limit.
std::optional<std::u16string> take_text(std::span<const std::uint8_t> bytes, std::size_t& at,
                                        std::size_t limit) {
    if (bytes.size() - at < 4) return std::nullopt;
    std::size_t units = read_le32(&bytes[at]);
    at += 4;
    if (units > limit || (bytes.size() - at) / 2 < units) return std::nullopt;
    std::u16string text(units, u'\0');
    for (std::size_t i = 0; i < units; ++i) text[i] = read_le16(&bytes[at + 2 * i]);
    at += 2 * units;
    return text;
}

}  // namespace

std::vector<std::uint8_t> encode_window_record(const WindowInfo& info) {
    if (info.class_name.size() > kMaxClassNameUnits || info.title.size() > kMaxTitleUnits ||
        info.module_path.size() > kMaxModulePathUnits)
        return {};
    std::vector<std::uint8_t> out(kFixedBytes);
    write_le32(&out[0], kRecordMagic);
    write_le32(&out[4], kRecordVersion);
    write_le32(&out[8], static_cast<std::uint32_t>(info.process_id));
    write_le32(&out[12], info.visible ? kVisibleFlag : 0);
    write_le32(&out[16], static_cast<std::uint32_t>(info.rect.left));
    write_le32(&out[20], static_cast<std::uint32_t>(info.rect.top));
    write_le32(&out[24], static_cast<std::uint32_t>(info.rect.right));
    write_le32(&out[28], static_cast<std::uint32_t>(info.rect.bottom));
    write_le64(&out[32], info.z_order);
    append_text(out, info.class_name);
    append_text(out, info.title);
    append_text(out, info.module_path);
    return out;
}

std::optional<WindowInfo> decode_window_record(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFixedBytes || read_le32(&bytes[0]) != kRecordMagic ||
        read_le32(&bytes[4]) != kRecordVersion)
        return std::nullopt;
    std::uint32_t flags = read_le32(&bytes[12]);
    if ((flags & ~kVisibleFlag) != 0) return std::nullopt;
    WindowInfo info;
    info.process_id = static_cast<int>(read_le32(&bytes[8]));
    info.visible = (flags & kVisibleFlag) != 0;
    info.rect.left = static_cast<std::int32_t>(read_le32(&bytes[16]));
    info.rect.top = static_cast<std::int32_t>(read_le32(&bytes[20]));
    info.rect.right = static_cast<std::int32_t>(read_le32(&bytes[24]));
    info.rect.bottom = static_cast<std::int32_t>(read_le32(&bytes[28]));
    info.z_order = read_le64(&bytes[32]);
    std::size_t at = kFixedBytes;
    auto class_name = take_text(bytes, at, kMaxClassNameUnits);
    if (!class_name) return std::nullopt;
    auto title = take_text(bytes, at, kMaxTitleUnits);
    if (!title) return std::nullopt;
    auto module_path = take_text(bytes, at, kMaxModulePathUnits);
    if (!module_path || at != bytes.size() || info.process_id <= 0) return std::nullopt;
    info.class_name = std::move(*class_name);
    info.title = std::move(*title);
    info.module_path = std::move(*module_path);
    return info;
}

}  // namespace zt::platform::detail
