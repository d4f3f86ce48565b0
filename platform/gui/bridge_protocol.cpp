#include "platform/gui/bridge_protocol.h"

#include <array>
#include <map>

#include "platform/base/device_root.h"
#include "platform/base/le_bytes.h"
#include "platform/gui/key_codes.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform::gui::bridge {
namespace {

constexpr std::uint32_t kMagic = 0x5A544252;
constexpr std::uint32_t kVersion = 1;
// magic, version, verb, id, from x/y, to x/y, duration, key, text units, file bytes.
constexpr std::size_t kHeaderBytes = 12 * 4;

class Writer {
public:
    void u32(std::uint32_t value) {
        std::array<std::uint8_t, 4> bytes {};
        write_le32(bytes.data(), value);
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void units(std::u16string_view text) {
        for (char16_t unit : text) {
            m_bytes.push_back(static_cast<std::uint8_t>(unit));
            m_bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
    }
    void bytes(std::string_view text) { m_bytes.insert(m_bytes.end(), text.begin(), text.end()); }
    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::optional<std::uint32_t> u32() {
        if (m_bytes.size() - m_at < 4) return std::nullopt;
        const std::uint32_t value = read_le32(m_bytes.data() + m_at);
        m_at += 4;
        return value;
    }
    std::optional<std::int32_t> i32() {
        auto value = u32();
        if (!value) return std::nullopt;
        return static_cast<std::int32_t>(*value);
    }
    std::optional<std::u16string> units(std::size_t count) {
        if ((m_bytes.size() - m_at) / 2 < count) return std::nullopt;
        std::u16string text(count, u'\0');
        for (std::size_t i = 0; i < count; ++i) text[i] = read_le16(m_bytes.data() + m_at + 2 * i);
        m_at += 2 * count;
        return text;
    }
    std::optional<std::string> bytes(std::size_t count) {
        if (m_bytes.size() - m_at < count) return std::nullopt;
        std::string text(reinterpret_cast<const char*>(m_bytes.data() + m_at), count);
        m_at += count;
        return text;
    }
    bool at_end() const { return m_at == m_bytes.size(); }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at { 0 };
};

bool known_verb(std::uint32_t verb) { return verb >= 1 && verb <= static_cast<std::uint32_t>(Verb::Text); }

}  // namespace

const char* status_text(Status status) {
    switch (status) {
    case Status::Ok: return "done";
    case Status::Accepted: return "accepted";
    case Status::BadRequest: return "the program refused the request as malformed";
    case Status::NoWindow: return "the program shows no window";
    case Status::NoWindowAtPoint: return "the program has no window at that point";
    case Status::UnknownKey: return "the device has no key with that code";
    case Status::WriteFailed: return "the program could not write its answer";
    }
    return "unknown status";
}

std::vector<std::uint8_t> encode_request(const Request& request) {
    Writer out;
    out.u32(kMagic);
    out.u32(kVersion);
    out.u32(static_cast<std::uint32_t>(request.verb));
    out.u32(request.id);
    out.i32(request.from.x);
    out.i32(request.from.y);
    out.i32(request.to.x);
    out.i32(request.to.y);
    out.u32(request.duration_ms);
    out.u32(request.key_code);
    out.u32(static_cast<std::uint32_t>(request.text.size()));
    out.u32(static_cast<std::uint32_t>(request.output_file.size()));
    out.units(request.text);
    out.bytes(request.output_file);
    return out.take();
}

std::optional<Request> decode_request(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderBytes) return std::nullopt;
    Reader in(bytes);
    if (in.u32() != kMagic || in.u32() != kVersion) return std::nullopt;
    const auto verb = in.u32();
    if (!verb || !known_verb(*verb)) return std::nullopt;
    Request request;
    request.verb = static_cast<Verb>(*verb);
    request.id = *in.u32();
    request.from = { *in.i32(), *in.i32() };
    request.to = { *in.i32(), *in.i32() };
    request.duration_ms = *in.u32();
    request.key_code = *in.u32();
    const std::uint32_t text_units = *in.u32();
    const std::uint32_t file_bytes = *in.u32();
    if (text_units > kMaxTextUnits || file_bytes > kMaxFileNameBytes) return std::nullopt;
    if (request.duration_ms > kMaxDragMs) return std::nullopt;
    auto text = in.units(text_units);
    auto file = in.bytes(file_bytes);
    if (!text || !file || !in.at_end()) return std::nullopt;
    request.text = std::move(*text);
    request.output_file = std::move(*file);
    const bool writes = request.verb == Verb::Screencap || request.verb == Verb::Ui;
    if (writes != !request.output_file.empty()) return std::nullopt;
    if (writes && !is_output_file_name(request.output_file)) return std::nullopt;
    return request;
}

std::filesystem::path bridge_folder() {
    const std::filesystem::path runtime = device_runtime_dir();
    if (runtime.empty()) return {};
    std::filesystem::path folder = runtime / "bridge";
    return make_private_dir(folder) ? folder : std::filesystem::path {};
}

bool is_output_file_name(std::string_view name) {
    if (name.empty() || name.size() > kMaxFileNameBytes || name.front() == '.') return false;
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '_' || c == '.';
        if (!plain) return false;
    }
    return true;
}

std::optional<std::uint32_t> key_code_of_name(std::string_view name) {
    static const std::map<std::string_view, std::uint32_t> names {
        { "left", VK_LEFT },       { "up", VK_UP },           { "right", VK_RIGHT },     { "down", VK_DOWN },
        { "action", VK_RETURN },   { "button1", VK_APP1 },    { "button2", VK_APP2 },    { "button3", VK_APP3 },
        { "button4", VK_APP4 },
    };
    auto found = names.find(name);
    if (found == names.end()) return std::nullopt;
    return found->second;
}

std::optional<WindowInfo> find_foreground_bridge() {
    const std::vector<WindowInfo> windows = list_windows();
    std::map<int, WindowInfo> bridges;
    for (const WindowInfo& window : windows) {
        if (window.class_name == kBridgeWindowClass) bridges.emplace(window.process_id, window);
    }
    for (const WindowInfo& window : windows) {
        if (!window.visible) continue;
        auto found = bridges.find(window.process_id);
        if (found != bridges.end()) return found->second;
    }
    return std::nullopt;
}

}  // namespace zt::platform::gui::bridge
