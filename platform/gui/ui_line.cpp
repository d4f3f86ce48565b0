#include "platform/gui/ui_line.h"

#include <algorithm>
#include <charconv>

#include "platform/base/text.h"

namespace zt::platform::gui {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::size_t kFields = 10;

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

template <typename Number>
std::optional<Number> parse_number(std::string_view text) {
    Number value {};
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || text.empty()) return std::nullopt;
    return value;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool is_state_word(std::string_view word) {
    return word == "checked" || word == "unchecked" || word == "selected" || word == "focused";
}

bool is_kind(std::string_view kind) {
    return !kind.empty() && std::all_of(kind.begin(), kind.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; });
}

}  // namespace

bool UiLine::has_state(std::string_view word) const {
    return std::find(states.begin(), states.end(), word) != states.end();
}

std::string escape_ui_text(std::u16string_view text) {
    const std::string utf8 = utf16_to_utf8(text);
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\x";
                out += kHex[byte >> 4];
                out += kHex[byte & 0x0F];
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::optional<std::u16string> unescape_ui_text(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t' || c == '\n' || c == '\r') return std::nullopt;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= text.size()) return std::nullopt;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 'x': {
            if (i + 2 >= text.size()) return std::nullopt;
            const int high = hex_digit(text[i + 1]);
            const int low = hex_digit(text[i + 2]);
            if (high < 0 || low < 0) return std::nullopt;
            out += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default: return std::nullopt;
        }
    }
    return utf8_to_utf16(out);
}

std::string format_ui_line(const UiLine& line) {
    std::string states;
    for (const std::string& word : line.states) states += (states.empty() ? "" : ",") + word;
    std::string out;
    out += std::to_string(line.depth) + '\t';
    out += line.kind + '\t';
    out += (line.control_id ? std::to_string(*line.control_id) : std::string("-")) + '\t';
    out += escape_ui_text(line.text) + '\t';
    out += std::to_string(line.x) + '\t' + std::to_string(line.y) + '\t';
    out += std::to_string(line.width) + '\t' + std::to_string(line.height) + '\t';
    out += std::string(line.enabled ? "1" : "0") + '\t';
    out += states.empty() ? std::string("-") : states;
    return out;
}

std::optional<UiLine> parse_ui_line(std::string_view text) {
    const std::vector<std::string_view> fields = split(text, '\t');
    if (fields.size() != kFields) return std::nullopt;
    UiLine line;
    const auto depth = parse_number<int>(fields[0]);
    if (!depth || *depth < 0 || !is_kind(fields[1])) return std::nullopt;
    line.depth = *depth;
    line.kind = fields[1];
    if (fields[2] != "-") {
        line.control_id = parse_number<std::int32_t>(fields[2]);
        if (!line.control_id) return std::nullopt;
    }
    auto shown = unescape_ui_text(fields[3]);
    if (!shown) return std::nullopt;
    line.text = std::move(*shown);
    int* numbers[] = { &line.x, &line.y, &line.width, &line.height };
    for (std::size_t i = 0; i < 4; ++i) {
        const auto value = parse_number<int>(fields[4 + i]);
        if (!value) return std::nullopt;
        *numbers[i] = *value;
    }
    if (line.width < 0 || line.height < 0) return std::nullopt;
    if (fields[8] != "0" && fields[8] != "1") return std::nullopt;
    line.enabled = fields[8] == "1";
    if (fields[9] != "-") {
        for (std::string_view word : split(fields[9], ',')) {
            if (!is_state_word(word)) return std::nullopt;
            line.states.emplace_back(word);
        }
    }
    return line;
}

std::optional<std::vector<UiLine>> parse_ui_dump(std::string_view dump) {
    std::vector<UiLine> lines;
    for (std::string_view text : split(dump, '\n')) {
        if (text.empty()) continue;
        auto line = parse_ui_line(text);
        if (!line) return std::nullopt;
        lines.push_back(std::move(*line));
    }
    return lines;
}

}  // namespace zt::platform::gui
