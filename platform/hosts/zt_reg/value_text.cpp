#include "platform/hosts/zt_reg/value_text.h"

#include "platform/base/text.h"
#include "platform/hosts/zt_reg/hex.h"
#include "platform/hosts/zt_reg/text_escape.h"
#include "platform/registry/value_codec.h"

namespace zt::platform::zt_reg {
using registry::ValueType;

std::string type_name(ValueType type) {
    switch (type) {
    case ValueType::None: return "REG_NONE";
    case ValueType::Sz: return "REG_SZ";
    case ValueType::ExpandSz: return "REG_EXPAND_SZ";
    case ValueType::Binary: return "REG_BINARY";
    case ValueType::Dword: return "REG_DWORD";
    case ValueType::MultiSz: return "REG_MULTI_SZ";
    }
    return "REG_TYPE_" + std::to_string(static_cast<uint32_t>(type));
}

std::string format_for_get(ValueType type, std::span<const uint8_t> data) {
    switch (type) {
    case ValueType::Sz:
    case ValueType::ExpandSz: return utf16_to_utf8(registry::decode_sz(data)) + "\n";
    case ValueType::MultiSz: {
        std::string out;
        for (const auto& line : registry::decode_multi_sz(data)) out += utf16_to_utf8(line) + "\n";
        return out;
    }
    case ValueType::Dword:
        if (auto number = registry::decode_dword(data)) return std::to_string(*number) + "\n";
        break;
    default: break;
    }
    return to_hex(data) + "\n";
}

std::string format_for_list(ValueType type, std::span<const uint8_t> data) {
    switch (type) {
    case ValueType::Sz:
    case ValueType::ExpandSz: return for_display(registry::decode_sz(data));
    case ValueType::MultiSz: {
        std::u16string joined;
        for (const auto& line : registry::decode_multi_sz(data)) {
            if (!joined.empty()) joined += u'\0';
            joined += line;
        }
        return for_display(joined);
    }
    case ValueType::Dword:
        if (auto number = registry::decode_dword(data)) return std::to_string(*number);
        break;
    default: break;
    }
    return to_hex(data);
}

}  // namespace zt::platform::zt_reg
