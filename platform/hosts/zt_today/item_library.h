#pragma once
// A Today item library loaded into the screen's process, closed when the object goes. The
// widgets an item made live in the library's code, so its owner deletes them first.
#include <optional>
#include <string>
#include <string_view>

#include "platform/gui/today_item_abi.h"

namespace zt::platform::today {

class ItemLibrary {
public:
    // Loads the library at a device path; nullopt with `error` telling why when the path
    // leaves the device or the library does not load.
    static std::optional<ItemLibrary> open(std::u16string_view device_path, std::string& error);

    // The library's entry points; null when it does not export one.
    InitializeItemFunction initialize_item() const;
    OptionsDialogFunction options_dialog() const;
    void* symbol(const char* name) const;

    ItemLibrary(ItemLibrary&& other) noexcept;
    ItemLibrary& operator=(ItemLibrary&& other) noexcept;
    ItemLibrary(const ItemLibrary&) = delete;
    ItemLibrary& operator=(const ItemLibrary&) = delete;
    ~ItemLibrary();

private:
    explicit ItemLibrary(void* handle) : m_handle(handle) {}
    void* m_handle { nullptr };
};

}  // namespace zt::platform::today
