#pragma once
// The main program's skin failures as the user sees them: error message boxes captioned
// "Zun Time", their texts through the text table.
#include <string_view>

#include "skins/skin_manager.h"

namespace zt::app {

void show_error_box(std::u16string_view text);

// "Unable to load skin!" from the skin manager's verification.
class SkinMessageBox final : public skins::SkinMessageSink {
public:
    void show_message(std::u16string_view text) override;
};

}  // namespace zt::app
