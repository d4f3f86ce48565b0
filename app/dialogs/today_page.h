#pragma once
// The options sheet's Today page: the Today item's view, cities count, icon and skin, with a
// live preview of the item drawn by the item's own view code on the Today background. Every
// change redraws the preview; OK stores the choices and tells the item to reload.
#include <QImage>

#include <optional>

#include "app/dialogs/program_look.h"
#include "core/shared_settings.h"
#include "platform/gui/screen_metrics.h"
#include "skins/picture.h"
#include "skins/skin_manager.h"
#include "today/today_view.h"

class QCheckBox;
class QComboBox;
class QListWidget;

namespace zt::app {

inline constexpr char16_t kTodayHelpTopic[] = u"file:ZunTime.htm#options_today";

class CTodayPreview;

class CTodayPage final : public CProgramPage {
public:
    explicit CTodayPage(QWidget* parent = nullptr);

    // Stores "View", "CitiesCount", "TodaySkinName" and "HideIcon" and posts the item its reload.
    void save();

    QComboBox& view() const { return *m_view; }
    QComboBox& cities_count() const { return *m_count; }
    QCheckBox& hide_icon() const { return *m_hide_icon; }
    QListWidget& skins() const { return *m_skins; }
    QWidget& preview() const;
    // What the preview shows now.
    const QImage& preview_image() const;
    const core::TodaySettings& settings() const { return m_settings; }

private:
    void build();
    void show_values();
    // View, cities count (list position + 1), the selected skin ("default" without one), hide icon.
    void take_choices(core::TodaySettings& settings) const;
    // Takes the controls' choices into the settings, then resizes and redraws the preview.
    void choices_changed();
    void load_skin_images();
    void redraw();

    core::TodaySettings m_settings;
    platform::gui::ScreenMetrics m_screen;
    skins::CSkinManager m_skin_manager;
    today::TodayImages m_images;
    today::TodayHost m_host;
    std::optional<skins::CPicture> m_background;
    std::u16string m_loaded_skin;
    bool m_showing { false };
    QComboBox* m_view { nullptr };
    QComboBox* m_count { nullptr };
    QCheckBox* m_hide_icon { nullptr };
    QListWidget* m_skins { nullptr };
    CTodayPreview* m_preview { nullptr };
};

}  // namespace zt::app
