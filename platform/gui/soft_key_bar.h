#pragma once
// The device's soft-key menu bar: a strip of text buttons along the bottom of a window, each
// sending a command identifier, and buttons that open a drop-down menu. The handheld shows it
// over the soft keys; here it is a child widget the owner places at its bottom edge.
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QHBoxLayout;
class QMenu;
class QPushButton;

namespace zt::platform::gui {

class SoftKeyBar final : public QWidget {
public:
    using CommandHandler = std::function<void(uint32_t command)>;
    // Runs just before a drop-down menu opens, so its owner can refill and translate it.
    using MenuHook = std::function<void(QMenu& menu)>;

    explicit SoftKeyBar(QWidget* parent, CommandHandler on_command);

    // Appends (or, with before_last, inserts before the last button) a button with text only;
    // the command is its control id (control_id.h).
    void add_text_button(std::u16string_view text, uint32_t command, bool before_last = false);
    // A button that opens `menu` (not owned; the owner keeps it) upward from the bar.
    void add_menu_button(std::u16string_view text, QMenu* menu, MenuHook about_to_open = {});
    void remove_first_button();

    std::vector<std::u16string> button_texts() const;
    // Presses the n-th button as the user's key press would (tests and hardware keys).
    bool press(size_t index);

    static constexpr int kButtonWidth = 23;
    static constexpr int kButtonHeight = 22;

private:
    void insert(QPushButton* button, bool before_last);

    CommandHandler m_on_command;
    QHBoxLayout* m_layout { nullptr };
    std::vector<QPushButton*> m_buttons;
};

}  // namespace zt::platform::gui
