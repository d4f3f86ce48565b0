#include "platform/registry/registry.h"

#include <utility>

#include "platform/registry/registry_store.h"

namespace zt::platform::registry {
namespace {

std::u16string join(const std::u16string& base, const std::u16string& below) {
    if (base.empty()) return below;
    if (below.empty()) return base;
    return base + u'\\' + below;
}

}  // namespace

Key::Key(Root root, int64_t id, std::u16string name) : m_root(root), m_id(id), m_name(std::move(name)) {}

Key::Key(Key&& other) noexcept
    : m_root(other.m_root), m_id(std::exchange(other.m_id, 0)), m_name(std::move(other.m_name)) {}

Key& Key::operator=(Key&& other) noexcept {
    if (this != &other) {
        m_root = other.m_root;
        m_id = std::exchange(other.m_id, 0);
        m_name = std::move(other.m_name);
    }
    return *this;
}

std::optional<Key::Created> Key::create(Root root, std::u16string_view path) {
    return Key(root, detail::root_key_id(root), u"").create_below(path);
}

std::optional<Key> Key::open(Root root, std::u16string_view path) {
    return Key(root, detail::root_key_id(root), u"").open_subkey(path);
}

std::optional<Key::Created> Key::create_subkey(std::u16string_view path) const { return create_below(path); }

std::optional<Key::Created> Key::create_below(std::u16string_view path) const {
    if (m_id == 0) return std::nullopt;
    auto reached = detail::create_key(m_id, path);
    if (reached.status != Status::Ok) return std::nullopt;
    return Created { Key(m_root, reached.id, join(m_name, reached.stored_path)), reached.newly_created };
}

std::optional<Key> Key::open_subkey(std::u16string_view path) const {
    if (m_id == 0) return std::nullopt;
    auto reached = detail::open_key(m_id, path);
    if (reached.status != Status::Ok) return std::nullopt;
    return Key(m_root, reached.id, join(m_name, reached.stored_path));
}

Status Key::delete_subkey(std::u16string_view path) const {
    if (m_id == 0) return Status::InvalidArgument;
    return detail::delete_key(m_id, path);
}

Status Key::delete_tree(std::u16string_view path) const {
    if (m_id == 0) return Status::InvalidArgument;
    return detail::delete_tree(m_id, path);
}

std::optional<Key::ValueInfo> Key::enum_value(uint32_t index) const {
    if (m_id == 0) return std::nullopt;
    return detail::value_at(m_id, index);
}

std::optional<std::u16string> Key::enum_subkey(uint32_t index) const {
    if (m_id == 0) return std::nullopt;
    return detail::subkey_at(m_id, index);
}

Status Key::flush() const {
    if (m_id == 0) return Status::InvalidArgument;
    return detail::flush(m_id);
}

std::u16string Key::name() const { return m_name; }

}  // namespace zt::platform::registry
