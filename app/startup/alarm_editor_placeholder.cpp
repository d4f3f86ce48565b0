#include "app/startup/alarm_editor_placeholder.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/texts/text_table.h"
#include "platform/gui/dialog_appearance.h"
#include "platform/gui/screen_metrics.h"

namespace zt::app {

namespace {

QString qt_text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string translate(std::u16string_view english) { return CTextTable::instance().translate(english); }

}  // namespace

std::u16string alarm_editor_heading(const CommandLine& line) {
    switch (line.mode) {
    case StartMode::NewAlarm: return translate(u"New Alarm");
    case StartMode::NewOneTimeAlarm: return translate(u"New One Time Alarm");
    default: return translate(u"Alarm Options");
    }
}

AlarmEditorPlaceholder::AlarmEditorPlaceholder(const CommandLine& line, QWidget* parent) : QDialog(parent) {
    const std::u16string heading = alarm_editor_heading(line);
    setWindowTitle(qt_text(heading));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(qt_text(translate(u"The alarm editor is not available in this version.")), this);
    text->setWordWrap(true);
    layout->addWidget(text);
    if (line.mode == StartMode::EditAlarm) {
        layout->addWidget(new QLabel(qt_text(translate(u"Alarm")) + QStringLiteral(" %1").arg(line.numbers[0]), this));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);

    const auto metrics = zt::platform::gui::read_screen_metrics();
    zt::platform::gui::apply_fonts(*this, zt::platform::gui::Appearance { .large_fonts = false, .dpi = metrics.dpi });
    // A device window, so the device (and tests) see the dialog the command line asked for.
    m_pump = zt::platform::QtMessagePump::create(kDialogClass, heading, this);
}

AlarmEditorPlaceholder::~AlarmEditorPlaceholder() = default;

}  // namespace zt::app
