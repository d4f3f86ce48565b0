#include "app/dialogs/minutes_picker.h"

#include <QTime>
#include <QTimeEdit>

#include <algorithm>

#include "platform/gui/control_id.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

constexpr uint32_t kLongestSeconds = 24 * 3600 - 1;

}  // namespace

QTimeEdit* make_minutes_picker(QWidget* parent, int32_t control_id) {
    auto* picker = new QTimeEdit(parent);
    const std::u16string word = CTextTable::instance().translate(u"min");
    // A quote in the word would end the quoted text of the format early; doubled it stays one.
    QString quoted = QString::fromUtf16(word.data(), static_cast<qsizetype>(word.size()));
    quoted.replace(QStringLiteral("'"), QStringLiteral("''"));
    picker->setDisplayFormat(QStringLiteral("mm' ") + quoted + QStringLiteral("'"));
    picker->setTimeRange(QTime(0, 0), QTime(23, 59, 59));
    platform::gui::set_control_id(*picker, control_id);
    return picker;
}

void set_picker_seconds(QTimeEdit& picker, uint32_t seconds) {
    picker.setTime(QTime(0, 0).addSecs(static_cast<int>(std::min(seconds, kLongestSeconds))));
}

uint32_t picker_seconds(const QTimeEdit& picker) {
    return static_cast<uint32_t>(picker.time().msecsSinceStartOfDay() / 1000);
}

}  // namespace zt::app
