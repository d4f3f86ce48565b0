// Buttons and controls: tool bars, the ringing window's buttons, the map's full-screen
// buttons, the alarm control and the timer and stopwatch controls.
#include "data/skins/generator/art_kit.h"
#include "data/skins/generator/skin_images.h"
#include "data/skins/generator/skin_layout.h"
#include "data/skins/generator/strip_image.h"
#include "data/skins/generator/symbols.h"

namespace zt::skinart {

namespace {

QImage built(const StripImage& strip)
{
    const auto image = strip.build();
    return image ? *image : QImage();
}

QImage button(const SkinStyle& s, int scale, QSize size, Symbol symbol, Surface surface, const QString& label = {})
{
    Canvas canvas(size.width(), size.height(), scale);
    QPainter& p = canvas.painter();
    const QRectF r(0, 0, size.width(), size.height());
    paint_surface(p, s, r.adjusted(1, 1, -1, -1), surface);
    const QColor ink = surface == Surface::Selected && s.finish != Finish::Classic ? QColor(255, 255, 255)
                                                                                   : s.button_text;
    const double icon = std::min(size.width(), size.height()) * 0.62;
    if (label.isEmpty()) {
        paint_symbol(p, symbol, QRectF(r.center().x() - icon / 2, r.center().y() - icon / 2, icon, icon), ink);
    } else {
        const double left = 8;
        paint_symbol(p, symbol, QRectF(left, r.center().y() - icon / 2, icon, icon), ink);
        paint_text(p, QRectF(left + icon, 0, size.width() - left - icon - 4, size.height()), label,
                   size.height() * 0.36, ink);
    }
    return canvas.finish();
}

// The four tool-bar buttons: 0 switches the screen set, 1 a screen button, 2 the selected
// screen button, 3 opens the options.
QImage toolbar(const SkinStyle& s, int scale, QSize size)
{
    StripImage strip;
    strip.add_part(button(s, scale, size, Symbol::Switch, Surface::Raised));
    strip.add_part(button(s, scale, size, Symbol::Clock, Surface::Raised));
    strip.add_part(button(s, scale, size, Symbol::Clock, Surface::Selected));
    strip.add_part(button(s, scale, size, Symbol::Gear, Surface::Raised));
    return built(strip);
}

void set_rect(StripImage& strip, int first, const QRect& r)
{
    strip.set_value(first, r.topLeft());
    strip.set_value(first + 1, r.topLeft() + QPoint(r.width(), r.height()));
}

}  // namespace

QImage draw_toolbar(const SkinStyle& s, int scale)
{
    return toolbar(s, scale, layout::kToolButton);
}

QImage draw_side_toolbar(const SkinStyle& s, int scale)
{
    return toolbar(s, scale, layout::kSideToolButton);
}

QImage draw_ring_buttons(const SkinStyle& s, int scale)
{
    const QSize size(104, 36);
    StripImage strip;
    const struct {
        Symbol symbol;
        const char* label;
    } buttons[] = { { Symbol::Cross, "Dismiss" }, { Symbol::Snooze, "Snooze" }, { Symbol::Reset, "Restart" } };
    for (const auto& b : buttons) {
        strip.add_part(button(s, scale, size, b.symbol, Surface::Raised, QString::fromLatin1(b.label)));
        strip.add_part(button(s, scale, size, b.symbol, Surface::Pressed, QString::fromLatin1(b.label)));
    }
    return built(strip);
}

QImage draw_fullscreen_button(const SkinStyle& s, int scale)
{
    StripImage strip;
    strip.add_part(button(s, scale, QSize(24, 24), Symbol::Expand, Surface::Raised));
    return built(strip);
}

QImage draw_window_button(const SkinStyle& s, int scale)
{
    StripImage strip;
    strip.add_part(button(s, scale, QSize(24, 24), Symbol::Collapse, Surface::Raised));
    return built(strip);
}

QImage draw_alarm_control(const SkinStyle& s, int scale)
{
    using namespace layout;
    Canvas canvas(kAlarmControl.width(), kAlarmControl.height(), scale);
    QPainter& p = canvas.painter();
    paint_panel(p, s, QRectF(0, 0, kAlarmControl.width(), kAlarmControl.height()), 8);
    StripImage strip;
    strip.set_value(1, QPoint(kArrowCell.width(), kArrowCell.height()));
    for (int i = 0; i < 4; ++i) {
        const QRectF up(kArrowColumns[i], kUpArrowTop, kArrowCell.width(), kArrowCell.height());
        const QRectF down(kArrowColumns[i], kDownArrowTop, kArrowCell.width(), kArrowCell.height());
        paint_surface(p, s, up, Surface::Raised, 3);
        paint_surface(p, s, down, Surface::Raised, 3);
        paint_symbol(p, Symbol::Up, up.adjusted(5, 0, -5, 0), s.button_text);
        paint_symbol(p, Symbol::Down, down.adjusted(5, 0, -5, 0), s.button_text);
        // The digit box between the arrows: a recessed field the screen writes the digit in.
        p.setPen(QPen(s.panel_edge, 1));
        p.setBrush(s.panel.darker(112));
        p.drawRoundedRect(QRectF(up.left(), up.bottom() + 1, up.width(), down.top() - up.bottom() - 2), 2, 2);
        strip.set_value(2 + i, QPoint(kArrowColumns[i], kUpArrowTop));
        strip.set_value(6 + i, QPoint(kArrowColumns[i], kDownArrowTop));
    }
    // Hour-minute colon between the digit columns.
    p.setPen(Qt::NoPen);
    p.setBrush(s.text_main);
    p.drawEllipse(QPointF(66, 30), 2, 2);
    p.drawEllipse(QPointF(66, 42), 2, 2);
    const Symbol symbols[4] { Symbol::Check, Symbol::Cross, Symbol::Pen, Symbol::Back };
    for (int i = 0; i < 4; ++i) {
        const QRect r(kControlButtonColumns[i], kControlButtonsTop, kControlButton.width(), kControlButton.height());
        paint_surface(p, s, r, Surface::Raised, 4);
        paint_symbol(p, symbols[i], QRectF(r).adjusted(8, 4, -8, -4), s.button_text);
        strip.set_value(10 + i, r.topLeft());
        strip.set_value(14 + i, r.topLeft() + QPoint(r.width(), r.height()));
    }
    paint_surface(p, s, kAmPmCell, Surface::Pressed, 4);
    set_rect(strip, 18, kAmPmCell);
    strip.set_value(20, QPoint(1, 1));  // AM/PM cell shows "SmallDigits.png" glyphs
    strip.add_part(canvas.finish());
    // Part 1: its first pixel is the colour of the control's digits.
    QImage swatch(4 * scale, 2 * scale, QImage::Format_ARGB32);
    swatch.fill(s.text_main);
    strip.add_part(swatch);
    return built(strip);
}

QImage draw_timer_control(const SkinStyle& s, int scale)
{
    // 0 start, 1 pause, 2 reset, 3 lap, 4 edit; each a part of the timer row's button size.
    StripImage strip;
    for (Symbol symbol : { Symbol::Play, Symbol::Pause, Symbol::Reset, Symbol::Flag, Symbol::Pen })
        strip.add_part(button(s, scale, layout::kTimerButton, symbol, Surface::Raised));
    return built(strip);
}

QImage draw_stopwatch_control(const SkinStyle& s, int scale)
{
    // 0 start, 1 stop, 2 lap, 3 reset, 4 save.
    StripImage strip;
    for (Symbol symbol : { Symbol::Play, Symbol::Pause, Symbol::Flag, Symbol::Reset, Symbol::Save })
        strip.add_part(button(s, scale, layout::kStopwatchStart.size(), symbol, Surface::Raised));
    return built(strip);
}

}  // namespace zt::skinart
