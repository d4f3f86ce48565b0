#include "platform/gui/today_item_abi.h"

#include <QCoreApplication>
#include <QDialog>
#include <QVariant>
#include <QWidget>

#include "platform/gui/theme_colors.h"

namespace zt::platform::today {

std::optional<uint32_t> answer_colour_request(uintptr_t index) {
    switch (index) {
    case kColorText: return gui::shell_theme_colour(gui::kThemeText).value_or(kDefaultTextColour);
    case kColorHighlight: return gui::shell_theme_colour(gui::kThemeHighlight).value_or(kDefaultHighlightColour);
    case kColorHighlightedText:
        return gui::shell_theme_colour(gui::kThemeHighlightedText).value_or(kDefaultHighlightedTextColour);
    default: return std::nullopt;
    }
}

intptr_t send_child_message(QWidget* widget, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    if (!widget) return 0;
    ChildMessageEvent event(message, wparam, lparam);
    QCoreApplication::sendEvent(widget, &event);
    return event.handled ? event.result : 0;
}

int32_t parent_scroll_bar_width(const QWidget* parent) {
    if (!parent) return 0;
    bool ok = false;
    int width = parent->property(kScrollBarWidthProperty).toInt(&ok);
    return ok && width > 0 ? width : 0;
}

void end_options_dialog(QWidget* dialog, int result) {
    if (auto* box = qobject_cast<QDialog*>(dialog)) box->done(result);
}

}  // namespace zt::platform::today
