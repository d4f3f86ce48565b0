#include "app/dialogs/alarms_page.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/dialogs/skin_message_box.h"
#include "app/model/alarm_notice.h"
#include "app/model/alarm_rows.h"
#include "core/time_store.h"
#include "platform/gui/control_id.h"
#include "platform/gui/locale_clock.h"
#include "platform/gui/popup_menu.h"
#include "platform/gui/tap_and_hold.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

namespace msgbox = platform::msgbox;
using contracts::ItemCommand;

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string translate(std::u16string_view text) { return CTextTable::instance().translate(text); }

int32_t row_alarm(const QTreeWidgetItem& item) { return item.data(0, Qt::UserRole).toInt(); }

}  // namespace

CAlarmsPage::CAlarmsPage(core::CTimeStore& store, QWidget* parent, RunAlarmEditor run)
    : CProgramPage(u"Alarms", parent), m_store(store), m_run(std::move(run)) {
    set_help_topic(kAlarmsHelpTopic);
    m_list = new QTreeWidget(this);
    platform::gui::set_control_id(*m_list, kAlarmListId);
    m_list->setColumnCount(1);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    new platform::gui::TapAndHold(*m_list->viewport());
    QObject::connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) { hold(at); });
    QObject::connect(m_list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        if (item) check_changed(*item);
    });
    QObject::connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        // A tap on the check box toggled it (itemChanged came first); only a tap on the text edits.
        const bool toggled = std::exchange(m_check_toggled, false);
        if (item && !toggled) edit_row(m_list->indexOfTopLevelItem(item));
    });

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Alarms"), this);
    title->setObjectName(QStringLiteral("PageTitle"));
    layout->addWidget(title);
    layout->addWidget(m_list, 1);

    collect();
    fill();
    m_initialised = true;
}

void CAlarmsPage::collect() {
    m_alarms.clear();
    m_store.for_each([this](const core::CTimeItem& item) {
        if (item.item_type() == core::ItemType::Alarm) m_alarms.push_back(item.id());
    });
}

void CAlarmsPage::fill() {
    const int remembered = m_list->currentItem() && m_list->currentItem()->isSelected()
                               ? m_list->indexOfTopLevelItem(m_list->currentItem())
                               : -1;
    std::vector<const core::CAlarm*> alarms;
    for (int32_t id : m_alarms)
        if (const core::CAlarm* alarm = m_store.find_alarm(id)) alarms.push_back(alarm);
    sort_alarm_rows(alarms);
    const bool twelve_hour = platform::gui::locale_time_indicator() == u"0";
    m_filling = true;
    m_alarms.clear();
    m_list->clear();
    for (const core::CAlarm* alarm : alarms) {
        m_alarms.push_back(alarm->id());
        auto* row = new QTreeWidgetItem(m_list);
        row->setText(0, to_qstring(alarm_row_text(*alarm, twelve_hour, translate)));
        row->setData(0, Qt::UserRole, alarm->id());
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, alarm->enabled() ? Qt::Checked : Qt::Unchecked);
    }
    if (remembered >= 0 && m_list->topLevelItemCount() > 0) {
        QTreeWidgetItem* row = m_list->topLevelItem(std::min(remembered, m_list->topLevelItemCount() - 1));
        m_list->setCurrentItem(row);
        row->setSelected(true);
    }
    m_filling = false;
    size_column();
}

void CAlarmsPage::size_column() { m_list->setColumnWidth(0, m_list->viewport()->width()); }

std::optional<int32_t> CAlarmsPage::selected_alarm() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return row_alarm(*selected.front());
}

void CAlarmsPage::check_changed(QTreeWidgetItem& item) {
    if (!m_initialised || m_filling) return;
    m_check_toggled = true;
    core::CAlarm* alarm = m_store.find_alarm(row_alarm(item));
    const bool enable = item.checkState(0) == Qt::Checked;
    if (!alarm || alarm->enabled() == enable) return;
    alarm->set_enabled(enable);
    alarm->save();
    announce_alarm_change(m_store, alarm->id(), enable ? ItemCommand::Enable : ItemCommand::Disable);
    // Enabling or disabling ends a snooze: the row stops saying so.
    m_filling = true;
    item.setText(0, to_qstring(alarm_row_text(*alarm, platform::gui::locale_time_indicator() == u"0", translate)));
    m_filling = false;
    size_column();
}

void CAlarmsPage::edit_row(int row) {
    const QTreeWidgetItem* item = m_list->topLevelItem(row);
    if (!item) return;
    if (open_alarm_editor(m_store, AlarmEditRequest { .alarm_id = row_alarm(*item), .one_time = false }, this, m_run))
        fill();
}

void CAlarmsPage::fill_menu(QMenu& menu) const {
    const auto add = [&menu](std::u16string_view english, Command command) {
        menu.addAction(to_qstring(translate(english)))->setData(static_cast<int>(command));
    };
    const std::optional<int32_t> id = selected_alarm();
    const core::CAlarm* alarm = id ? m_store.find_alarm(*id) : nullptr;
    if (!alarm) {
        add(u"New Alarm", Command::NewAlarm);
        add(u"New One Time Alarm", Command::NewOneTimeAlarm);
        return;
    }
    if (alarm->snoozed) add(u"Dismiss", Command::Dismiss);
    if (alarm->enabled())
        add(u"Disable", Command::Disable);
    else
        add(u"Enable", Command::Enable);
    add(u"Edit...", Command::Edit);
    menu.addSeparator();
    add(u"Remove", Command::Remove);
}

void CAlarmsPage::hold(const QPoint& at) {
    if (QTreeWidgetItem* row = m_list->itemAt(at)) {
        m_list->setCurrentItem(row);
        row->setSelected(true);
    } else {
        m_list->clearSelection();
    }
    QMenu menu(this);
    fill_menu(menu);
    const QAction* chosen = platform::gui::exec_popup_menu(menu, *this, m_list->viewport()->mapToGlobal(at));
    if (chosen && chosen->data().isValid()) run(static_cast<Command>(chosen->data().toInt()));
}

void CAlarmsPage::run(Command command) {
    if (command == Command::NewAlarm || command == Command::NewOneTimeAlarm) {
        const AlarmEditRequest request { .alarm_id = std::nullopt, .one_time = command == Command::NewOneTimeAlarm };
        if (const std::optional<int32_t> id = open_alarm_editor(m_store, request, this, m_run)) {
            m_alarms.push_back(*id);
            fill();
        }
        return;
    }
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) return;
    QTreeWidgetItem& row = *selected.front();
    core::CAlarm* alarm = m_store.find_alarm(row_alarm(row));
    if (!alarm) return;
    const int32_t id = alarm->id();
    switch (command) {
    case Command::Dismiss:
        alarm->clear_snooze();
        alarm->save();
        fill();
        announce_alarm_change(m_store, id, ItemCommand::Dismiss);
        break;
    case Command::Enable:
    case Command::Disable:
        row.setCheckState(0, command == Command::Enable ? Qt::Checked : Qt::Unchecked);
        m_check_toggled = false;
        break;
    case Command::Edit:
        edit_row(m_list->indexOfTopLevelItem(&row));
        break;
    case Command::Remove:
        // No one to answer (an unattended run) must not delete an alarm.
        if (show_program_box(translate(u"Are you sure you want to delete this alarm?"), msgbox::Icon::Question,
                             msgbox::Buttons::YesNo, msgbox::Answer::No) != msgbox::Answer::Yes)
            return;
        m_store.remove(id);
        m_alarms.erase(std::remove(m_alarms.begin(), m_alarms.end(), id), m_alarms.end());
        m_filling = true;
        delete &row;
        m_filling = false;
        announce_alarm_change(m_store, id, ItemCommand::Delete);
        break;
    default:
        break;
    }
}

}  // namespace zt::app
