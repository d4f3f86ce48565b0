// libFuzzer target for what reaches the debug bridge and what scripts read from it: any bytes as
// a bridge request (a request that decodes re-encodes to the same bytes), and any text as a
// line of `zt-device ui` (a line that parses formats back to the same text).
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/gui/bridge_protocol.h"
#include "platform/gui/ui_line.h"

using namespace zt::platform::gui;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (auto request = bridge::decode_request({ data, size })) {
        const auto again = bridge::encode_request(*request);
        if (again.size() != size || !std::equal(again.begin(), again.end(), data)) std::abort();
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto line = parse_ui_line(text)) {
        if (parse_ui_line(format_ui_line(*line)) != line) std::abort();
    }
    return 0;
}
