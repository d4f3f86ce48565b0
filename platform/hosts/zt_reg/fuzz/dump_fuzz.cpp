// libFuzzer target: any bytes given to `zt-reg import` are refused cleanly or read, and what
// is read writes out and reads back to the same keys and values. The same bytes taken as
// UTF-16 units survive quoting.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/hosts/zt_reg/dump_format.h"
#include "platform/hosts/zt_reg/text_escape.h"

namespace {
using namespace zt::platform::zt_reg;

bool same(const std::vector<DumpKey>& a, const std::vector<DumpKey>& b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k) {
        if (a[k].root != b[k].root || a[k].path != b[k].path || a[k].values.size() != b[k].values.size()) return false;
        for (size_t v = 0; v < a[k].values.size(); ++v) {
            const auto& x = a[k].values[v];
            const auto& y = b[k].values[v];
            if (x.name != y.name || x.type != y.type || x.data != y.data) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    DumpParse parsed = parse_dump(text);
    if (!parsed.error) {
        std::string again = format_signature_line();
        for (const auto& key : parsed.keys) {
            again += format_key_line(key.root, key.path);
            for (const auto& value : key.values) again += format_value_line(value);
        }
        DumpParse reparsed = parse_dump(again);
        if (reparsed.error || !same(parsed.keys, reparsed.keys)) std::abort();
    }

    std::u16string units;
    for (size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    std::string quoted = quote(units);
    std::string_view rest = quoted;
    auto back = unquote(rest);
    if (!back || *back != units || !rest.empty()) std::abort();
    return 0;
}
