#include "app/dialogs/skins_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/dialogs/skin_message_box.h"
#include "app/model/screen_sets.h"
#include "core/settings_bag.h"
#include "core/shared_settings.h"
#include "platform/base/text.h"
#include "platform/gui/popup_menu.h"
#include "platform/gui/tap_and_hold.h"
#include "skins/skin_manager.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

namespace msgbox = platform::msgbox;

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string translate(std::u16string_view text) { return CTextTable::instance().translate(text); }

// The question is translated with its "%s" in place, so a translation may put the name anywhere.
std::u16string removal_question(std::u16string_view skin) {
    std::u16string question = translate(skins::skin_removal_message(skins::SkinRemovalCheck::AskConfirmation, u"%s"));
    const size_t at = question.find(u"%s");
    if (at != std::u16string::npos) question.replace(at, 2, skin);
    return question;
}

// This value alone: the main dialog and the other pages keep their own copies of the rest.
struct ActiveSkinBag {
    ActiveSkinBag() { bag.register_text(kActiveSkinValue, u"Default"); }
    core::CSettingsBag bag;
};

}  // namespace

std::u16string stored_active_skin() {
    ActiveSkinBag active;
    active.bag.load();
    return active.bag.text(kActiveSkinValue);
}

void store_active_skin(std::u16string_view name) {
    ActiveSkinBag active;
    active.bag.set_text(kActiveSkinValue, name);
    active.bag.save();
}

CSkinsPage::CSkinsPage(skins::CSkinManager& manager, SkinChosenHook chosen, QWidget* parent)
    : CProgramPage(u"Skins", parent),
      m_skins(manager),
      m_chosen(chosen ? std::move(chosen) : SkinChosenHook(store_active_skin)) {
    set_help_topic(kSkinsHelpTopic);
    m_list = new QTreeWidget(this);
    m_list->setColumnCount(1);
    // Column headings are not captions the page's look walks through.
    m_list->setHeaderLabels({ to_qstring(translate(u"Skins")) });
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setSectionsMovable(false);
    m_list->header()->setStretchLastSection(true);
    // The list's rows are on its viewport: that is where the pen is held.
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    new platform::gui::TapAndHold(*m_list->viewport());
    QObject::connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) { row_menu(at); });

    m_remove = new QPushButton(QStringLiteral("Remove"), this);
    QObject::connect(m_remove, &QPushButton::clicked, this, [this] { remove_selected(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_remove);
    layout->addLayout(buttons);

    m_active = stored_active_skin();
    fill();
    QObject::connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { selection_changed(); });
}

std::u16string CSkinsPage::selected_skin() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? std::u16string {} : selected.front()->text(0).toStdU16String();
}

void CSkinsPage::fill() {
    m_filling = true;
    m_list->clear();
    for (const std::u16string& name : m_skins.build_skin_list(skins::SkinConsumer::MainProgram))
        m_list->addTopLevelItem(new QTreeWidgetItem(QStringList { to_qstring(name) }));
    m_filling = false;
    select_active();
}

void CSkinsPage::select_active() {
    m_filling = true;
    m_list->clearSelection();
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = m_list->topLevelItem(row);
        if (!platform::equal_ignoring_case(item->text(0).toStdU16String(), m_active)) continue;
        m_list->setCurrentItem(item);
        item->setSelected(true);
        m_list->scrollToItem(item);
        break;
    }
    m_filling = false;
}

void CSkinsPage::selection_changed() {
    if (m_filling) return;
    const std::u16string name = selected_skin();
    if (name.empty() || platform::equal_ignoring_case(name, m_active)) return;
    m_chosen(name);
    // A skin that failed to load leaves another one active (the default skin, or the one before):
    // the list shows that one.
    m_active = stored_active_skin();
    if (!platform::equal_ignoring_case(selected_skin(), m_active)) select_active();
}

void CSkinsPage::row_menu(const QPoint& at) {
    QTreeWidgetItem* row = m_list->itemAt(at);
    if (!row) return;
    QMenu menu(this);
    const QAction* remove = menu.addAction(to_qstring(translate(u"Remove")));
    if (platform::gui::exec_popup_menu(menu, *this, m_list->viewport()->mapToGlobal(at)) == remove) remove_row(*row);
}

void CSkinsPage::remove_row(QTreeWidgetItem& row) {
    m_filling = true;
    m_list->clearSelection();
    row.setSelected(true);
    m_filling = false;
    remove_selected();
    select_active();
}

void CSkinsPage::remove_selected() {
    const std::u16string skin = selected_skin();
    if (skin.empty()) return;
    core::TodaySettings today;
    today.load();
    const skins::SkinRemovalCheck check = skins::check_skin_removal(skin, m_active, today.skin_name);
    if (check != skins::SkinRemovalCheck::AskConfirmation) {
        show_program_box(translate(skins::skin_removal_message(check, skin)), msgbox::Icon::Warning);
        return;
    }
    // No one to answer (an unattended run) must not delete a skin.
    if (show_program_box(removal_question(skin), msgbox::Icon::Question, msgbox::Buttons::YesNo, msgbox::Answer::No) !=
        msgbox::Answer::Yes)
        return;
    m_filling = true;
    delete m_list->selectedItems().front();
    m_filling = false;
    m_skins.remove_skin(skin);
    fill();
}

}  // namespace zt::app
