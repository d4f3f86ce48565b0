// The options sheet "Zun Time": the skins, alarms, timers, cities, Today, screensaver and buttons
// pages.
#include <QLabel>
#include <QVBoxLayout>

#include "app/dialogs/alarms_page.h"
#include "app/dialogs/buttons_page.h"
#include "app/dialogs/options_sheet.h"
#include "app/dialogs/cities_page.h"
#include "app/dialogs/options_sheet_launcher.h"
#include "app/dialogs/program_look.h"
#include "app/dialogs/screensaver_page.h"
#include "app/dialogs/timers_page.h"
#include "app/dialogs/today_page.h"
#include "core/time_store.h"
#include "platform/gui/control_id.h"
#include "platform/gui/property_sheet.h"
#include "skins/skin_manager.h"
#include "texts/text_table.h"
#include "world/favorites_list.h"

namespace zt::app {
namespace {

platform::gui::PropertySheet* g_open_sheet = nullptr;
std::function<void()> g_closed_hook;
SkinChosenHook g_skin_hook;

// The dialog resource of the alarms page, its control id for the device's tools.
constexpr int32_t kAlarmsPageResource = 162;

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string translate(std::u16string_view text) { return CTextTable::instance().translate(text); }

QWidget* title_page(std::u16string_view title) {
    auto* page = new CProgramPage(title);
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel(to_qstring(title), page);
    label->setObjectName(QStringLiteral("PageTitle"));
    layout->addWidget(label);
    layout->addStretch();
    return page;
}

}  // namespace

const std::vector<std::u16string>& options_page_titles() {
    static const std::vector<std::u16string> titles = { u"Skins", u"Alarms", u"Timers", u"Cities",
                                                        u"Today", u"Screensaver", u"Buttons" };
    return titles;
}

void set_options_sheet_closed_hook(std::function<void()> hook) { g_closed_hook = std::move(hook); }

void set_options_sheet_skin_hook(SkinChosenHook hook) { g_skin_hook = std::move(hook); }

int open_options_sheet_page() { return g_open_sheet ? g_open_sheet->current_page() : -1; }

void open_options_sheet(int page, QWidget* parent) {
    const int count = static_cast<int>(options_page_titles().size());
    if (page < 0 || page >= count) page = 0;
    SkinChosenHook skin_chosen = std::move(g_skin_hook);
    g_skin_hook = nullptr;
    if (g_open_sheet) {
        g_open_sheet->select_page(page);
        return;
    }
    // English captions: the sheet's look translates them, and its pages' own, as it initialises.
    platform::gui::PropertySheet sheet(u"Zun Time", parent);
    apply_program_look(sheet, {});
    TimersPage* timers = nullptr;
    CScreensaverPage* screensaver = nullptr;
    CButtonsPage* buttons = nullptr;
    CTodayPage* today = nullptr;
    for (const std::u16string& title : options_page_titles()) {
        QWidget* content = nullptr;
        switch (static_cast<OptionsPage>(sheet.page_count())) {
            case OptionsPage::Skins:
                content = new CSkinsPage(skins::CSkinManager::instance(), std::move(skin_chosen));
                break;
            case OptionsPage::Alarms:
                content = new CAlarmsPage(core::CTimeStore::instance());
                break;
            case OptionsPage::Timers:
                content = timers = new TimersPage;
                break;
            case OptionsPage::ScreenSaver:
                content = screensaver = new CScreensaverPage;
                break;
            case OptionsPage::Buttons:
                content = buttons = new CButtonsPage(CButtonMappings::instance());
                break;
            case OptionsPage::Today:
                content = today = new CTodayPage;
                break;
            case OptionsPage::Cities:
                content = new CCitiesPage(world::FavoritesList::instance());
                break;
            default:
                content = title_page(title);
                break;
        }
        if (sheet.page_count() == static_cast<int>(OptionsPage::Alarms))
            platform::gui::set_control_id(*content, kAlarmsPageResource);
        sheet.add_page(translate(title), content);
    }
    sheet.set_ok_handler([timers, screensaver, buttons, today] {
        timers->save();
        today->save();
        screensaver->save();
        buttons->save();
        return true;
    });
    sheet.select_page(page);
    g_open_sheet = &sheet;
    sheet.run();
    g_open_sheet = nullptr;
    // The hook belongs to this opening; take it before running so a reopening sets its own.
    std::function<void()> closed = std::move(g_closed_hook);
    g_closed_hook = nullptr;
    if (closed) closed();
}

}  // namespace zt::app
