#pragma once
// CRegistryKey: the one registry class of every program. It carries the product's reading
// rules on top of the device registry:
// - Reading a value that is missing returns the caller's default and writes that default
//   into the key (so a key opened with the create flag fills itself with defaults). The
//   exception is the number default kAbsentNumber, which is returned without writing: callers
//   use it to ask "is it there?" without leaving traces.
// - A value of the wrong type reads as the default and is left as it is (never overwritten
//   by a read).
// - Writes are not reported as failures (the records' historic contract); the key remembers
//   that it was written and, with flush-on-close, flushes when it closes.
// A key that failed to open answers every read with the default and ignores writes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/registry.h"

namespace zt::core {

using RegistryRoot = zt::platform::registry::Root;

class CRegistryKey {
public:
    static constexpr uint32_t kAbsentNumber = 0xDEF0;
    // The access the programs always ask for; kept for the record, the device grants all.
    static constexpr uint32_t kAllAccess = 0xF003F;

    CRegistryKey(RegistryRoot root, std::u16string_view path, bool create, bool flush_on_close);
    ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    bool is_open() const { return m_key.has_value(); }
    bool newly_created() const { return m_newly_created; }

    std::u16string read_string(std::u16string_view name, std::u16string_view default_text);
    uint32_t read_number(std::u16string_view name, uint32_t default_value);
    // No default, nothing written: the value when it is a REG_SZ, else nothing.
    std::optional<std::u16string> peek_string(std::u16string_view name) const;

    // A record read that tells a missing value from one of the wrong type and from a registry
    // that could not answer (busy past its time-out, key deleted meanwhile). Writes nothing.
    enum class TextStatus { Ok, Missing, WrongType, Unreadable };
    struct TextRead {
        TextStatus status { TextStatus::Missing };
        std::u16string text;
    };
    TextRead read_record_text(std::u16string_view name) const;

    // True when the registry took the value. The product's own writes ignore the answer.
    bool write_string(std::u16string_view name, std::u16string_view text);
    bool write_number(std::u16string_view name, uint32_t value);
    bool delete_value(std::u16string_view name);

    // Name of the value at this index of the key's enumeration; nothing past the end.
    std::optional<std::u16string> value_name(uint32_t index) const;

private:
    std::optional<zt::platform::registry::Key> m_key;
    bool m_newly_created { false };
    bool m_written { false };
    bool m_flush_on_close { false };
};

}  // namespace zt::core
