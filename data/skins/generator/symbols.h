#pragma once
// Line symbols shared by buttons and controls, drawn to fit a square box.
#include <QColor>
#include <QPainter>
#include <QRectF>

namespace zt::skinart {

enum class Symbol { Clock, Timers, Switch, Gear, Play, Pause, Reset, Flag, Save, Check, Cross, Pen, Back,
                    Expand, Collapse, Up, Down, Snooze };

void paint_symbol(QPainter& p, Symbol symbol, const QRectF& box, const QColor& colour);

}  // namespace zt::skinart
