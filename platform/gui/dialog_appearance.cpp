#include "platform/gui/dialog_appearance.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

namespace zt::platform::gui {
namespace {

constexpr int kNormalFontHeight = 13;
constexpr int kLargeFontHeight = 14;
constexpr int kHeadingTextX = 8;
constexpr char kInputPanelPreference[] = "SIPPREF";

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

int scaled(int length, int dpi) { return length * dpi / 96; }

QString translated(const QString& text, const TranslateText& translate) {
    if (text.isEmpty()) return text;
    return to_qstring(translate(text.toStdU16String()));
}

void translate_actions(QMenu& menu, const TranslateText& translate) {
    for (QAction* action : menu.actions()) {
        // The English text stays with the action, so reopening never translates twice.
        if (!action->property("zt_english").isValid()) action->setProperty("zt_english", action->text());
        action->setText(translated(action->property("zt_english").toString(), translate));
        if (action->menu()) translate_actions(*action->menu(), translate);
    }
}

}  // namespace

QFont dialog_font(ControlKind kind, const Appearance& appearance) {
    QFont font;
    // Tahoma first; the families after it stand in where it is not installed.
    font.setFamilies({ "Tahoma", "DejaVu Sans", "Liberation Sans", "Noto Sans", "Sans Serif" });
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(scaled(appearance.large_fonts ? kLargeFontHeight : kNormalFontHeight, appearance.dpi));
    const bool bold = kind == ControlKind::PushButton && !appearance.large_fonts;
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

void apply_fonts(QWidget& dialog, const Appearance& appearance) {
    const bool push_button = qobject_cast<QPushButton*>(&dialog) != nullptr;
    dialog.setFont(dialog_font(push_button ? ControlKind::PushButton : ControlKind::Other, appearance));
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) apply_fonts(*child, appearance);
}

void translate_dialog(QWidget& dialog, const TranslateText& translate) {
    if (!translate) return;
    if (dialog.isWindow()) dialog.setWindowTitle(translated(dialog.windowTitle(), translate));
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        if (auto* button = qobject_cast<QAbstractButton*>(child)) button->setText(translated(button->text(), translate));
        else if (auto* label = qobject_cast<QLabel*>(child)) label->setText(translated(label->text(), translate));
        else if (auto* combo = qobject_cast<QComboBox*>(child)) {
            for (int index = 0; index < combo->count(); ++index)
                combo->setItemText(index, translated(combo->itemText(index), translate));
        }
    }
}

void paint_heading(QPainter& painter, int width, std::u16string_view text, const Appearance& appearance) {
    const int height = scaled(kHeadingHeight, appearance.dpi);
    painter.save();
    painter.setFont(dialog_font(ControlKind::PushButton, appearance));
    painter.setPen(QColor(0, 0, 156));
    const int x = scaled(kHeadingTextX, appearance.dpi);
    painter.drawText(QRect(x, 0, width - x, height), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     to_qstring(text));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(0, height, width - 1, height);
    painter.restore();
}

void translate_menu_on_open(QMenu& menu, TranslateText translate) {
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu, translate = std::move(translate)] {
        if (translate) translate_actions(menu, translate);
    });
}

bool wants_input_panel_preference(int screen_width, int screen_height) { return screen_width != screen_height; }

bool add_input_panel_preference(QWidget& dialog) {
    if (dialog.findChild<QWidget*>(kInputPanelPreference, Qt::FindDirectChildrenOnly)) return false;
    auto* preference = new QWidget(&dialog);
    preference->setObjectName(kInputPanelPreference);
    preference->hide();
    return true;
}

}  // namespace zt::platform::gui
