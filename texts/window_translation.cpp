#include "texts/window_translation.h"

#include "platform/base/text.h"

namespace zt::app {

void translate_caption(const CTextTable& table, TranslatableWindow& window) {
    std::u16string caption = window.caption();
    if (caption.size() > CTextTable::kMaxCaption) caption.resize(CTextTable::kMaxCaption);
    if (const std::u16string* replacement = table.replacement(caption)) window.set_caption(*replacement);
}

void translate_combo_box(const CTextTable& table, TranslatableComboBox& combo) {
    const int count = combo.item_count();
    for (int index = 0; index < count; ++index) {
        std::optional<std::u16string> text = combo.item_text(index);
        if (!text) continue;
        const std::u16string* replacement = table.replacement(*text);
        if (!replacement) continue;
        uintptr_t data = combo.item_data(index);
        combo.delete_item(index);
        combo.insert_item(index, *replacement);
        combo.set_item_data(index, data);
    }
}

void TranslateWindow(const CTextTable& table, TranslatableWindow& window) {
    translate_caption(table, window);
    for (TranslatableWindow* child : window.children()) {
        if (!child) continue;
        translate_caption(table, *child);
        if (platform::equal_ignoring_case(child->class_name(), u"combobox")) {
            if (TranslatableComboBox* combo = child->combo_box()) translate_combo_box(table, *combo);
        }
    }
}

}  // namespace zt::app
