#pragma once
// The main program's message boxes as the user sees them: captioned "Zun Time", their texts
// through the text table by whoever shows them; the skin failures among them.
#include <optional>
#include <string_view>

#include "platform/msgbox/message_box.h"
#include "skins/skin_manager.h"

namespace zt::app {

// The text as given (already translated). Without a default answer the first button is it.
platform::msgbox::Answer show_program_box(std::u16string_view text, platform::msgbox::Icon icon,
                                          platform::msgbox::Buttons buttons = platform::msgbox::Buttons::Ok,
                                          std::optional<platform::msgbox::Answer> default_answer = std::nullopt);
void show_error_box(std::u16string_view text);

// "Unable to load skin!" from the skin manager's verification.
class SkinMessageBox final : public skins::SkinMessageSink {
public:
    void show_message(std::u16string_view text) override;
};

}  // namespace zt::app
