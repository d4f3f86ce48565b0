#include "platform/hosts/zt_install/setup_library.h"

#include <dlfcn.h>

#include <utility>

namespace zt::platform::install {
namespace {

template <class Function>
Function entry(void* handle, const char* name) {
    return reinterpret_cast<Function>(::dlsym(handle, name));
}

}  // namespace

std::optional<SetupLibrary> SetupLibrary::load(const std::filesystem::path& path, std::string* error) {
    // RTLD_LOCAL: an old and a new setup library of one product may be loaded at once.
    // RTLD_NODELETE: threads or objects a library leaves behind never point into unmapped code.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
        if (error) *error = ::dlerror();
        return std::nullopt;
    }
    return SetupLibrary(handle);
}

SetupLibrary::SetupLibrary(void* handle)
    : m_handle(handle),
      m_install_init(entry<InstallInitFn>(handle, kInstallInitName)),
      m_install_exit(entry<InstallExitFn>(handle, kInstallExitName)),
      m_uninstall_init(entry<UninstallInitFn>(handle, kUninstallInitName)),
      m_uninstall_exit(entry<UninstallExitFn>(handle, kUninstallExitName)) {}

uint32_t SetupLibrary::install_init(bool previously_installed, std::u16string_view folder) const {
    std::u16string text(folder);
    return m_install_init ? m_install_init(0, 1, previously_installed ? 1 : 0, text.c_str()) : codeINSTALL_INIT_CONTINUE;
}

uint32_t SetupLibrary::install_exit(std::u16string_view folder) const {
    std::u16string text(folder);
    return m_install_exit ? m_install_exit(0, text.c_str(), 0, 0, 0, 0, 0) : codeINSTALL_EXIT_DONE;
}

uint32_t SetupLibrary::uninstall_init(std::u16string_view folder) const {
    std::u16string text(folder);
    return m_uninstall_init ? m_uninstall_init(0, text.c_str()) : codeUNINSTALL_INIT_CONTINUE;
}

uint32_t SetupLibrary::uninstall_exit() const { return m_uninstall_exit ? m_uninstall_exit(0) : codeUNINSTALL_EXIT_DONE; }

SetupLibrary::SetupLibrary(SetupLibrary&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)),
      m_install_init(other.m_install_init),
      m_install_exit(other.m_install_exit),
      m_uninstall_init(other.m_uninstall_init),
      m_uninstall_exit(other.m_uninstall_exit) {}

SetupLibrary& SetupLibrary::operator=(SetupLibrary&& other) noexcept {
    if (this != &other) {
        if (m_handle) ::dlclose(m_handle);
        m_handle = std::exchange(other.m_handle, nullptr);
        m_install_init = other.m_install_init;
        m_install_exit = other.m_install_exit;
        m_uninstall_init = other.m_uninstall_init;
        m_uninstall_exit = other.m_uninstall_exit;
    }
    return *this;
}

SetupLibrary::~SetupLibrary() {
    if (m_handle) ::dlclose(m_handle);
}

}  // namespace zt::platform::install
