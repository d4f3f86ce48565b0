#include "platform/gui/ui_dump.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTreeView>

#include "platform/gui/control_id.h"
#include "platform/gui/shell_frame.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/gui/task_bar.h"
#include "platform/gui/window_stack.h"

namespace zt::platform::gui {
namespace {

std::u16string plain(const QString& text) { return text.toStdU16String(); }

// "&File" shows as "File", "&&" as "&".
std::u16string without_mnemonic(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown.toStdU16String();
}

std::u16string label_text(const QLabel& label) {
    const QString text = label.text();
    const Qt::TextFormat format = label.textFormat();
    const bool rich = format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    return plain(rich ? QTextDocumentFragment::fromHtml(text).toPlainText() : text);
}

void add_check_state(std::vector<std::string>& states, bool checkable, bool checked) {
    if (checkable) states.emplace_back(checked ? "checked" : "unchecked");
}

// A tab widget and its page stack only arrange: their tab bar and current page are listed in
// their place.
bool is_arranger(const QWidget& widget) {
    if (qobject_cast<const QTabWidget*>(&widget)) return true;
    return qobject_cast<const QStackedWidget*>(&widget) && qobject_cast<const QTabWidget*>(widget.parentWidget());
}

// Controls listed whole: their children are Qt's parts of them.
bool is_whole_control(const QWidget& widget) {
    return qobject_cast<const QAbstractButton*>(&widget) || qobject_cast<const QLabel*>(&widget) ||
           qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QTextEdit*>(&widget) ||
           qobject_cast<const QPlainTextEdit*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
           qobject_cast<const QAbstractSpinBox*>(&widget) || qobject_cast<const QAbstractSlider*>(&widget) ||
           qobject_cast<const QProgressBar*>(&widget) || qobject_cast<const QTabBar*>(&widget) ||
           qobject_cast<const QAbstractItemView*>(&widget);
}

template <typename Control>
const Control* as(const QWidget& widget) {
    return qobject_cast<const Control*>(&widget);
}

// What kind of control a person sees in the widget, and the text it shows.
std::pair<std::string, std::u16string> kind_and_text(const QWidget& widget) {
    if (dynamic_cast<const TaskBar*>(&widget)) return { "taskbar", {} };
    if (dynamic_cast<const SoftKeyBar*>(&widget)) return { "softkeybar", {} };
    if (auto* button = as<QAbstractButton>(widget)) {
        const char* kind = dynamic_cast<const SoftKeyBar*>(widget.parentWidget()) ? "softkey"
                           : as<QCheckBox>(widget)                                ? "checkbox"
                           : as<QRadioButton>(widget)                             ? "radio"
                                                                                  : "button";
        return { kind, without_mnemonic(button->text()) };
    }
    if (auto* label = as<QLabel>(widget)) return { "label", label_text(*label) };
    if (auto* edit = as<QLineEdit>(widget)) return { "edit", plain(edit->displayText()) };
    if (auto* edit = as<QTextEdit>(widget)) return { "edit", plain(edit->toPlainText()) };
    if (auto* edit = as<QPlainTextEdit>(widget)) return { "edit", plain(edit->toPlainText()) };
    if (auto* combo = as<QComboBox>(widget)) return { "combo", plain(combo->currentText()) };
    if (auto* spin = as<QAbstractSpinBox>(widget))
        return { as<QDateTimeEdit>(widget) ? "datetime" : "spin", plain(spin->text()) };
    if (auto* slider = as<QAbstractSlider>(widget))
        return { as<QScrollBar>(widget) ? "scrollbar" : "slider", plain(QString::number(slider->value())) };
    if (auto* progress = as<QProgressBar>(widget)) return { "progress", plain(progress->text()) };
    if (as<QTabBar>(widget)) return { "tabs", {} };
    if (as<QAbstractItemView>(widget)) return { "list", {} };
    if (auto* group = as<QGroupBox>(widget)) return { "group", without_mnemonic(group->title()) };
    if (auto* stack = qobject_cast<const QStackedWidget*>(widget.parentWidget())) {
        if (auto* tabs = qobject_cast<const QTabWidget*>(stack->parentWidget()))
            return { "page", without_mnemonic(tabs->tabText(tabs->indexOf(const_cast<QWidget*>(&widget)))) };
    }
    return { "widget", plain(widget.accessibleName()) };
}

class Describer {
public:
    Describer() : m_origin(device_screen_origin()) {}

    void window(QWidget& window) {
        if (auto* menu = qobject_cast<QMenu*>(&window)) {
            add(line_for(window, 0, "menu", plain(menu->title())));
            menu_items(*menu, 1);
            return;
        }
        // A soft-key bar may stand on its own, as the handheld's menu bar window does.
        const char* kind = dynamic_cast<ShellFrame*>(&window)   ? "frame"
                           : dynamic_cast<SoftKeyBar*>(&window) ? "softkeybar"
                           : qobject_cast<QDialog*>(&window)    ? "dialog"
                                                                : "window";
        add(line_for(window, 0, kind, plain(window.windowTitle())));
        drawn(window, 1);
        children(window, 1);
    }

    std::vector<UiLine> take() { return std::move(m_lines); }

private:
    void add(UiLine line) { m_lines.push_back(std::move(line)); }

    UiLine line_at(int depth, std::string kind, std::u16string text, QRect global_rect) const {
        UiLine line;
        line.depth = depth;
        line.kind = std::move(kind);
        line.text = std::move(text);
        const QPoint at = global_rect.topLeft() - m_origin;
        line.x = at.x();
        line.y = at.y();
        line.width = global_rect.width();
        line.height = global_rect.height();
        return line;
    }

    UiLine line_for(const QWidget& widget, int depth, std::string kind, std::u16string text) const {
        const QRect global(widget.mapToGlobal(QPoint(0, 0)), widget.size());
        UiLine line = line_at(depth, std::move(kind), std::move(text), global);
        line.control_id = control_id(widget);
        line.enabled = widget.isEnabled();
        if (widget.hasFocus()) line.states.emplace_back("focused");
        return line;
    }

    void children(const QWidget& parent, int depth) {
        for (QObject* object : parent.children()) {
            if (!object->isWidgetType()) continue;
            auto* child = static_cast<QWidget*>(object);
            if (child->isWindow() || !child->isVisible()) continue;
            widget(*child, depth);
        }
    }

    void drawn(const QWidget& widget, int depth) {
        for (const DrawnControl& control : drawn_controls(widget)) {
            const QRect global(widget.mapToGlobal(control.rect.topLeft()), control.rect.size());
            UiLine line = line_at(depth, control.kind, control.text, global);
            line.control_id = control.id;
            line.enabled = control.enabled && widget.isEnabled();
            line.states = control.states;
            add(std::move(line));
        }
    }

    void widget(QWidget& widget, int depth) {
        if (is_arranger(widget)) {
            children(widget, depth);
            return;
        }
        add(describe(widget, depth));
        if (auto* tabs = qobject_cast<QTabBar*>(&widget)) tab_items(*tabs, depth + 1);
        if (auto* view = qobject_cast<QAbstractItemView*>(&widget)) rows(*view, view->rootIndex(), depth + 1);
        drawn(widget, depth + 1);
        if (!is_whole_control(widget)) children(widget, depth + 1);
    }

    UiLine describe(const QWidget& widget, int depth) const {
        auto [kind, text] = kind_and_text(widget);
        UiLine line = line_for(widget, depth, std::move(kind), std::move(text));
        if (auto* button = qobject_cast<const QAbstractButton*>(&widget))
            add_check_state(line.states, button->isCheckable(), button->isChecked());
        else if (auto* group = qobject_cast<const QGroupBox*>(&widget))
            add_check_state(line.states, group->isCheckable(), group->isChecked());
        return line;
    }

    void tab_items(const QTabBar& tabs, int depth) {
        for (int index = 0; index < tabs.count(); ++index) {
            if (!tabs.isTabVisible(index)) continue;
            const QRect rect = tabs.tabRect(index);
            const QRect global(tabs.mapToGlobal(rect.topLeft()), rect.size());
            UiLine line = line_at(depth, "tab", without_mnemonic(tabs.tabText(index)), global);
            line.enabled = tabs.isEnabled() && tabs.isTabEnabled(index);
            if (index == tabs.currentIndex()) line.states.emplace_back("selected");
            add(std::move(line));
        }
    }

    void rows(const QAbstractItemView& view, const QModelIndex& parent, int depth) {
        const QAbstractItemModel* model = view.model();
        if (!model) return;
        const QWidget& port = *view.viewport();
        const auto* tree = qobject_cast<const QTreeView*>(&view);
        for (int row = 0; row < model->rowCount(parent); ++row) {
            for (int column = 0; column < model->columnCount(parent); ++column) {
                const QModelIndex index = model->index(row, column, parent);
                const QRect rect = view.visualRect(index);
                if (rect.isEmpty() || !rect.intersects(port.rect())) continue;
                UiLine line = line_at(depth, "item", plain(index.data(Qt::DisplayRole).toString()),
                                      QRect(port.mapToGlobal(rect.topLeft()), rect.size()));
                line.enabled = view.isEnabled() && (model->flags(index) & Qt::ItemIsEnabled);
                const QVariant check = index.data(Qt::CheckStateRole);
                add_check_state(line.states, check.isValid(), check.toInt() != Qt::Unchecked);
                const QItemSelectionModel* selection = view.selectionModel();
                if (selection && selection->isSelected(index)) line.states.emplace_back("selected");
                if (view.hasFocus() && view.currentIndex() == index) line.states.emplace_back("focused");
                add(std::move(line));
            }
            const QModelIndex first = model->index(row, 0, parent);
            if (tree && tree->isExpanded(first)) rows(view, first, depth + 1);
        }
    }

    void menu_items(const QMenu& menu, int depth) {
        for (QAction* action : menu.actions()) {
            if (!action->isVisible()) continue;
            const QRect rect = menu.actionGeometry(action);
            if (rect.isEmpty()) continue;
            const char* kind = action->isSeparator() ? "separator" : action->menu() ? "submenu" : "menuitem";
            const QRect global(menu.mapToGlobal(rect.topLeft()), rect.size());
            UiLine line = line_at(depth, kind, without_mnemonic(action->text()), global);
            line.control_id = control_id(*action);
            line.enabled = action->isEnabled() && menu.isEnabled();
            add_check_state(line.states, action->isCheckable(), action->isChecked());
            if (menu.activeAction() == action) line.states.emplace_back("selected");
            add(std::move(line));
        }
    }

    QPoint m_origin;
    std::vector<UiLine> m_lines;
};

}  // namespace

std::vector<UiLine> describe_device_screen() {
    Describer describer;
    for (QWidget* window : windows_front_to_back()) describer.window(*window);
    return describer.take();
}

}  // namespace zt::platform::gui
