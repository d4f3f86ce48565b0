#include "platform/gui/dialog_appearance.h"

#include <QAbstractButton>
#include <QChildEvent>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

#include "platform/gui/screen_metrics.h"

namespace zt::platform::gui {
namespace {

constexpr int kNormalFontHeight = 13;
constexpr int kLargeFontHeight = 14;
constexpr int kHeadingTextX = 8;
constexpr char kInputPanelPreference[] = "SIPPREF";
constexpr char kLookName[] = "zt_dialog_look";
constexpr char kMenuHooked[] = "zt_menu_translated";
// Where a combo-box item keeps its English and what was last shown for it.
constexpr int kEnglishRole = Qt::UserRole + 0x5A70;
constexpr int kShownRole = Qt::UserRole + 0x5A71;

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

int scaled(int length, int dpi) { return length * dpi / 96; }

QString translated(const QString& text, const TranslateText& translate) {
    if (text.isEmpty()) return text;
    return to_qstring(translate(text.toStdU16String()));
}

// The text's English: what it was when first seen, unless code has set another since it was
// last translated. Keeps a second application from translating a translation.
QString translate_once(QObject& object, const char* slot, const QString& current, const TranslateText& translate) {
    const QByteArray english_key = QByteArray("zt_english_") + slot;
    const QByteArray shown_key = QByteArray("zt_shown_") + slot;
    const QVariant shown = object.property(shown_key.constData());
    QString english = current;
    if (shown.isValid() && shown.toString() == current) english = object.property(english_key.constData()).toString();
    const QString text = translated(english, translate);
    object.setProperty(english_key.constData(), english);
    object.setProperty(shown_key.constData(), text);
    return text;
}

void translate_combo(QComboBox& combo, const TranslateText& translate) {
    for (int index = 0; index < combo.count(); ++index) {
        const QString current = combo.itemText(index);
        const QVariant shown = combo.itemData(index, kShownRole);
        const QString english = shown.isValid() && shown.toString() == current ? combo.itemData(index, kEnglishRole).toString()
                                                                               : current;
        const QString text = translated(english, translate);
        // setItemText keeps the item's data word.
        combo.setItemText(index, text);
        combo.setItemData(index, english, kEnglishRole);
        combo.setItemData(index, text, kShownRole);
    }
}

void translate_actions(QMenu& menu, const TranslateText& translate) {
    for (QAction* action : menu.actions()) {
        action->setText(translate_once(*action, "text", action->text(), translate));
        if (action->menu()) translate_actions(*action->menu(), translate);
    }
}

int pixel_size_for_cell(QFont font, int cell) {
    // A face's em is never taller than its cell, so the cell height is the largest candidate.
    for (int size = cell; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= cell) return size;
    }
    return 1;
}

void set_fonts(QWidget& widget, const QFont& button_font, const QFont& other_font) {
    widget.setFont(qobject_cast<QPushButton*>(&widget) ? button_font : other_font);
    for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) set_fonts(*child, button_font, other_font);
}

}  // namespace

int dialog_cell_height(const Appearance& appearance) {
    return scaled(appearance.large_fonts ? kLargeFontHeight : kNormalFontHeight, appearance.dpi);
}

QFont dialog_font(ControlKind kind, const Appearance& appearance) {
    QFont font;
    // Tahoma first; the families after it stand in where it is not installed.
    font.setFamilies({ "Tahoma", "DejaVu Sans", "Liberation Sans", "Noto Sans", "Sans Serif" });
    font.setStyleHint(QFont::SansSerif);
    const bool bold = kind == ControlKind::PushButton && !appearance.large_fonts;
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setPixelSize(pixel_size_for_cell(font, dialog_cell_height(appearance)));
    return font;
}

void apply_fonts(QWidget& dialog, const Appearance& appearance) {
    set_fonts(dialog, dialog_font(ControlKind::PushButton, appearance), dialog_font(ControlKind::Other, appearance));
}

void translate_dialog(QWidget& dialog, const TranslateText& translate) {
    if (!translate) return;
    if (dialog.isWindow()) dialog.setWindowTitle(translate_once(dialog, "title", dialog.windowTitle(), translate));
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        if (auto* button = qobject_cast<QAbstractButton*>(child))
            button->setText(translate_once(*button, "text", button->text(), translate));
        else if (auto* label = qobject_cast<QLabel*>(child))
            label->setText(translate_once(*label, "text", label->text(), translate));
        else if (auto* group = qobject_cast<QGroupBox*>(child))
            group->setTitle(translate_once(*group, "title", group->title(), translate));
        else if (auto* combo = qobject_cast<QComboBox*>(child))
            translate_combo(*combo, translate);
    }
}

void translate_buttons(QWidget& dialog, const TranslateText& translate) {
    if (!translate) return;
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        button->setText(translate_once(*button, "text", button->text(), translate));
}

int heading_strip_height(const Appearance& appearance) { return scaled(kHeadingHeight, appearance.dpi) + 1; }

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

DialogLook::DialogLook(QWidget& dialog, DialogLookOptions options) : QObject(&dialog), m_dialog(dialog) {
    setObjectName(kLookName);
    set_options(std::move(options));
    dialog.installEventFilter(this);
}

DialogLook& DialogLook::install(QWidget& dialog, DialogLookOptions options) {
    if (DialogLook* look = of(dialog)) {
        look->set_options(std::move(options));
        if (look->m_applied) look->apply();
        return *look;
    }
    return *new DialogLook(dialog, std::move(options));
}

DialogLook* DialogLook::of(const QWidget& dialog) { return dialog.findChild<DialogLook*>(kLookName, Qt::FindDirectChildrenOnly); }

void DialogLook::set_options(DialogLookOptions options) {
    m_options = std::move(options);
    // Only the strip's share of the top margin is the look's; the dialog keeps the rest.
    const int strip = m_options.heading.empty() ? 0 : heading_strip_height(m_options.appearance);
    QMargins margins = m_dialog.contentsMargins();
    margins.setTop(margins.top() - m_strip_margin + strip);
    m_strip_margin = strip;
    m_dialog.setContentsMargins(margins);
    m_dialog.update();
}

void DialogLook::apply() {
    m_applied = true;
    apply_fonts(m_dialog, m_options.appearance);
    translate_dialog(m_dialog, m_options.translate);
    hook_menus();
    if (m_options.input_panel_preference) {
        const ScreenMetrics screen = read_screen_metrics();
        if (wants_input_panel_preference(screen.width, screen.height)) add_input_panel_preference(m_dialog);
    }
}

void DialogLook::hook_menus() {
    if (!m_options.translate) return;
    for (QMenu* menu : m_dialog.findChildren<QMenu*>()) {
        if (menu->property(kMenuHooked).isValid()) continue;
        menu->setProperty(kMenuHooked, true);
        // The menu asks the look each time, so options installed later still count.
        QObject::connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            if (m_options.translate) translate_actions(*menu, m_options.translate);
        });
    }
}

bool DialogLook::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_dialog) return false;
    switch (event->type()) {
    case QEvent::Polish:
        if (!m_applied) apply();
        break;
    case QEvent::Show:
        if (m_applied) hook_menus();
        break;
    case QEvent::ChildPolished:
        // A menu made after initialisation; menus deeper down are found at the next show.
        if (m_applied && qobject_cast<QMenu*>(static_cast<QChildEvent*>(event)->child())) hook_menus();
        break;
    case QEvent::Paint:
        // Before the dialog's own painting, which keeps below its top margin.
        if (!m_options.heading.empty()) {
            QPainter painter(&m_dialog);
            paint_heading(painter, m_dialog.width(), m_options.heading, m_options.appearance);
        }
        break;
    default: break;
    }
    return false;
}

}  // namespace zt::platform::gui
