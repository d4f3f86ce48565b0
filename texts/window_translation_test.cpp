#include "texts/window_translation.h"

#include <gtest/gtest.h>

#include <memory>

namespace zt::app {
namespace {

class FakeCombo : public TranslatableComboBox {
public:
    struct Item {
        std::u16string text;
        uintptr_t data;
        bool readable { true };
    };
    std::vector<Item> items;
    int item_count() const override { return static_cast<int>(items.size()); }
    std::optional<std::u16string> item_text(int i) const override {
        if (!items[static_cast<size_t>(i)].readable) return std::nullopt;
        return items[static_cast<size_t>(i)].text;
    }
    uintptr_t item_data(int i) const override { return items[static_cast<size_t>(i)].data; }
    void delete_item(int i) override { items.erase(items.begin() + i); }
    void insert_item(int i, const std::u16string& text) override { items.insert(items.begin() + i, Item { text, 0 }); }
    void set_item_data(int i, uintptr_t data) override { items[static_cast<size_t>(i)].data = data; }
};

class FakeWindow : public TranslatableWindow {
public:
    FakeWindow(std::u16string caption, std::u16string cls) : text(std::move(caption)), window_class(std::move(cls)) {}
    std::u16string text;
    std::u16string window_class;
    std::vector<std::unique_ptr<FakeWindow>> kids;
    std::unique_ptr<FakeCombo> combo;
    std::u16string caption() const override { return text; }
    void set_caption(const std::u16string& caption) override { text = caption; }
    std::u16string class_name() const override { return window_class; }
    std::vector<TranslatableWindow*> children() const override {
        std::vector<TranslatableWindow*> out;
        for (auto& kid : kids) out.push_back(kid.get());
        return out;
    }
    TranslatableComboBox* combo_box() override { return combo.get(); }
};

void load_german(CTextTable& table) {
    std::string text = "Options|Optionen\nSound|Klang\nDaily|T\xE4glich\nNever|Nie\n";
    ASSERT_TRUE(table.load_bytes(std::vector<uint8_t>(text.begin(), text.end())));
}

TEST(WindowTranslation, CaptionsOfWindowAndChildrenAreTranslated) {
    CTextTable table;
    load_german(table);
    FakeWindow dialog(u"Options", u"dialog");
    dialog.kids.push_back(std::make_unique<FakeWindow>(u"Sound", u"button"));
    dialog.kids.push_back(std::make_unique<FakeWindow>(u"Volume", u"static"));
    TranslateWindow(table, dialog);
    EXPECT_EQ(dialog.text, u"Optionen");
    EXPECT_EQ(dialog.kids[0]->text, u"Klang");
    EXPECT_EQ(dialog.kids[1]->text, u"Volume");
}

TEST(WindowTranslation, ComboItemsKeepTheirPlaceAndDataWord) {
    CTextTable table;
    load_german(table);
    FakeWindow dialog(u"Repeat", u"dialog");
    auto combo_window = std::make_unique<FakeWindow>(u"", u"ComboBox");
    combo_window->combo = std::make_unique<FakeCombo>();
    combo_window->combo->items = { { u"Never", 10 }, { u"Weekly", 20 }, { u"Daily", 30 }, { u"Daily", 40, false } };
    FakeCombo* combo = combo_window->combo.get();
    dialog.kids.push_back(std::move(combo_window));
    TranslateWindow(table, dialog);
    ASSERT_EQ(combo->items.size(), 4u);
    EXPECT_EQ(combo->items[0].text, u"Nie");
    EXPECT_EQ(combo->items[0].data, 10u);
    EXPECT_EQ(combo->items[1].text, u"Weekly");
    EXPECT_EQ(combo->items[2].text, u"T\u00E4glich");
    EXPECT_EQ(combo->items[2].data, 30u);
    EXPECT_EQ(combo->items[3].text, u"Daily") << "an unreadable item is left alone";
}

TEST(WindowTranslation, OnlyComboBoxClassGetsItemsTranslated) {
    CTextTable table;
    load_german(table);
    FakeWindow dialog(u"x", u"dialog");
    auto list = std::make_unique<FakeWindow>(u"", u"listbox");
    list->combo = std::make_unique<FakeCombo>();
    list->combo->items = { { u"Never", 1 } };
    FakeCombo* items = list->combo.get();
    dialog.kids.push_back(std::move(list));
    TranslateWindow(table, dialog);
    EXPECT_EQ(items->items[0].text, u"Never");
}

}  // namespace
}  // namespace zt::app
