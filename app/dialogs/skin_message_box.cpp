#include "app/dialogs/skin_message_box.h"

#include "platform/msgbox/message_box.h"
#include "texts/text_table.h"

namespace zt::app {

void show_error_box(std::u16string_view text) {
    platform::msgbox::MessageBox box;
    box.text = std::u16string(text);
    box.caption = u"Zun Time";
    box.icon = platform::msgbox::Icon::Error;
    platform::msgbox::show_message_box(box);
}

void SkinMessageBox::show_message(std::u16string_view text) { show_error_box(CTextTable::instance().translate(text)); }

}  // namespace zt::app
