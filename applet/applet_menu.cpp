#include "applet/applet_menu.h"

#include <QAction>
#include <QMenu>

#include "platform/base/text.h"
#include "today/item_state.h"

namespace zt::applet {
namespace {

today::MenuEntry entry(std::u16string_view english, uint32_t number, bool checked) {
    return { today::item_text(english), number, checked, true, {} };
}

}  // namespace

std::vector<today::MenuEntry> build_applet_menu(const AppletData& data, const std::vector<std::u16string>& skins) {
    std::vector<today::MenuEntry> menu;
    today::MenuEntry views { today::item_text(u"Views"), 0, false, true, {} };
    views.submenu.push_back(entry(u"Analog Clock", command::kFirstView + kAnalogView, data.view == kAnalogView));
    views.submenu.push_back(entry(u"Digital Clock", command::kFirstView + kDigitalView, data.view == kDigitalView));
    menu.push_back(std::move(views));
    if (data.view == kAnalogView && !skins.empty()) {
        today::MenuEntry list { today::item_text(u"Skins"), 0, false, true, {} };
        for (size_t position = 0; position < skins.size(); ++position) {
            // Skin names are the user's folders, not interface texts.
            list.submenu.push_back({ skins[position], command::kFirstSkin + static_cast<uint32_t>(position),
                                     platform::equal_ignoring_case(skins[position], data.skin_name), true, {} });
        }
        menu.push_back(std::move(list));
    }
    menu.push_back(entry(u"Show Date", command::kShowDate, data.show_date()));
    if (data.city_chosen()) menu.push_back(entry(u"Local Time", command::kLocalTime, false));
    menu.push_back({ today::item_text(u"Change City") + u"...", command::kChangeCity, false, true, {} });
    return menu;
}

void fill_menu(QMenu& menu, const std::vector<today::MenuEntry>& entries) {
    for (const today::MenuEntry& item : entries) {
        if (!item.submenu.empty()) {
            fill_menu(*menu.addMenu(QString::fromStdU16String(item.text)), item.submenu);
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdU16String(item.text));
        action->setData(QVariant::fromValue(item.command));
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
    }
}

}  // namespace zt::applet
