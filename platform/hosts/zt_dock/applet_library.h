#pragma once
// An applet library loaded into the dock with all fourteen of its entry points resolved. A
// library that lacks one is refused as a whole: the dock never calls half an applet.
#include <memory>
#include <string>
#include <string_view>

#include "platform/gui/dock_applet_abi.h"
#include "platform/kernel/device_library.h"

namespace zt::platform::dock {

struct AppletExports {
    CreateFunction create { nullptr };
    ShowCreateDialogFunction show_create_dialog { nullptr };
    InitFunction init { nullptr };
    GetSizeFunction get_size { nullptr };
    PaintFunction paint { nullptr };
    UpdateFunction update { nullptr };
    GetDataFunction get_data { nullptr };
    GetDescriptionFunction get_description { nullptr };
    GetIconFunction get_icon { nullptr };
    MenuCanBeShownFunction menu_can_be_shown { nullptr };
    FillContextMenuFunction fill_context_menu { nullptr };
    HandleContextMenuCommandFunction handle_context_menu_command { nullptr };
    OnClickFunction on_click { nullptr };
    DeleteFunction destroy { nullptr };
};

class AppletLibrary {
public:
    // nullptr with `error` telling why: the library does not load, or the first entry point
    // it lacks.
    static std::unique_ptr<AppletLibrary> load(std::u16string_view device_path, std::string& error);

    const AppletExports& exports() const { return m_exports; }
    // The device path it was loaded from, as the dock stores it.
    const std::u16string& device_path() const { return m_device_path; }

    AppletLibrary(const AppletLibrary&) = delete;
    AppletLibrary& operator=(const AppletLibrary&) = delete;

private:
    AppletLibrary(DeviceLibrary library, std::u16string device_path)
        : m_library(std::move(library)), m_device_path(std::move(device_path)) {}

    DeviceLibrary m_library;
    std::u16string m_device_path;
    AppletExports m_exports;
};

}  // namespace zt::platform::dock
