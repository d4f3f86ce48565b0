#pragma once
// What the screens' pen handling and pop-up menus share.
#include <QPointF>
#include <QString>

#include <string_view>

#include "skins/picture.h"

namespace zt::app {

inline skins::Point point_of(const QPointF& point) { return { static_cast<int32_t>(point.x()), static_cast<int32_t>(point.y()) }; }

// An interface text through the text table, for a menu item.
QString translated(std::u16string_view english);

}  // namespace zt::app
