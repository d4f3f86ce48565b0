#pragma once
// The applet's context menu as plain entries, and those entries as the host's QMenu: every
// action carries its command number as data (uint), which the host hands back through
// DockAppletHandleContextMenuCommand.
#include <cstdint>
#include <string>
#include <vector>

#include "applet/applet_data.h"
#include "today/item_menu.h"

class QMenu;

namespace zt::applet {

namespace command {
inline constexpr uint32_t kShowDate = 100;
inline constexpr uint32_t kChangeCity = 101;
inline constexpr uint32_t kLocalTime = 102;
inline constexpr uint32_t kFirstView = 200;  // + view
inline constexpr uint32_t kFirstSkin = 300;  // + position in the skin list
}  // namespace command

// Views, Skins (analog view only), Show Date, Local Time (with a city), Change City...; texts
// through the text table.
std::vector<today::MenuEntry> build_applet_menu(const AppletData& data, const std::vector<std::u16string>& skins);
void fill_menu(QMenu& menu, const std::vector<today::MenuEntry>& entries);

}  // namespace zt::applet
