#include "platform/dbvol/property_codec.h"

#include <limits>

#include "platform/base/le_bytes.h"

namespace zt::platform::dbvol::detail {
namespace {

enum Kind : uint8_t { kText = 1, kNumber32 = 2, kNumber64 = 3, kBytes = 4 };
constexpr size_t kHeaderBytes = 2;
constexpr size_t kPropertyHeaderBytes = 2 + 1 + 4;

void append_header(std::vector<uint8_t>& out, uint16_t id, Kind kind, uint32_t length) {
    uint8_t header[kPropertyHeaderBytes];
    write_le16(header, id);
    header[2] = kind;
    write_le32(header + 3, length);
    out.insert(out.end(), header, header + sizeof header);
}

// Appends one property; false when its value is too large.
bool append_property(std::vector<uint8_t>& out, const Property& prop) {
    if (auto* text = std::get_if<std::u16string>(&prop.value)) {
        size_t length = text->size() * 2;
        if (length > kMaxPropertyBytes) return false;
        append_header(out, prop.id, kText, static_cast<uint32_t>(length));
        for (char16_t unit : *text) {
            out.push_back(static_cast<uint8_t>(unit));
            out.push_back(static_cast<uint8_t>(unit >> 8));
        }
    } else if (auto* n32 = std::get_if<uint32_t>(&prop.value)) {
        append_header(out, prop.id, kNumber32, 4);
        size_t at = out.size();
        out.resize(at + 4);
        write_le32(out.data() + at, *n32);
    } else if (auto* n64 = std::get_if<int64_t>(&prop.value)) {
        append_header(out, prop.id, kNumber64, 8);
        size_t at = out.size();
        out.resize(at + 8);
        write_le64(out.data() + at, static_cast<uint64_t>(*n64));
    } else {
        const auto& bytes = std::get<std::vector<uint8_t>>(prop.value);
        if (bytes.size() > kMaxPropertyBytes) return false;
        append_header(out, prop.id, kBytes, static_cast<uint32_t>(bytes.size()));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return true;
}

std::optional<Property> decode_value(uint16_t id, uint8_t kind, std::span<const uint8_t> value) {
    switch (kind) {
    case kText: {
        if (value.size() % 2 != 0) return std::nullopt;
        std::u16string text(value.size() / 2, u'\0');
        for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(read_le16(value.data() + 2 * i));
        return Property { id, std::move(text) };
    }
    case kNumber32:
        if (value.size() != 4) return std::nullopt;
        return Property { id, read_le32(value.data()) };
    case kNumber64:
        if (value.size() != 8) return std::nullopt;
        return Property { id, static_cast<int64_t>(read_le64(value.data())) };
    case kBytes:
        return Property { id, std::vector<uint8_t>(value.begin(), value.end()) };
    default:
        return std::nullopt;
    }
}

}  // namespace

std::optional<std::vector<uint8_t>> encode_properties(const std::vector<Property>& props) {
    if (props.size() > std::numeric_limits<uint16_t>::max()) return std::nullopt;
    std::vector<uint8_t> out(kHeaderBytes);
    write_le16(out.data(), static_cast<uint16_t>(props.size()));
    for (const auto& prop : props) {
        if (!append_property(out, prop)) return std::nullopt;
    }
    return out;
}

std::optional<std::vector<Property>> decode_properties(std::span<const uint8_t> bytes) {
    if (bytes.size() < kHeaderBytes) return std::nullopt;
    uint16_t count = read_le16(bytes.data());
    size_t at = kHeaderBytes;
    std::vector<Property> props;
    props.reserve(count);
    for (uint16_t i = 0; i < count; ++i) {
        if (bytes.size() - at < kPropertyHeaderBytes) return std::nullopt;
        uint16_t id = read_le16(bytes.data() + at);
        uint8_t kind = bytes[at + 2];
        uint32_t length = read_le32(bytes.data() + at + 3);
        at += kPropertyHeaderBytes;
        if (length > kMaxPropertyBytes || bytes.size() - at < length) return std::nullopt;
        auto prop = decode_value(id, kind, bytes.subspan(at, length));
        if (!prop) return std::nullopt;
        props.push_back(std::move(*prop));
        at += length;
    }
    if (at != bytes.size()) return std::nullopt;
    return props;
}

}  // namespace zt::platform::dbvol::detail
