#include "app/frame/toolbar_controls.h"

namespace zt::app {

std::vector<platform::gui::DrawnControl> describe_toolbar(const DialogLayout& layout, int selected_button) {
    std::vector<platform::gui::DrawnControl> controls;
    for (const ToolBarButton& button : layout.buttons) {
        platform::gui::DrawnControl control;
        const int slot = static_cast<int>(button.slot);
        switch (button.slot) {
            case ToolBarSlot::SetSwitch: control.text = u"Screen set"; break;
            case ToolBarSlot::Options: control.text = u"Options"; break;
            default:
                control.text = u"Button " + std::u16string(1, static_cast<char16_t>(u'0' + slot));
                if (slot == selected_button) control.states.emplace_back("selected");
                break;
        }
        control.rect = QRect(button.rect.left, button.rect.top, button.rect.width(), button.rect.height());
        controls.push_back(std::move(control));
    }
    return controls;
}

}  // namespace zt::app
