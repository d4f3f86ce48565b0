// Any file content loads or fails cleanly, and every stored pair has a non-empty key and value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "texts/text_table.h"
#include "texts/text_table_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zt::app::CTextTable table;
    table.load_bytes({ data, size });
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    zt::app::parse_text_table(text, [](std::u16string key, std::u16string value) {
        if (key.empty() || value.empty()) std::abort();
    });
    return 0;
}
