#include "app/dialogs/editor_frame.h"

#include <QDialog>
#include <QVBoxLayout>

#include "platform/gui/screen_metrics.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

std::u16string translate(std::u16string_view text) { return CTextTable::instance().translate(text); }

}  // namespace

platform::gui::SoftKeyBar* make_editor_soft_keys(QDialog& dialog, std::function<void(uint32_t command)> on_command,
                                                 QMenu* tools, bool with_cancel) {
    auto* keys = new platform::gui::SoftKeyBar(&dialog, std::move(on_command));
    keys->add_text_button(translate(u"OK"), kEditorOkCommand);
    if (tools) keys->add_menu_button(translate(u"Tools"), tools);
    keys->add_text_button(translate(u"Help"), kEditorHelpCommand);
    if (with_cancel) keys->add_text_button(translate(u"Cancel"), kEditorCancelCommand);
    return keys;
}

void lay_out_editor(QDialog& dialog, QLayout* fields, QWidget* body, bool body_stretches, QWidget& soft_keys) {
    const platform::gui::ScreenMetrics screen = platform::gui::read_screen_metrics();
    auto* layout = new QVBoxLayout(&dialog);
    const int margin = screen.scaled(4);
    layout->setContentsMargins(margin, margin, margin, margin);
    if (fields) layout->addLayout(fields);
    if (body) layout->addWidget(body, body_stretches ? 1 : 0);
    if (!body_stretches) layout->addStretch(1);
    layout->addWidget(&soft_keys);
    dialog.resize(screen.width, screen.height);
}

std::unique_ptr<platform::QtMessagePump> make_dialog_window(QDialog& dialog, std::u16string_view english_heading) {
    return platform::QtMessagePump::create(kDialogClass, translate(english_heading), &dialog);
}

}  // namespace zt::app
