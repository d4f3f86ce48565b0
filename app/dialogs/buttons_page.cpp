#include "app/dialogs/buttons_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/dialogs/narrow_controls.h"
#include "platform/gui/control_id.h"
#include "platform/gui/key_codes.h"
#include "platform/gui/screen_metrics.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

namespace gui = platform::gui;

// Pixels, not scaled: a high-resolution screen has room for twice the width.
constexpr int kWideColumn = 200;
constexpr int kNarrowColumn = 100;

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString translated(std::u16string_view text) { return to_qstring(CTextTable::instance().translate(text)); }

}  // namespace

std::vector<uint32_t> selectable_keys(bool square_screen) {
    if (square_screen) return { 0, gui::VK_APP1, gui::VK_APP2, gui::VK_APP3, gui::VK_APP4 };
    return { 0,           gui::VK_LEFT, gui::VK_RIGHT, gui::VK_UP,   gui::VK_DOWN,
             gui::VK_RETURN, gui::VK_APP1, gui::VK_APP2, gui::VK_APP3, gui::VK_APP4 };
}

CButtonsPage::CButtonsPage(CButtonMappings& mappings, QWidget* parent)
    : CProgramPage(u"Buttons", parent), m_mappings(mappings), m_edited(mappings) {
    // The stored bindings are what the page edits: the process's set only ever holds them (this
    // page is its one writer), and OK must not write unread defaults over them.
    m_edited.load();
    set_help_topic(kButtonsHelpTopic);
    gui::set_control_id(*this, kButtonsPageResource);
    const gui::ScreenMetrics screen = gui::read_screen_metrics();

    m_screens = new_narrow_combo_box(this);
    // English items: the page's look translates them as it initialises.
    for (const char16_t* name : { u"Analog Clock", u"Digital Clock", u"World Time", u"Stopwatch and Counters",
                                  u"Countdown Timers" })
        m_screens->addItem(to_qstring(name));
    gui::set_control_id(*m_screens, kScreenSelectorId);

    m_list = new QTreeWidget(this);
    gui::set_control_id(*m_list, kMappingListId);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({ translated(u"Action"), translated(u"Button") });
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(false);
    const int column_width = screen.high_resolution() ? kWideColumn : kNarrowColumn;
    m_list->setColumnWidth(0, column_width);
    m_list->setColumnWidth(1, column_width);

    m_keys = new_narrow_combo_box(this);
    m_key_codes = selectable_keys(screen.square());
    for (uint32_t key : m_key_codes) m_keys->addItem(to_qstring(mapped_key_name(key)));
    gui::set_control_id(*m_keys, kKeySelectorId);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Screen:"), this), 0, 0);
    layout->addWidget(m_screens, 0, 1);
    layout->addWidget(m_list, 1, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Button:"), this), 2, 0);
    layout->addWidget(m_keys, 2, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    // The page opens on the profile of the screen the user came from, when the selector has it.
    const auto current = std::find(kScreenSelectorProfiles.begin(), kScreenSelectorProfiles.end(), m_edited.current_profile());
    const int choice = current == kScreenSelectorProfiles.end() ? 0 : static_cast<int>(current - kScreenSelectorProfiles.begin());
    m_screens->setCurrentIndex(choice);
    screen_chosen(choice);

    QObject::connect(m_screens, &QComboBox::currentIndexChanged, this, [this](int index) { screen_chosen(index); });
    QObject::connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { row_selected(); });
    QObject::connect(m_keys, &QComboBox::currentIndexChanged, this, [this](int index) { key_chosen(index); });
}

void CButtonsPage::screen_chosen(int choice) {
    if (choice < 0 || choice >= static_cast<int>(kScreenSelectorProfiles.size())) return;
    m_edited.select_profile(kScreenSelectorProfiles[static_cast<size_t>(choice)]);
    fill();
}

void CButtonsPage::fill() {
    m_list->clear();
    for (const MappingEntry& entry : m_edited.entries(m_edited.current_profile()))
        m_list->addTopLevelItem(new QTreeWidgetItem(QStringList { to_qstring(mapped_action_name(entry.action)),
                                                                  to_qstring(mapped_key_name(entry.key)) }));
    row_selected();
}

int CButtonsPage::selected_row() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

void CButtonsPage::row_selected() {
    const int row = selected_row();
    m_keys->setEnabled(row >= 0);
    const std::vector<MappingEntry>& entries = m_edited.entries(m_edited.current_profile());
    const uint32_t key = row >= 0 ? entries[static_cast<size_t>(row)].key : 0;
    const auto offered = std::find(m_key_codes.begin(), m_key_codes.end(), key);
    // A key the selector does not offer (stored from a screen of another shape) shows no choice.
    m_showing_key = true;
    m_keys->setCurrentIndex(offered == m_key_codes.end() ? -1 : static_cast<int>(offered - m_key_codes.begin()));
    m_showing_key = false;
}

void CButtonsPage::key_chosen(int index) {
    const int row = selected_row();
    if (m_showing_key || row < 0 || index < 0 || index >= static_cast<int>(m_key_codes.size())) return;
    const uint32_t bound = m_edited.bind(static_cast<size_t>(row), m_key_codes[static_cast<size_t>(index)]);
    m_list->topLevelItem(row)->setText(1, to_qstring(mapped_key_name(bound)));
    if (bound != m_key_codes[static_cast<size_t>(index)]) row_selected();
}

void CButtonsPage::save() {
    const size_t current = m_mappings.current_profile();
    m_mappings = m_edited;
    m_mappings.select_profile(current);
    m_mappings.save();
}

}  // namespace zt::app
