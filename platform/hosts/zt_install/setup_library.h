#pragma once
// A package's setup library loaded into the installer: the four entry points of
// setup_interface.h, each optional (a library without one is simply not called for it).
#include <filesystem>
#include <optional>
#include <string>

#include "platform/install/setup_interface.h"

namespace zt::platform::install {

class SetupLibrary {
public:
    // Fails (message in `error`) when the file cannot be loaded as a shared library.
    static std::optional<SetupLibrary> load(const std::filesystem::path& path, std::string* error = nullptr);

    uint32_t install_init(bool previously_installed, std::u16string_view folder) const;
    uint32_t install_exit(std::u16string_view folder) const;
    uint32_t uninstall_init(std::u16string_view folder) const;
    uint32_t uninstall_exit() const;

    SetupLibrary(SetupLibrary&& other) noexcept;
    SetupLibrary& operator=(SetupLibrary&& other) noexcept;
    SetupLibrary(const SetupLibrary&) = delete;
    SetupLibrary& operator=(const SetupLibrary&) = delete;
    ~SetupLibrary();

private:
    explicit SetupLibrary(void* handle);
    void* m_handle { nullptr };
    InstallInitFn m_install_init { nullptr };
    InstallExitFn m_install_exit { nullptr };
    UninstallInitFn m_uninstall_init { nullptr };
    UninstallExitFn m_uninstall_exit { nullptr };
};

}  // namespace zt::platform::install
