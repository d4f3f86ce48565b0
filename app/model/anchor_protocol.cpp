#include "app/model/anchor_protocol.h"

#include "contracts/main_program.h"

namespace zt::app {

std::vector<uint8_t> encode_command_line(std::u16string_view line) {
    std::vector<uint8_t> bytes;
    bytes.reserve((line.size() + 1) * 2);
    for (char16_t unit : line) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::optional<std::u16string> decode_command_line(const zt::platform::CopyData& data) {
    const auto bytes = data.bytes;
    if (data.data_word != contracts::kCommandLineDataWord) return std::nullopt;
    if (bytes.size() < 2 || bytes.size() % 2 != 0) return std::nullopt;
    const size_t units = bytes.size() / 2;
    if (units > kMaxCommandLineUnits + 1) return std::nullopt;
    if (bytes[bytes.size() - 2] != 0 || bytes[bytes.size() - 1] != 0) return std::nullopt;
    std::u16string line;
    for (size_t i = 0; i + 1 < units; ++i) {
        const auto unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (unit == 0) break;
        line.push_back(unit);
    }
    return line;
}

}  // namespace zt::app
