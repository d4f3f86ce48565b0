#pragma once
// The options sheet's alarms page: every alarm of the store in one list, by time of day, with a
// check box that enables it. A tap on a row's text opens the alarm editor; the pen held on the
// list opens the context menu (Dismiss, Enable/Disable, Edit..., Remove for the row; New Alarm
// and New One Time Alarm without one). Every change is saved at once, the next due time
// registered and the Today item told.
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

#include "app/dialogs/alarm_editor.h"
#include "app/dialogs/program_look.h"

class QMenu;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;

namespace zt::core {
class CTimeStore;
}

namespace zt::app {

inline constexpr int32_t kAlarmListId = 1022;
inline constexpr char16_t kAlarmsHelpTopic[] = u"file:ZunTime.htm#options_alarms";

class CAlarmsPage final : public CProgramPage {
public:
    enum class Command { Dismiss, Enable, Disable, Edit, Remove, NewAlarm, NewOneTimeAlarm };

    // run drives the editor (exec() when empty; tests answer it themselves).
    explicit CAlarmsPage(core::CTimeStore& store, QWidget* parent = nullptr, RunAlarmEditor run = {});

    QTreeWidget& list() const { return *m_list; }
    // The selected row's alarm id.
    std::optional<int32_t> selected_alarm() const;
    // The context menu for the current selection, each item's data its Command.
    void fill_menu(QMenu& menu) const;
    // A menu command; without a selected row the row commands do nothing.
    void run(Command command);
    // What a tap on the row's text does.
    void edit_row(int row);

private:
    void fill();
    void collect();
    void check_changed(QTreeWidgetItem& item);
    void hold(const QPoint& at);
    void size_column();

    core::CTimeStore& m_store;
    RunAlarmEditor m_run;
    QTreeWidget* m_list { nullptr };
    std::vector<int32_t> m_alarms;  // the store's alarms the list shows, timers never
    bool m_initialised { false };
    bool m_filling { false };
    bool m_check_toggled { false };
};

}  // namespace zt::app
