#include "app/dialogs/alarm_editor_placeholder.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "texts/text_table.h"

namespace zt::app {

namespace {

QString qt_text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string translate(std::u16string_view english) { return CTextTable::instance().translate(english); }

std::u16string_view english_heading(const CommandLine& line) {
    switch (line.mode) {
    case StartMode::NewAlarm: return u"New Alarm";
    case StartMode::NewOneTimeAlarm: return u"New One Time Alarm";
    default: return u"Alarm Options";
    }
}

}  // namespace

std::u16string alarm_editor_heading(const CommandLine& line) { return translate(english_heading(line)); }

AlarmEditorPlaceholder::AlarmEditorPlaceholder(const CommandLine& line, QWidget* parent)
    : CProgramDialog(english_heading(line), parent) {
    // English captions: the dialog's look translates them as it initialises.
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(qt_text(u"The alarm editor is not available in this version."), this);
    text->setWordWrap(true);
    layout->addWidget(text);
    if (line.mode == StartMode::EditAlarm) {
        // A text made up here is shown as made, the word in it translated.
        auto* number = new QLabel(qt_text(translate(u"Alarm")) + QStringLiteral(" %1").arg(line.numbers[0]), this);
        number->setObjectName(QStringLiteral("AlarmNumber"));
        layout->addWidget(number);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(qt_text(u"OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    // A device window, so the device (and tests) see the dialog the command line asked for.
    m_pump = zt::platform::QtMessagePump::create(kDialogClass, alarm_editor_heading(line), this);
}

AlarmEditorPlaceholder::~AlarmEditorPlaceholder() = default;

}  // namespace zt::app
