#include "app/dialogs/skin_message_box.h"

#include "app/model/anchor_protocol.h"
#include "texts/text_table.h"

namespace zt::app {

platform::msgbox::Answer show_program_box(std::u16string_view text, platform::msgbox::Icon icon,
                                          platform::msgbox::Buttons buttons,
                                          std::optional<platform::msgbox::Answer> default_answer) {
    platform::msgbox::MessageBox box;
    box.text = std::u16string(text);
    box.caption = kApplicationTitle;
    box.icon = icon;
    box.buttons = buttons;
    box.default_answer = default_answer;
    return platform::msgbox::show_message_box(box);
}

void show_error_box(std::u16string_view text) { show_program_box(text, platform::msgbox::Icon::Error); }

void SkinMessageBox::show_message(std::u16string_view text) { show_error_box(CTextTable::instance().translate(text)); }

}  // namespace zt::app
