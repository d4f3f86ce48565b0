#include "platform/hosts/zt_dock/dock_store.h"

#include <algorithm>
#include <charconv>

#include "platform/base/text.h"
#include "platform/registry/subkeys.h"

namespace zt::platform::dock {
namespace {

using registry::Key;
using registry::Status;
using registry::ValueType;

constexpr char16_t kLibraryValue[] = u"Library";
constexpr char16_t kDataValue[] = u"Data";

const Key::ValueInfo* find_value(const StoredApplet& applet, std::u16string_view name) {
    const std::u16string wanted = fold_case(name);
    for (const auto& value : applet.values)
        if (fold_case(value.name) == wanted) return &value;
    return nullptr;
}

// The entry's number when its name is a plain decimal number.
std::optional<uint32_t> entry_number(std::u16string_view name) {
    const std::string text = utf16_to_utf8(name);
    uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

}  // namespace

std::optional<std::u16string> StoredApplet::library() const {
    const auto* value = find_value(*this, kLibraryValue);
    if (!value || (value->type != ValueType::Sz && value->type != ValueType::ExpandSz)) return std::nullopt;
    if (value->data.size() % 2 != 0) return std::nullopt;
    std::u16string text;
    for (size_t at = 0; at + 1 < value->data.size(); at += 2) {
        const auto unit = static_cast<char16_t>(value->data[at] | (value->data[at + 1] << 8));
        if (unit == 0) break;
        text.push_back(unit);
    }
    if (text.empty()) return std::nullopt;
    return text;
}

std::optional<std::vector<uint8_t>> StoredApplet::data() const {
    const auto* value = find_value(*this, kDataValue);
    if (!value) return std::vector<uint8_t> {};
    if (value->type != ValueType::Binary) return std::nullopt;
    return value->data;
}

StoredApplet stored_applet(std::u16string_view library, std::span<const uint8_t> data) {
    StoredApplet applet;
    std::vector<uint8_t> text;
    for (char16_t unit : library) {
        text.push_back(static_cast<uint8_t>(unit & 0xFF));
        text.push_back(static_cast<uint8_t>(unit >> 8));
    }
    text.insert(text.end(), { 0, 0 });
    applet.values.push_back({ kLibraryValue, ValueType::Sz, std::move(text) });
    applet.values.push_back({ kDataValue, ValueType::Binary, std::vector<uint8_t>(data.begin(), data.end()) });
    return applet;
}

std::vector<StoredApplet> read_stored_applets() {
    std::vector<StoredApplet> applets;
    for (auto& [name, key] : registry::open_subkeys(registry::Root::CurrentUser, kDockAppletsKey)) {
        StoredApplet applet { std::move(name), {} };
        for (uint32_t at = 0;; ++at) {
            auto value = key.enum_value(at);
            if (!value) break;
            applet.values.push_back(std::move(*value));
        }
        applets.push_back(std::move(applet));
    }
    std::stable_sort(applets.begin(), applets.end(), [](const StoredApplet& a, const StoredApplet& b) {
        const auto first = entry_number(a.key);
        const auto second = entry_number(b.key);
        if (first && second) return *first < *second;
        return first.has_value() && !second.has_value();
    });
    return applets;
}

bool write_stored_applets(const std::vector<StoredApplet>& applets) {
    auto batch = registry::WriteBatch::begin();
    if (!batch) return false;
    const auto list = Key::create(registry::Root::CurrentUser, kDockAppletsKey);
    if (!list || list->key.delete_tree(u"") != Status::Ok) return false;
    for (size_t number = 0; number < applets.size(); ++number) {
        const auto entry = list->key.create_subkey(to_u16(std::to_string(number)));
        if (!entry) return false;
        for (const auto& value : applets[number].values)
            if (entry->key.set_value(value.name, value.type, value.data) != Status::Ok) return false;
    }
    return batch->commit();
}

}  // namespace zt::platform::dock
