#pragma once
// The main program's dialogs and pages share the device's dialog look
// (platform/gui/dialog_appearance.h), set by the program's text table: the large-font switch,
// captions, combo-box items and menus translated, the heading strip. A dialog or page made from
// CProgramDialog or CProgramPage has it by construction; build them with their English captions,
// which the look translates when the dialog initialises.
#include <QDialog>
#include <QWidget>

#include <string>
#include <string_view>
#include <utility>

#include "platform/gui/dialog_appearance.h"

namespace zt::app {

// The large-font switch from the text table, the screen's dots per inch.
platform::gui::Appearance program_appearance();
// Through the process's text table.
platform::gui::TranslateText program_translation();

// Puts the program's look on a dialog, a page or a sheet made elsewhere. The heading is
// English and shown translated; empty: no strip. Pages leave the input-panel preference to
// their sheet.
platform::gui::DialogLook& apply_program_look(QWidget& dialog, std::u16string_view heading, bool input_panel_preference = true);

// Message boxes are the device's, with the program's fonts and button words.
void prepare_message_box(QWidget& box);

class CProgramDialog : public QDialog {
public:
    // The heading (English) is also the dialog's caption.
    explicit CProgramDialog(std::u16string_view heading, QWidget* parent = nullptr);
};

class CProgramPage : public QWidget {
public:
    // A page of a sheet, with its title (English) as its heading.
    explicit CProgramPage(std::u16string_view title, QWidget* parent = nullptr);

    // The manual's topic for the page ("file:ZunTime.htm#..."); empty when it has none.
    const std::u16string& help_topic() const { return m_help_topic; }
    // Opens the manual at the page's topic; false without a topic or when the help program
    // cannot be started.
    bool show_help() const;

protected:
    void set_help_topic(std::u16string topic) { m_help_topic = std::move(topic); }

private:
    std::u16string m_help_topic;
};

}  // namespace zt::app
