#pragma once
// The options sheet's screensaver page: which clock the screensaver shows and when it starts,
// what it shows on the clock, the slide show behind it, and the programs that keep it away.
// The page reads the values when it is made and writes them only when the sheet closes with
// OK; then the service is told to read its screensaver values again.
#include <functional>
#include <optional>
#include <string>

#include "app/dialogs/program_look.h"
#include "core/settings_bag.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace zt::app {

class CScreensaverPage final : public CProgramPage {
public:
    // Asks the user for a folder of the device; nullopt when cancelled.
    using FolderChooser = std::function<std::optional<std::u16string>(QWidget* parent, std::u16string_view current)>;

    explicit CScreensaverPage(QWidget* parent = nullptr);

    // Writes the page's values and the suppression list, then posts the service its message.
    void save();
    void set_folder_chooser(FolderChooser chooser) { m_choose_folder = std::move(chooser); }

    QComboBox& mode() const { return *m_mode; }
    QSpinBox& timeout() const { return *m_timeout; }
    QCheckBox& external_power() const { return *m_external_power; }
    QCheckBox& seconds() const { return *m_seconds; }
    QCheckBox& alarms() const { return *m_alarms; }
    QCheckBox& slide_show() const { return *m_slide_show; }
    QLineEdit& folder() const { return *m_folder; }
    QPushButton& browse() const { return *m_browse; }
    QComboBox& scaling() const { return *m_scaling; }
    QComboBox& effect() const { return *m_effect; }
    QCheckBox& random_effect() const { return *m_random_effect; }
    QSpinBox& hold_seconds() const { return *m_hold; }
    QCheckBox& random_order() const { return *m_random_order; }
    QSpinBox& opacity() const { return *m_opacity; }
    QListWidget& programs() const { return *m_programs; }
    QLineEdit& new_program() const { return *m_new_program; }
    QPushButton& add_program() const { return *m_add; }
    QPushButton& remove_program() const { return *m_remove; }

private:
    void build();
    void load_values();
    void choose_folder();
    void slide_show_toggled();

    core::CSettingsBag m_settings;
    FolderChooser m_choose_folder;
    QComboBox* m_mode { nullptr };
    QSpinBox* m_timeout { nullptr };
    QCheckBox* m_external_power { nullptr };
    QCheckBox* m_seconds { nullptr };
    QCheckBox* m_alarms { nullptr };
    QCheckBox* m_slide_show { nullptr };
    QLineEdit* m_folder { nullptr };
    QPushButton* m_browse { nullptr };
    QComboBox* m_scaling { nullptr };
    QComboBox* m_effect { nullptr };
    QCheckBox* m_random_effect { nullptr };
    QSpinBox* m_hold { nullptr };
    QCheckBox* m_random_order { nullptr };
    QSpinBox* m_opacity { nullptr };
    QListWidget* m_programs { nullptr };
    QLineEdit* m_new_program { nullptr };
    QPushButton* m_add { nullptr };
    QPushButton* m_remove { nullptr };
};

}  // namespace zt::app
