// The library's exported entry points (the device's setup-library interface, see
// platform/install/setup_interface.h). Every one answers "continue".
#include <string_view>

#include "platform/install/setup_interface.h"
#include "setup/setup_steps.h"

namespace {

using namespace zt::platform::install;

std::u16string_view folder_text(const char16_t* folder) { return folder ? std::u16string_view(folder) : std::u16string_view(); }

// Nothing may unwind into the installer; a step that ran out of memory ends its entry point.
template <class Step>
void guarded(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) uint32_t Install_Init(ParentWindow, int32_t first_call, int32_t previously_installed,
                                                             const char16_t* installation_folder) {
    guarded([&] { zt::setup::install_init(first_call != 0, previously_installed != 0, folder_text(installation_folder)); });
    return codeINSTALL_INIT_CONTINUE;
}

__attribute__((visibility("default"))) uint32_t Install_Exit(ParentWindow, const char16_t* installation_folder, uint32_t,
                                                             uint32_t, uint32_t, uint32_t, uint32_t) {
    guarded([&] { zt::setup::install_exit(folder_text(installation_folder)); });
    return codeINSTALL_EXIT_DONE;
}

__attribute__((visibility("default"))) uint32_t Uninstall_Init(ParentWindow, const char16_t* installation_folder) {
    guarded([&] { zt::setup::uninstall_init(folder_text(installation_folder)); });
    return codeUNINSTALL_INIT_CONTINUE;
}

__attribute__((visibility("default"))) uint32_t Uninstall_Exit(ParentWindow) {
    guarded([] { zt::setup::uninstall_exit(); });
    return codeUNINSTALL_EXIT_DONE;
}

}  // extern "C"
