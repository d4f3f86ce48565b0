#include "skins/text_cut.h"

namespace zt::skins {
namespace {

constexpr std::u16string_view kEllipsis = u"...";

bool is_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool is_high_surrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::u16string cut_text_to_width(std::u16string_view text, int32_t width, const MeasureText& measure) {
    if (measure(text) <= width) return std::u16string(text);
    std::u16string head(text);
    while (!head.empty()) {
        head.pop_back();
        if (!head.empty() && is_high_surrogate(head.back())) head.pop_back();
        std::u16string candidate = head + std::u16string(kEllipsis);
        if (measure(candidate) <= width) break;
    }
    while (!head.empty() && is_blank(head.back())) head.pop_back();
    return head + std::u16string(kEllipsis);
}

int32_t draw_text_cut_to_width(CPicture& picture, std::u16string_view text, Rect rect, const TextStyle& style, bool draw) {
    auto measure = [&](std::u16string_view piece) { return platform::gui::measure_text(style.font, piece).value_or(0); };
    if (!platform::gui::text_drawing_available()) return 0;
    std::u16string shown = cut_text_to_width(text, rect.width(), measure);
    if (draw) {
        platform::gui::TextTarget target { picture.bits(), picture.width(), picture.height(), picture.stride() };
        platform::gui::draw_text(target, style.font, shown, { rect.left, rect.top, rect.right, rect.bottom },
                                 { style.colour.red, style.colour.green, style.colour.blue },
                                 style.format | platform::gui::text_format::kSingleLine | platform::gui::text_format::kNoPrefix);
    }
    return measure(shown);
}

}  // namespace zt::skins
