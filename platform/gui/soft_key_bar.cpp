#include "platform/gui/soft_key_bar.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>

#include "platform/gui/control_id.h"
#include "platform/power/user_activity.h"

namespace zt::platform::gui {
namespace {

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SoftKeyBar::SoftKeyBar(QWidget* parent, CommandHandler on_command)
    : QWidget(parent), m_on_command(std::move(on_command)) {
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setMinimumHeight(kButtonHeight);
}

void SoftKeyBar::insert(QPushButton* button, bool before_last) {
    button->setMinimumSize(kButtonWidth, kButtonHeight);
    button->setFlat(true);
    // Soft keys are pressed, never focused: a focused one would take the action key as a press
    // of itself, and the hardware keys from the program.
    button->setFocusPolicy(Qt::NoFocus);
    const size_t at = before_last && !m_buttons.empty() ? m_buttons.size() - 1 : m_buttons.size();
    m_layout->insertWidget(static_cast<int>(at), button, 1);
    m_buttons.insert(m_buttons.begin() + static_cast<ptrdiff_t>(at), button);
}

void SoftKeyBar::add_text_button(std::u16string_view text, uint32_t command, bool before_last) {
    auto* button = new QPushButton(to_qstring(text), this);
    set_control_id(*button, static_cast<std::int32_t>(command));
    connect(button, &QPushButton::clicked, this, [this, command] {
        signal_user_activity();
        if (m_on_command) m_on_command(command);
    });
    insert(button, before_last);
}

void SoftKeyBar::add_menu_button(std::u16string_view text, QMenu* menu, MenuHook about_to_open) {
    auto* button = new QPushButton(to_qstring(text), this);
    connect(button, &QPushButton::clicked, this, [this, button, menu, hook = std::move(about_to_open)] {
        signal_user_activity();
        if (!menu) return;
        if (hook) hook(*menu);
        const QSize size = menu->sizeHint();
        menu->popup(button->mapToGlobal(QPoint(0, -size.height())));
    });
    insert(button, false);
}

void SoftKeyBar::remove_first_button() {
    if (m_buttons.empty()) return;
    QPushButton* first = m_buttons.front();
    m_buttons.erase(m_buttons.begin());
    m_layout->removeWidget(first);
    first->deleteLater();
}

std::vector<std::u16string> SoftKeyBar::button_texts() const {
    std::vector<std::u16string> texts;
    for (const auto* button : m_buttons) texts.push_back(button->text().toStdU16String());
    return texts;
}

bool SoftKeyBar::press(size_t index) {
    if (index >= m_buttons.size()) return false;
    m_buttons[index]->click();
    return true;
}

}  // namespace zt::platform::gui
