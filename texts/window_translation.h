#pragma once
// The hooks through which dialogs pass their captions and combo-box items through the text
// table. The dialogs adapt their widgets to these small interfaces, so the rules are tested
// without a window.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "texts/text_table.h"

namespace zt::app {

class TranslatableComboBox {
public:
    virtual ~TranslatableComboBox() = default;
    virtual int item_count() const = 0;
    // nullopt when the item's text cannot be read; such items are left alone.
    virtual std::optional<std::u16string> item_text(int index) const = 0;
    virtual uintptr_t item_data(int index) const = 0;
    virtual void delete_item(int index) = 0;
    virtual void insert_item(int index, const std::u16string& text) = 0;
    virtual void set_item_data(int index, uintptr_t data) = 0;
};

class TranslatableWindow {
public:
    virtual ~TranslatableWindow() = default;
    virtual std::u16string caption() const = 0;
    virtual void set_caption(const std::u16string& caption) = 0;
    virtual std::u16string class_name() const = 0;
    // First child, then each next sibling.
    virtual std::vector<TranslatableWindow*> children() const = 0;
    // The item list when this window is a combo box, else nullptr.
    virtual TranslatableComboBox* combo_box() { return nullptr; }
};

// The caption (at most 4096 units read) gets its replacement when there is a non-empty one.
void translate_caption(const CTextTable& table, TranslatableWindow& window);
// Each readable item with a replacement is replaced at its index, keeping its data word.
void translate_combo_box(const CTextTable& table, TranslatableComboBox& combo);
// The window's caption, then each direct child's caption; children of class "combobox" (any
// case) also get their items translated.
void TranslateWindow(const CTextTable& table, TranslatableWindow& window);

}  // namespace zt::app
