#include "texts/text_table.h"

#include <optional>

#include "platform/base/device_path.h"
#include "platform/base/mapped_file.h"
#include "platform/base/text.h"
#include "texts/ansi_code_page.h"
#include "texts/text_table_parser.h"

namespace zt::app {
namespace {

// Text files larger than this are not text tables; refusing them keeps a stray file from
// eating memory.
constexpr uintmax_t kMaxFileSize = 16u << 20;

std::u16string utf16le_to_text(std::span<const uint8_t> bytes) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) out.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return out;
}

}  // namespace

CTextTable& CTextTable::instance() {
    static CTextTable table;
    return table;
}

bool CTextTable::load(const std::filesystem::path& host_path) {
    m_map.clear();
    // The device's mapped open takes only regular files and never waits, so a FIFO or a
    // folder swapped in under the text table's name cannot hang the program's start.
    std::optional<platform::MappedFile> file = platform::MappedFile::open(host_path);
    if (!file || file->size() > kMaxFileSize) return false;
    return load_bytes(file->bytes());
}

bool CTextTable::load_device_file(std::u16string_view device_path) {
    m_map.clear();
    std::optional<std::filesystem::path> host = platform::map_device_path(device_path);
    return host && load(*host);
}

bool CTextTable::load_bytes(std::span<const uint8_t> file) {
    m_map.clear();
    std::u16string text;
    if (file.size() >= 2 && file[0] == 0xFF && file[1] == 0xFE) {
        if (file.size() < 3) return false;
        text = utf16le_to_text(file.subspan(2));
    } else if (file.size() >= 3 && file[0] == 0xEF && file[1] == 0xBB && file[2] == 0xBF) {
        // What Linux editors write; a file holding only the mark fails like a bare UTF-16 one.
        if (file.size() < 4) return false;
        const auto rest = file.subspan(3);
        text = platform::utf8_to_utf16(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
    } else {
        text = ansi_to_utf16(file);
    }
    bool stored_all = true;
    parse_text_table(text, [&](std::u16string key, std::u16string value) {
        stored_all = m_map.insert(std::move(key), std::move(value)) && stored_all;
    });
    if (!stored_all) m_map.clear();
    return stored_all;
}

const std::u16string* CTextTable::replacement(std::u16string_view text) const {
    const std::u16string* found = m_map.lookup(std::u16string(text));
    return found && !found->empty() ? found : nullptr;
}

std::u16string CTextTable::translate(std::u16string_view text) const {
    const std::u16string* found = replacement(text);
    return found ? *found : std::u16string(text);
}

bool CTextTable::large_fonts() const {
    const std::u16string* value = replacement(kLargeFontsKey);
    return value && *value == u"1";
}

std::u16string CTextTable::LoadString(uint32_t id) const {
    if (!m_resources) return {};
    std::optional<std::u16string> text = m_resources(id);
    if (!text) return {};
    if (text->size() > kMaxResourceString) text->resize(kMaxResourceString);
    return translate(*text);
}

std::u16string fill_in(std::u16string_view text, std::u16string_view marker, std::u16string_view value) {
    const size_t at = text.find(marker);
    if (at == std::u16string_view::npos) return std::u16string(text);
    // Built piece by piece: gcc 12 at -O2 misreads replace() on a fresh string here (-Wrestrict).
    std::u16string filled;
    filled.reserve(text.size() - marker.size() + value.size());
    filled.append(text.substr(0, at));
    filled.append(value);
    filled.append(text.substr(at + marker.size()));
    return filled;
}

}  // namespace zt::app
