#include "app/dialogs/timer_laps_view.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "app/dialogs/editor_frame.h"
#include "core/timer.h"
#include "platform/gui/control_id.h"
#include "platform/gui/help.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

namespace gui = platform::gui;

constexpr char16_t kHeading[] = u"Lap Times";

QString translated(std::u16string_view text) {
    const std::u16string translation = CTextTable::instance().translate(text);
    return QString::fromUtf16(translation.data(), static_cast<qsizetype>(translation.size()));
}

QString to_qstring(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CTimerLapsView::CTimerLapsView(const core::CTimer& timer, QWidget* parent) : CProgramDialog(kHeading, parent) {
    gui::set_control_id(*this, kLapTimesResource);
    m_list = new QTreeWidget(this);
    gui::set_control_id(*m_list, kLapListId);
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({ translated(u"Split"), translated(u"Total"), QString() });
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    const QString lap = translated(u"lap");
    const QString stop = translated(u"stop");
    for (size_t index = 0; index < timer.laps().size(); ++index) {
        const std::optional<core::CTimer::LapReading> reading = timer.lap_reading(index);
        if (!reading) break;
        m_list->addTopLevelItem(new QTreeWidgetItem(QStringList { to_qstring(core::format_lap_text(reading->split_ms)),
                                                                  to_qstring(core::format_lap_text(reading->time_ms)),
                                                                  reading->pause ? stop : lap }));
    }
    for (int column = 0; column < m_list->columnCount(); ++column) m_list->resizeColumnToContents(column);

    m_soft_keys = make_editor_soft_keys(
        *this,
        [this](uint32_t command) {
            if (command == kEditorOkCommand) accept();
            if (command == kEditorHelpCommand) gui::start_help(kLapTimesHelpTopic);
        },
        nullptr, false);
    lay_out_editor(*this, nullptr, m_list, true, *m_soft_keys);
    m_pump = make_dialog_window(*this, kHeading);
}

CTimerLapsView::~CTimerLapsView() = default;

void show_timer_laps(const core::CTimer& timer, QWidget* parent) {
    CTimerLapsView view(timer, parent);
    view.exec();
}

}  // namespace zt::app
