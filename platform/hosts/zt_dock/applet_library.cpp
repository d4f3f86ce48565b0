#include "platform/hosts/zt_dock/applet_library.h"

namespace zt::platform::dock {
namespace {

// Looks one entry point up into `slot`; false (and the name in `error`) when it is missing.
template <typename Function>
bool resolve(const DeviceLibrary& library, const char* name, Function& slot, std::string& error) {
    slot = reinterpret_cast<Function>(library.symbol(name));
    if (!slot) error = std::string("it has no ") + name;
    return slot != nullptr;
}

}  // namespace

std::unique_ptr<AppletLibrary> AppletLibrary::load(std::u16string_view device_path, std::string& error) {
    auto library = DeviceLibrary::open(device_path, error);
    if (!library) return nullptr;
    std::unique_ptr<AppletLibrary> applets(new AppletLibrary(std::move(*library), std::u16string(device_path)));
    const DeviceLibrary& from = applets->m_library;
    AppletExports& to = applets->m_exports;
    const bool complete = resolve(from, kCreateExport, to.create, error) &&
                          resolve(from, kShowCreateDialogExport, to.show_create_dialog, error) &&
                          resolve(from, kInitExport, to.init, error) &&
                          resolve(from, kGetSizeExport, to.get_size, error) &&
                          resolve(from, kPaintExport, to.paint, error) &&
                          resolve(from, kUpdateExport, to.update, error) &&
                          resolve(from, kGetDataExport, to.get_data, error) &&
                          resolve(from, kGetDescriptionExport, to.get_description, error) &&
                          resolve(from, kGetIconExport, to.get_icon, error) &&
                          resolve(from, kMenuCanBeShownExport, to.menu_can_be_shown, error) &&
                          resolve(from, kFillContextMenuExport, to.fill_context_menu, error) &&
                          resolve(from, kHandleContextMenuCommandExport, to.handle_context_menu_command, error) &&
                          resolve(from, kOnClickExport, to.on_click, error) &&
                          resolve(from, kDeleteExport, to.destroy, error);
    if (!complete) return nullptr;
    return applets;
}

}  // namespace zt::platform::dock
