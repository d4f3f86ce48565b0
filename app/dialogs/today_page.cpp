#include "app/dialogs/today_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QListWidget>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

#include "app/dialogs/narrow_controls.h"
#include "app/model/alarm_notice.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/gui/control_id.h"
#include "platform/profile/device_profile.h"
#include "platform/profile/platform_generation.h"
#include "skins/picture_qimage.h"
#include "texts/text_table.h"
#include "today/today_background.h"

namespace zt::app {

// The item as it will look: a picture the page draws, shown at its own size.
class CTodayPreview final : public QWidget {
public:
    explicit CTodayPreview(QWidget* parent) : QWidget(parent) {}
    void show_picture(const skins::CPicture& picture) {
        skins::to_qimage(picture, m_image);
        setFixedSize(picture.width(), picture.height());
        update();
    }
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, m_image);
    }

private:
    QImage m_image;
};

namespace {

// The page's controls as the device's tools name them.
enum ControlId : int32_t { kViewId = 1401, kCountId, kHideIconId, kSkinListId, kPreviewId };

QString to_qstring(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

std::u16string translate(std::u16string_view text) { return CTextTable::instance().translate(text); }

// The top-left of the background behind the item; what the background does not cover stays black.
void copy_background(skins::CPicture& item, const skins::CPicture& background) {
    const int32_t width = std::min(item.width(), background.width());
    for (int32_t y = 0; y < std::min(item.height(), background.height()); ++y)
        std::memcpy(item.pixel(0, y), background.pixel(0, y), static_cast<size_t>(width) * 3);
}

}  // namespace

CTodayPage::CTodayPage(QWidget* parent)
    : CProgramPage(u"Today", parent),
      m_screen(platform::gui::read_screen_metrics()),
      m_skin_manager(skins::read_skin_screen()),
      m_host(today::read_today_host()) {
    set_help_topic(kTodayHelpTopic);
    m_settings.load();
    m_background = today::today_background(m_screen.width, m_screen.height);
    build();
    show_values();
    choices_changed();
}

QWidget& CTodayPage::preview() const { return *m_preview; }

const QImage& CTodayPage::preview_image() const { return m_preview->image(); }

void CTodayPage::build() {
    // In English: the page's look translates its captions and combo-box items.
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    outer->addLayout(form);
    m_view = new_narrow_combo_box(this);
    for (const char16_t* name : { u"Analog Clock", u"Digital Clock" }) m_view->addItem(to_qstring(name));
    platform::gui::set_control_id(*m_view, kViewId);
    form->addRow(to_qstring(u"View:"), m_view);
    m_count = new_narrow_combo_box(this);
    for (const char16_t* count : { u"1", u"2", u"3", u"4" }) m_count->addItem(to_qstring(count));
    platform::gui::set_control_id(*m_count, kCountId);
    form->addRow(to_qstring(u"Cities Count:"), m_count);
    m_hide_icon = new QCheckBox(to_qstring(u"Hide icon"), this);
    platform::gui::set_control_id(*m_hide_icon, kHideIconId);
    // Inside the tabbed host the host's indent decides about the icon.
    m_hide_icon->setEnabled(!m_host.embedded);
    form->addRow(m_hide_icon);
    m_skins = new QListWidget(this);
    platform::gui::set_control_id(*m_skins, kSkinListId);
    for (const std::u16string& name : m_skin_manager.build_skin_list(skins::SkinConsumer::Applet))
        m_skins->addItem(to_qstring(name));
    form->addRow(to_qstring(u"Skins:"), m_skins);

    // As wide as the screen: it scrolls sideways where the page is narrower.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(false);
    m_preview = new CTodayPreview(scroll);
    m_preview->setObjectName(QStringLiteral("TodayPreview"));
    platform::gui::set_control_id(*m_preview, kPreviewId);
    scroll->setWidget(m_preview);
    outer->addWidget(scroll, 1);

    connect(m_view, &QComboBox::currentIndexChanged, this, [this] { choices_changed(); });
    connect(m_count, &QComboBox::currentIndexChanged, this, [this] { choices_changed(); });
    connect(m_hide_icon, &QCheckBox::toggled, this, [this] { choices_changed(); });
    connect(m_skins, &QListWidget::currentRowChanged, this, [this] { choices_changed(); });
}

void CTodayPage::show_values() {
    m_showing = true;
    // A view the page does not know shows as the analog clock.
    m_view->setCurrentIndex(m_settings.view == today::kDigitalView ? 1 : 0);
    m_count->setCurrentIndex(static_cast<int>(today::effective_cities_count(m_settings.cities_count)) - 1);
    m_hide_icon->setChecked(m_settings.hide_icon);
    for (int row = 0; row < m_skins->count(); ++row) {
        if (platform::equal_ignoring_case(m_skins->item(row)->text().toStdU16String(), m_settings.skin_name)) {
            m_skins->setCurrentRow(row);
            break;
        }
    }
    m_showing = false;
}

void CTodayPage::take_choices(core::TodaySettings& settings) const {
    settings.view = static_cast<uint32_t>(std::max(0, m_view->currentIndex()));
    settings.cities_count = today::effective_cities_count(static_cast<uint32_t>(m_count->currentIndex() + 1));
    settings.hide_icon = m_hide_icon->isChecked();
    const QListWidgetItem* skin = m_skins->currentItem();
    settings.skin_name = skin ? skin->text().toStdU16String() : std::u16string(skins::kDefaultSkinName);
}

void CTodayPage::choices_changed() {
    if (m_showing) return;
    take_choices(m_settings);
    load_skin_images();
    redraw();
}

void CTodayPage::load_skin_images() {
    if (m_loaded_skin == m_settings.skin_name && m_images.complete()) return;
    // The item falls back to the default skin's images the same way.
    if (!m_skin_manager.load_skin(m_settings.skin_name, false)) m_skin_manager.load_skin(skins::kDefaultSkinName, false);
    m_images = today::load_today_images(m_skin_manager);
    m_loaded_skin = m_settings.skin_name;
}

void CTodayPage::redraw() {
    const bool high_resolution = m_screen.high_resolution();
    const uint32_t cities = today::effective_cities_count(m_settings.cities_count);
    const int32_t height = today::today_item_height(m_settings.view, cities, m_images, high_resolution);
    std::optional<skins::CPicture> item = skins::CPicture::create(m_screen.width, height);
    if (!item) return;
    if (m_background) copy_background(*item, *m_background);

    today::TodayContent content;
    content.settings = m_settings;
    content.settings.cities_count = cities;
    content.city_slots = today::load_city_slots();
    content.show_icon = today::icon_shown(m_host, m_settings);
    content.universal = platform::universal_time();
    content.local = platform::local_time();
    content.next_alarm = today::next_alarm_moment(core::CTimeStore::instance(), content.local, content.universal);
    content.local_name = translate(u"local");
    content.none_text = translate(u"none");
    const today::TodayLook look { today::theme_text_colour(),
                                  today::normal_font_height(platform::platform_generation(platform::read_device_profile()),
                                                            m_screen.dpi),
                                  high_resolution };
    today::draw_today_item(*item, content, m_images, look);
    m_preview->show_picture(*item);
}

void CTodayPage::save() {
    core::TodaySettings stored;
    stored.load();
    // Only this page's four values; the item's chosen city stays as the item set it.
    take_choices(stored);
    stored.save();
    tell_today_item(0, contracts::ItemCommand::Change);
}

}  // namespace zt::app
