#pragma once
// CTextTable: the interface text table. "ZunTime.txt" in the program's folder maps English
// texts to the texts to show instead, one "key|value" per line (see text_table_parser.h).
// Every resource string, caption and combo-box item of the main program and the ringing
// program passes through it. Filled once at start-up; never written back.
//
// The file is ANSI (the device's code page, Windows-1252), UTF-16LE with a byte-order mark, or
// UTF-8 with a byte-order mark (a malformed UTF-8 sequence reads as U+FFFD). Every failure
// leaves the table empty and the interface in English; nothing is shown.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/generic_map.h"

namespace zt::app {

inline constexpr char16_t kLargeFontsKey[] = u"_LARGE_SMALL_FONTS";

class CTextTable {
public:
    static constexpr unsigned kInitialBits = 10;
    // The longest resource string and caption read, in UTF-16 units.
    static constexpr size_t kMaxResourceString = 1024;
    static constexpr size_t kMaxCaption = 4096;

    // The process's table (main program, ringing program).
    static CTextTable& instance();

    CTextTable() = default;
    CTextTable(const CTextTable&) = delete;
    CTextTable& operator=(const CTextTable&) = delete;

    // Replaces the contents with the file; false (and an empty table) when it is missing,
    // unreadable or cannot be converted.
    bool load(const std::filesystem::path& host_path);
    bool load_device_file(std::u16string_view device_path);
    bool load_bytes(std::span<const uint8_t> file);
    void clear() { m_map.clear(); }

    size_t size() const { return m_map.count(); }
    // The non-empty replacement for exactly this text, or nullptr.
    const std::u16string* replacement(std::u16string_view text) const;
    // The replacement when there is one, else the text itself.
    std::u16string translate(std::u16string_view text) const;
    // The large-font switch of every dialog: the table maps kLargeFontsKey to "1".
    bool large_fonts() const;

    // Where resource strings come from; the program registers its English strings.
    using ResourceStrings = std::function<std::optional<std::u16string>(uint32_t id)>;
    void set_resource_strings(ResourceStrings strings) { m_resources = std::move(strings); }
    // The resource string (at most kMaxResourceString units) through the table; empty when the
    // identifier is unknown.
    std::u16string LoadString(uint32_t id) const;

private:
    core::CGenericMap<std::u16string, std::u16string, core::TextHash> m_map { kInitialBits };
    ResourceStrings m_resources;
};

// A translated text with its first `marker` ("%s", "%u") replaced by `value`: translations may put
// the value anywhere, or leave it out.
std::u16string fill_in(std::u16string_view text, std::u16string_view marker, std::u16string_view value);

}  // namespace zt::app
