#include "platform/hosts/zt_reg/text_escape.h"

#include <cstdio>

#include "platform/base/text.h"
#include "platform/hosts/zt_reg/hex.h"

namespace zt::platform::zt_reg {
namespace {

bool is_high_surrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool is_control(char16_t unit) { return unit < 0x20 || unit == 0x7F; }

// Visits the text as runs of well-formed text and single units that need an escape.
template <typename Run, typename Odd>
void split_units(std::u16string_view text, Run on_run, Odd on_odd, bool (*is_odd_unit)(char16_t)) {
    size_t run_start = 0;
    size_t i = 0;
    auto flush = [&](size_t end) {
        if (end > run_start) on_run(text.substr(run_start, end - run_start));
    };
    while (i < text.size()) {
        char16_t unit = text[i];
        if (is_high_surrogate(unit) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            i += 2;
            continue;
        }
        if (is_high_surrogate(unit) || is_low_surrogate(unit) || is_odd_unit(unit)) {
            flush(i);
            on_odd(unit);
            run_start = ++i;
            continue;
        }
        ++i;
    }
    flush(text.size());
}

std::string unit_escape(const char* format, char16_t unit) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(unit));
    return buffer;
}

}  // namespace

std::string quote(std::u16string_view text) {
    std::string out = "\"";
    auto needs_escape = [](char16_t unit) { return is_control(unit) || unit == u'"' || unit == u'\\'; };
    split_units(
        text, [&](std::u16string_view run) { out += utf16_to_utf8(run); },
        [&](char16_t unit) {
            switch (unit) {
            case u'"': out += "\\\""; break;
            case u'\\': out += "\\\\"; break;
            case u'\n': out += "\\n"; break;
            case u'\r': out += "\\r"; break;
            case u'\t': out += "\\t"; break;
            case u'\0': out += "\\0"; break;
            default: out += unit_escape("\\u%04X", unit);
            }
        },
        +needs_escape);
    return out + "\"";
}

std::optional<std::u16string> unquote(std::string_view& input) {
    if (input.empty() || input.front() != '"') return std::nullopt;
    std::u16string out;
    size_t i = 1;
    size_t run_start = i;
    auto flush = [&] { out += utf8_to_utf16(input.substr(run_start, i - run_start)); };
    while (i < input.size()) {
        char c = input[i];
        if (c == '"') {
            flush();
            input.remove_prefix(i + 1);
            return out;
        }
        if (c != '\\') {
            ++i;
            continue;
        }
        flush();
        if (i + 1 >= input.size()) return std::nullopt;
        char kind = input[i + 1];
        size_t used = 2;
        switch (kind) {
        case '"': out += u'"'; break;
        case '\\': out += u'\\'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case '0': out += u'\0'; break;
        case 'u': {
            if (i + 6 > input.size()) return std::nullopt;
            unsigned unit = 0;
            for (size_t k = i + 2; k < i + 6; ++k) {
                int digit = hex_digit(input[k]);
                if (digit < 0) return std::nullopt;
                unit = unit * 16 + static_cast<unsigned>(digit);
            }
            out += static_cast<char16_t>(unit);
            used = 6;
            break;
        }
        default: return std::nullopt;
        }
        i += used;
        run_start = i;
    }
    return std::nullopt;  // no closing quote
}

std::string for_display(std::u16string_view text) {
    std::string out;
    split_units(
        text, [&](std::u16string_view run) { out += utf16_to_utf8(run); },
        [&](char16_t unit) {
            switch (unit) {
            case u'\n': out += "\\n"; break;
            case u'\r': out += "\\r"; break;
            case u'\t': out += "\\t"; break;
            case u'\0': out += "\\0"; break;
            default: out += unit_escape(unit > 0xFF ? "\\u%04X" : "\\x%02X", unit);
            }
        },
        +[](char16_t unit) { return is_control(unit); });
    return out;
}

bool is_plain(std::u16string_view text) {
    bool plain = true;
    split_units(text, [](std::u16string_view) {}, [&](char16_t) { plain = false; },
                +[](char16_t unit) { return is_control(unit); });
    return plain;
}

}  // namespace zt::platform::zt_reg
