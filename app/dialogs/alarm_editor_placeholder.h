#pragma once
// Stands in for the alarm editor until it is built: a small device dialog (class "Dialog")
// with the editor's heading that says so and closes with OK. Exposed for the tests.
#include <memory>
#include <string>

#include "app/dialogs/program_look.h"
#include "app/model/start_mode.h"
#include "platform/windows/qt/qt_message_pump.h"

namespace zt::app {

inline constexpr char16_t kDialogClass[] = u"Dialog";

// "New Alarm", "New One Time Alarm" or "Alarm Options" (through the text table).
std::u16string alarm_editor_heading(const CommandLine& line);

class AlarmEditorPlaceholder final : public CProgramDialog {
public:
    AlarmEditorPlaceholder(const CommandLine& line, QWidget* parent);
    ~AlarmEditorPlaceholder() override;

private:
    std::unique_ptr<zt::platform::QtMessagePump> m_pump;
};

}  // namespace zt::app
