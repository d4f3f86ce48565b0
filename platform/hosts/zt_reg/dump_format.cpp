#include "platform/hosts/zt_reg/dump_format.h"

#include "platform/base/text.h"
#include "platform/hosts/zt_reg/hex.h"
#include "platform/hosts/zt_reg/text_escape.h"
#include "platform/registry/value_codec.h"

namespace zt::platform::zt_reg {
namespace {
using registry::ValueType;

std::u16string root_and_path(registry::Root root, std::u16string_view path) {
    std::u16string full(registry::root_name(root));
    if (!path.empty()) full += u'\\' + std::u16string(path);
    return full;
}

bool is_terminated_text(ValueType type, const std::vector<uint8_t>& data) {
    return (type == ValueType::Sz || type == ValueType::ExpandSz) && data.size() >= 2 && data.size() % 2 == 0 &&
           data[data.size() - 1] == 0 && data[data.size() - 2] == 0;
}

std::string format_payload(const DumpValue& value) {
    const auto& data = value.data;
    if (is_terminated_text(value.type, data)) {
        auto units = registry::bytes_to_units(data);
        units.pop_back();  // the terminating NUL
        return (value.type == ValueType::Sz ? "sz:" : "expand_sz:") + quote(units);
    }
    if (value.type == ValueType::Dword && data.size() == 4)
        return "dword:" + std::to_string(*registry::decode_dword(data));
    if (value.type == ValueType::Binary) return "binary:" + to_hex(data);
    if (value.type == ValueType::MultiSz) {
        auto strings = registry::decode_multi_sz(data);
        if (registry::encode_multi_sz(strings) == data) {
            std::string out = "multi_sz:";
            for (size_t i = 0; i < strings.size(); ++i) out += (i ? "," : "") + quote(strings[i]);
            return out;
        }
    }
    return "hex(" + std::to_string(static_cast<uint32_t>(value.type)) + "):" + to_hex(data);
}

// --- reading ---

void skip_spaces(std::string_view& text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
}

bool consume(std::string_view& text, std::string_view word) {
    if (!text.starts_with(word)) return false;
    text.remove_prefix(word.size());
    return true;
}

struct LineError {
    std::string message;
};

std::optional<DumpKey> parse_key_line(std::string_view line, LineError& error) {
    std::string_view inner = line.substr(1, line.size() - 2);  // between '[' and ']'
    std::u16string full;
    if (!inner.empty() && inner.front() == '"') {
        auto quoted = unquote(inner);
        if (!quoted || !inner.empty()) {
            error.message = "malformed quoted key name";
            return std::nullopt;
        }
        full = std::move(*quoted);
    } else {
        full = utf8_to_utf16(inner);
    }
    auto separator = full.find(u'\\');
    auto root = registry::parse_root(std::u16string_view(full).substr(0, separator));
    if (!root) {
        error.message = "key does not start with HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE";
        return std::nullopt;
    }
    DumpKey key;
    key.root = *root;
    if (separator != std::u16string::npos) key.path = full.substr(separator + 1);
    bool empty_component = key.path.empty() ? separator != std::u16string::npos
                                            : key.path.front() == u'\\' || key.path.back() == u'\\' ||
                                                  key.path.find(u"\\\\") != std::u16string::npos;
    if (empty_component) {
        error.message = "key path has an empty name";
        return std::nullopt;
    }
    return key;
}

std::optional<std::vector<uint8_t>> parse_payload(std::string_view type_word, std::string_view& payload,
                                                  ValueType& type, LineError& error) {
    auto text_payload = [&](ValueType text_type) -> std::optional<std::vector<uint8_t>> {
        type = text_type;
        auto text = unquote(payload);
        if (!text) error.message = "malformed quoted text";
        return text ? std::optional(registry::encode_sz(*text)) : std::nullopt;
    };
    auto hex_payload = [&]() -> std::optional<std::vector<uint8_t>> {
        std::string_view digits = payload.substr(0, payload.find_first_of(" \t"));
        payload.remove_prefix(digits.size());
        auto bytes = from_hex(digits);
        if (!bytes) error.message = "malformed hex bytes";
        return bytes;
    };
    if (type_word == "sz") return text_payload(ValueType::Sz);
    if (type_word == "expand_sz") return text_payload(ValueType::ExpandSz);
    if (type_word == "binary") {
        type = ValueType::Binary;
        return hex_payload();
    }
    if (type_word == "dword") {
        type = ValueType::Dword;
        std::string_view digits = payload.substr(0, payload.find_first_of(" \t"));
        payload.remove_prefix(digits.size());
        auto number = parse_u32(digits);
        if (!number) error.message = "dword needs a number from 0 to 4294967295";
        return number ? std::optional(registry::encode_dword(*number)) : std::nullopt;
    }
    if (type_word == "multi_sz") {
        type = ValueType::MultiSz;
        std::vector<std::u16string> strings;
        while (!payload.empty() && payload.front() == '"') {
            auto text = unquote(payload);
            if (!text || text->empty()) {
                error.message = "malformed or empty string in multi_sz";
                return std::nullopt;
            }
            strings.push_back(std::move(*text));
            if (!consume(payload, ",")) break;
            if (payload.empty() || payload.front() != '"') {
                error.message = "multi_sz list ends with a comma";
                return std::nullopt;
            }
        }
        return registry::encode_multi_sz(strings);
    }
    if (type_word.starts_with("hex(") && type_word.ends_with(")")) {
        auto number = parse_u32(type_word.substr(4, type_word.size() - 5));
        if (!number) {
            error.message = "hex(N) needs a type number";
            return std::nullopt;
        }
        type = static_cast<ValueType>(*number);
        return hex_payload();
    }
    error.message = "unknown value type '" + std::string(type_word) + "'";
    return std::nullopt;
}

std::optional<DumpValue> parse_value_line(std::string_view line, LineError& error) {
    DumpValue value;
    if (!consume(line, "@")) {
        auto name = unquote(line);
        if (!name) {
            error.message = "expected a quoted value name or @";
            return std::nullopt;
        }
        value.name = std::move(*name);
    }
    skip_spaces(line);
    if (!consume(line, "=")) {
        error.message = "expected '=' after the value name";
        return std::nullopt;
    }
    skip_spaces(line);
    auto colon = line.find(':');
    if (colon == std::string_view::npos) {
        error.message = "expected TYPE:DATA";
        return std::nullopt;
    }
    std::string_view type_word = line.substr(0, colon);
    line.remove_prefix(colon + 1);
    auto data = parse_payload(type_word, line, value.type, error);
    if (!data) return std::nullopt;
    skip_spaces(line);
    if (!line.empty()) {
        error.message = "unexpected text after the value";
        return std::nullopt;
    }
    value.data = std::move(*data);
    return value;
}

bool is_ignorable(std::string_view line) {
    skip_spaces(line);
    return line.empty() || line.front() == ';';
}

}  // namespace

std::string format_signature_line() { return std::string(kDumpSignature) + "\n"; }

std::string format_key_line(registry::Root root, std::u16string_view path) {
    auto full = root_and_path(root, path);
    if (is_plain(full)) return "[" + utf16_to_utf8(full) + "]\n";
    return "[" + quote(full) + "]\n";
}

std::string format_value_line(const DumpValue& value) {
    std::string name = value.name.empty() ? "@" : quote(value.name);
    return name + " = " + format_payload(value) + "\n";
}

DumpParse parse_dump(std::string_view text) {
    DumpParse result;
    bool signed_dump = false;
    size_t number = 0;
    while (!text.empty()) {
        ++number;
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // edited on another system
        if (is_ignorable(line)) continue;

        LineError error;
        if (!signed_dump) {
            signed_dump = line == kDumpSignature;
            if (!signed_dump) error.message = "not a zt-reg export (first line must be '" + std::string(kDumpSignature) + "')";
        } else if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            if (auto key = parse_key_line(line, error)) result.keys.push_back(std::move(*key));
        } else if (result.keys.empty()) {
            error.message = "value before the first [key] line";
        } else if (auto value = parse_value_line(line, error)) {
            result.keys.back().values.push_back(std::move(*value));
        }
        if (!error.message.empty()) {
            result.keys.clear();
            result.error = "line " + std::to_string(number) + ": " + error.message;
            return result;
        }
    }
    if (!signed_dump) result.error = "not a zt-reg export (empty)";
    return result;
}

}  // namespace zt::platform::zt_reg
