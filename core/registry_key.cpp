#include "core/registry_key.h"

namespace zt::core {

namespace registry = zt::platform::registry;

CRegistryKey::CRegistryKey(RegistryRoot root, std::u16string_view path, bool create, bool flush_on_close)
    : m_flush_on_close(flush_on_close) {
    if (create) {
        if (auto created = registry::Key::create(root, path)) {
            m_newly_created = created->newly_created;
            m_key.emplace(std::move(created->key));
        }
    } else {
        m_key = registry::Key::open(root, path);
    }
}

CRegistryKey::~CRegistryKey() {
    if (m_key && m_flush_on_close && (m_newly_created || m_written)) m_key->flush();
}

std::optional<std::u16string> CRegistryKey::peek_string(std::u16string_view name) const {
    if (!m_key) return std::nullopt;
    registry::ValueType type = registry::ValueType::None;
    uint32_t size = 0;
    if (m_key->query_value(name, &type, nullptr, &size) != registry::Status::Ok) return std::nullopt;
    if (type != registry::ValueType::Sz) return std::nullopt;
    auto text = m_key->get_string(name);
    if (!text) return std::nullopt;
    // A C reader stops at the first NUL; so do we, whatever follows it in the data.
    if (size_t nul = text->find(u'\0'); nul != std::u16string::npos) text->resize(nul);
    return text;
}

CRegistryKey::TextRead CRegistryKey::read_record_text(std::u16string_view name) const {
    TextRead result;
    if (!m_key) return result;  // no key: no records
    registry::ValueType type = registry::ValueType::None;
    uint32_t size = 0;
    registry::Status status = m_key->query_value(name, &type, nullptr, &size);
    if (status == registry::Status::NotFound) return result;
    if (status != registry::Status::Ok) {
        result.status = TextStatus::Unreadable;
        return result;
    }
    if (type != registry::ValueType::Sz) {
        result.status = TextStatus::WrongType;
        return result;
    }
    auto text = peek_string(name);
    if (!text) {
        result.status = TextStatus::Unreadable;
        return result;
    }
    result.status = TextStatus::Ok;
    result.text = std::move(*text);
    return result;
}

std::u16string CRegistryKey::read_string(std::u16string_view name, std::u16string_view default_text) {
    if (!m_key) return std::u16string(default_text);
    registry::ValueType type = registry::ValueType::None;
    uint32_t size = 0;
    registry::Status status = m_key->query_value(name, &type, nullptr, &size);
    if (status == registry::Status::NotFound) {
        write_string(name, default_text);
        return std::u16string(default_text);
    }
    if (auto text = peek_string(name)) return *text;
    return std::u16string(default_text);
}

uint32_t CRegistryKey::read_number(std::u16string_view name, uint32_t default_value) {
    if (!m_key) return default_value;
    registry::ValueType type = registry::ValueType::None;
    uint32_t size = 0;
    registry::Status status = m_key->query_value(name, &type, nullptr, &size);
    if (status == registry::Status::NotFound) {
        if (default_value != kAbsentNumber) write_number(name, default_value);
        return default_value;
    }
    // Only a true 4-byte REG_DWORD is a number; anything else stored under the name is
    // somebody else's data and reads as the default.
    if (auto value = m_key->get_dword(name)) return *value;
    return default_value;
}

bool CRegistryKey::write_string(std::u16string_view name, std::u16string_view text) {
    if (!m_key) return false;
    m_written = true;
    return m_key->set_string(name, text) == registry::Status::Ok;
}

bool CRegistryKey::write_number(std::u16string_view name, uint32_t value) {
    if (!m_key) return false;
    m_written = true;
    return m_key->set_dword(name, value) == registry::Status::Ok;
}

bool CRegistryKey::delete_value(std::u16string_view name) {
    if (!m_key) return false;
    bool deleted = m_key->delete_value(name) == registry::Status::Ok;
    if (deleted) m_written = true;
    return deleted;
}

std::optional<std::u16string> CRegistryKey::value_name(uint32_t index) const {
    if (!m_key) return std::nullopt;
    auto info = m_key->enum_value(index);
    if (!info) return std::nullopt;
    return std::move(info->name);
}

}  // namespace zt::core
