#include "ringout/button_group.h"

namespace zt::ringout {

std::vector<zt::platform::Rect> CButtonGroup::track(zt::platform::Point point) {
    int hit = -1;
    for (size_t index = 0; index < m_buttons.size(); ++index) {
        if (m_buttons[index]->rect.contains(point)) {
            hit = static_cast<int>(index);
            break;
        }
    }
    std::vector<zt::platform::Rect> repaint;
    if (hit == m_pressed) return repaint;
    if (m_pressed >= 0) repaint.push_back(m_buttons[m_pressed]->rect);
    if (hit >= 0) repaint.push_back(m_buttons[hit]->rect);
    m_pressed = hit;
    return repaint;
}

std::optional<uint32_t> CButtonGroup::release(std::vector<zt::platform::Rect>* repaint) {
    if (m_pressed < 0) return std::nullopt;
    const ImageButton& button = *m_buttons[m_pressed];
    if (repaint) repaint->push_back(button.rect);
    m_pressed = -1;
    return button.command;
}

}  // namespace zt::ringout
