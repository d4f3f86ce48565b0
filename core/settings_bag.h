#pragma once
// CSettingsBag: the main program's options, bound to the Settings key. Values are registered
// with their defaults, loaded (missing ones are written back as defaults, as every product
// read does), changed through set_* with observers told of real changes, and saved.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/registry_keys.h"
#include "core/generic_map.h"
#include "core/registry_key.h"
#include "core/value_map.h"

namespace zt::core {

class CSettingsBag {
public:
    using Observer = std::function<void(std::u16string_view name, void* context)>;

    CSettingsBag(RegistryRoot root = RegistryRoot::CurrentUser, std::u16string key_path = contracts::kSettingsKeyPath);

    // Adds the name with its default unless it is registered already.
    void register_number(std::u16string_view name, uint32_t default_value);
    void register_text(std::u16string_view name, std::u16string_view default_text);
    // Registers the main program's values of the table, "ActiveScreenSet" to "ScrExtPower",
    // in that order.
    void register_program_defaults();
    // The slide-show values of the screen saver ("SlideShowDir" to "SlideShowOpacity").
    void register_slide_show_defaults();

    // Reads every registered value (defaults for missing ones, written back when the key
    // exists; a missing key is not created). Observers hear of each value read.
    void load();
    // Creates the key as needed and writes every value.
    void save() const;

    uint32_t number(std::u16string_view name) const;  // 0 when not registered
    std::u16string text(std::u16string_view name) const;  // empty when not registered
    // Only registered names; observers run only when the value really changes.
    void set_number(std::u16string_view name, uint32_t value);
    void set_text(std::u16string_view name, std::u16string_view text);

    void add_observer(std::u16string_view name, Observer callback, void* context = nullptr);

private:
    void notify(std::u16string_view name);

    RegistryRoot m_root;
    std::u16string m_key_path;
    CGenericMap<std::u16string, uint32_t, TextHash> m_numbers { 5 };
    CValueMap m_texts;
    // Names in registration order, so that load and save go through them as registered.
    std::vector<std::u16string> m_number_order;
    std::vector<std::u16string> m_text_order;
    struct ObserverEntry {
        std::u16string name;
        Observer callback;
        void* context;
    };
    std::vector<ObserverEntry> m_observers;
};

// What the options pages store for the screen saver: a time-out below 10 seconds is stored
// as 10; devices older than platform 4.0 (major * 100 + minor below 400) cannot run it, so
// their mode is always stored as 0.
inline constexpr uint32_t kMinScreenSaverTimeout = 10;
uint32_t screen_saver_timeout_to_store(uint32_t seconds);
uint32_t screen_saver_mode_to_store(uint32_t mode, uint32_t platform_version);

}  // namespace zt::core
