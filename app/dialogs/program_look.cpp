#include "app/dialogs/program_look.h"

#include "platform/gui/help.h"
#include "platform/gui/screen_metrics.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

platform::gui::Appearance program_appearance() {
    return { .large_fonts = CTextTable::instance().large_fonts(), .dpi = platform::gui::read_screen_metrics().dpi };
}

platform::gui::TranslateText program_translation() {
    return [](std::u16string_view text) { return CTextTable::instance().translate(text); };
}

platform::gui::DialogLook& apply_program_look(QWidget& dialog, std::u16string_view heading, bool input_panel_preference) {
    return platform::gui::DialogLook::install(dialog, { .appearance = program_appearance(),
                                                        .translate = program_translation(),
                                                        .heading = heading.empty() ? std::u16string {} : CTextTable::instance().translate(heading),
                                                        .input_panel_preference = input_panel_preference });
}

void prepare_message_box(QWidget& box) {
    // Their texts come translated from whoever shows them.
    platform::gui::apply_fonts(box, program_appearance());
    platform::gui::translate_buttons(box, program_translation());
}

CProgramDialog::CProgramDialog(std::u16string_view heading, QWidget* parent) : QDialog(parent) {
    setWindowTitle(to_qstring(heading));
    apply_program_look(*this, heading);
}

CProgramPage::CProgramPage(std::u16string_view title, QWidget* parent) : QWidget(parent) {
    apply_program_look(*this, title, false);
}

bool CProgramPage::show_help() const { return !m_help_topic.empty() && platform::gui::start_help(m_help_topic); }

}  // namespace zt::app
