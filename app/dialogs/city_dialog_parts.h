#pragma once
// What the city dialogs and pages share: texts between the text table and Qt, their refusals as
// message boxes, the OK / Cancel / Help row, and one form of captioned rows that stand in one
// column on a portrait screen and in several side by side on a landscape one.
#include <QString>

#include <string>
#include <string_view>
#include <vector>

#include "platform/msgbox/message_box.h"

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QWidget;

namespace zt::app::city_parts {

QString qt_text(std::u16string_view text);
std::u16string translated(std::u16string_view english);

// The English text through the text table, in the program's box.
platform::msgbox::Answer show_box(std::u16string_view english, platform::msgbox::Icon icon,
                                  platform::msgbox::Buttons buttons = platform::msgbox::Buttons::Ok);
// Yes/No with No as the default, so a box no one answers changes nothing.
bool ask(std::u16string_view english);

// Spaces, tabs and line breaks only (or nothing).
bool is_blank(std::u16string_view text);

// A drop-down list whose width does not follow its longest item, so that a long country or zone
// name never makes a dialog wider than a 240-pixel screen.
QComboBox* new_list(QWidget* parent);

// The whole device screen, as the handheld's dialogs take it.
void fill_screen(QWidget& dialog);

// OK (runs the dialog's accept), Cancel and Help (the manual at `help_topic`), in English for
// the dialog's look to translate. They share the width there is rather than asking for more.
QDialogButtonBox* make_dialog_buttons(QDialog& dialog, std::u16string help_topic);

// A row: a caption (may be null: the field takes the caption's place too) and its field.
struct FormRow {
    QLabel* caption { nullptr };
    QWidget* field { nullptr };
};

// The rows of a dialog on a widget of their own, laid out again when the screen turns.
class CityForm {
public:
    // landscape_columns: how many columns of rows stand side by side on a landscape screen.
    CityForm(QWidget& host, std::vector<FormRow> rows, int landscape_columns);
    // Lays the rows out for the device's screen now; does nothing when its orientation is the
    // one already laid out.
    void follow_screen();
    bool landscape() const { return m_landscape; }

private:
    void lay_out(bool landscape);

    QWidget& m_host;
    std::vector<FormRow> m_rows;
    int m_landscape_columns { 1 };
    bool m_landscape { false };
    bool m_laid_out { false };
};

}  // namespace zt::app::city_parts
