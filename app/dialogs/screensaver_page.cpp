#include "app/dialogs/screensaver_page.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/dialogs/narrow_controls.h"
#include "app/model/screensaver_settings.h"
#include "app/model/slide_show.h"
#include "app/model/suppression_list.h"
#include "contracts/service.h"
#include "platform/base/device_path.h"
#include "platform/gui/control_id.h"
#include "platform/profile/device_profile.h"
#include "platform/profile/platform_generation.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::app {
namespace {

// The page's controls as the device's tools name them.
enum ControlId : int32_t {
    kModeId = 1301, kTimeoutId, kExternalPowerId, kSecondsId, kAlarmsId, kSlideShowId, kFolderId, kBrowseId,
    kScalingId, kEffectId, kRandomEffectId, kHoldId, kRandomOrderId, kOpacityId, kProgramsId, kNewProgramId,
    kAddId, kRemoveId,
};

constexpr uint32_t kMaxTimeoutSeconds = 24 * 60 * 60;
constexpr uint32_t kScalingModeMask = 0xFF;

QString to_qstring(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

template <typename Control>
Control* made(Control* control, int32_t id) {
    platform::gui::set_control_id(*control, id);
    return control;
}

QComboBox* combo(std::initializer_list<const char16_t*> items, int32_t id, QWidget* parent) {
    auto* box = made(new_narrow_combo_box(parent), id);
    for (const char16_t* item : items) box->addItem(to_qstring(item));
    return box;
}

QSpinBox* spin(int maximum, int32_t id, QWidget* parent) {
    auto* box = made(new QSpinBox(parent), id);
    box->setRange(0, maximum);
    return box;
}

// The folder dialog shows the device's own folders only: a folder outside the device root has
// no device path.
std::optional<std::u16string> choose_device_folder(QWidget* parent, std::u16string_view current) {
    const std::optional<std::filesystem::path> start = platform::map_device_path(current);
    const QString chosen = QFileDialog::getExistingDirectory(
        parent, QString(), start ? QString::fromStdString(start->string()) : QString(), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) return std::nullopt;
    return platform::to_device_path(std::filesystem::path(chosen.toStdString()));
}

}  // namespace

CScreensaverPage::CScreensaverPage(QWidget* parent)
    : CProgramPage(u"Screensaver", parent), m_choose_folder(choose_device_folder) {
    // Only this page's values: saving must not write back what other pages or the main dialog
    // hold in their own copies.
    m_settings.register_number(kScrModeValue, kScreensaverAnalog);
    m_settings.register_number(kScrTimeoutValue, 300);
    m_settings.register_number(kScrExtPowerValue, 1);
    m_settings.register_number(kSecondsInSSValue, 0);
    m_settings.register_number(kAlarmsInSSValue, 0);
    m_settings.register_slide_show_defaults();
    m_settings.load();
    build();
    load_values();
}

void CScreensaverPage::build() {
    // In English: the page's look translates its captions.
    auto* outer = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    auto* body = new QWidget(scroll);
    scroll->setWidget(body);
    auto* form = new QFormLayout(body);

    m_mode = combo({ u"Off", u"Analog clock", u"Digital clock", u"World time" }, kModeId, body);
    form->addRow(to_qstring(u"Screensaver:"), m_mode);
    m_timeout = spin(static_cast<int>(kMaxTimeoutSeconds), kTimeoutId, body);
    form->addRow(to_qstring(u"Timeout (s):"), m_timeout);
    m_external_power = made(new QCheckBox(to_qstring(u"External power only"), body), kExternalPowerId);
    m_seconds = made(new QCheckBox(to_qstring(u"Show seconds"), body), kSecondsId);
    m_alarms = made(new QCheckBox(to_qstring(u"Show alarms"), body), kAlarmsId);
    for (QCheckBox* box : { m_external_power, m_seconds, m_alarms }) form->addRow(box);

    m_slide_show = made(new QCheckBox(to_qstring(u"Enable slide show"), body), kSlideShowId);
    form->addRow(m_slide_show);
    auto* folder_row = new QHBoxLayout;
    m_folder = made(new QLineEdit(body), kFolderId);
    m_folder->setReadOnly(true);
    m_browse = made(new QPushButton(to_qstring(u"Browse..."), body), kBrowseId);
    folder_row->addWidget(m_folder, 1);
    folder_row->addWidget(m_browse);
    // The folder path needs the width of the page: under its caption, not beside it.
    form->addRow(new QLabel(to_qstring(u"Folder:"), body));
    form->addRow(folder_row);
    m_scaling = combo({ u"Fit", u"Fill", u"Stretch" }, kScalingId, body);
    form->addRow(to_qstring(u"Scaling:"), m_scaling);
    m_effect = combo({ u"Cut", u"Cross-fade", u"Vertical wipe", u"Horizontal wipe" }, kEffectId, body);
    form->addRow(to_qstring(u"Effect:"), m_effect);
    m_random_effect = made(new QCheckBox(to_qstring(u"Random effect"), body), kRandomEffectId);
    form->addRow(m_random_effect);
    m_hold = spin(255, kHoldId, body);
    form->addRow(to_qstring(u"Seconds per picture:"), m_hold);
    m_random_order = made(new QCheckBox(to_qstring(u"Random order"), body), kRandomOrderId);
    form->addRow(m_random_order);
    m_opacity = spin(100, kOpacityId, body);
    form->addRow(to_qstring(u"Opacity (%):"), m_opacity);

    auto* programs_caption = new QLabel(to_qstring(u"Programs that disable the screensaver:"), body);
    wrap_label(*programs_caption);
    form->addRow(programs_caption);
    m_programs = made(new QListWidget(body), kProgramsId);
    form->addRow(m_programs);
    auto* program_row = new QHBoxLayout;
    m_new_program = made(new QLineEdit(body), kNewProgramId);
    m_add = made(new QPushButton(to_qstring(u"Add"), body), kAddId);
    m_remove = made(new QPushButton(to_qstring(u"Remove"), body), kRemoveId);
    program_row->addWidget(m_new_program, 1);
    program_row->addWidget(m_add);
    program_row->addWidget(m_remove);
    for (QPushButton* button : { m_add, m_remove }) fit_button(*button);
    form->addRow(program_row);
    // Rows wrap their field under the caption rather than widen the page.
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);

    connect(m_browse, &QPushButton::clicked, this, [this] { choose_folder(); });
    connect(m_slide_show, &QCheckBox::toggled, this, [this] { slide_show_toggled(); });
    connect(m_add, &QPushButton::clicked, this, [this] {
        const QString name = m_new_program->text().trimmed();
        if (name.isEmpty()) return;
        m_programs->addItem(name);
        m_new_program->clear();
    });
    connect(m_remove, &QPushButton::clicked, this, [this] { delete m_programs->currentItem(); });
}

void CScreensaverPage::load_values() {
    const uint32_t mode = m_settings.number(kScrModeValue);
    // A mode the page does not know shows as the analog clock, which the screensaver shows for it.
    m_mode->setCurrentIndex(mode <= kScreensaverWorldTime ? static_cast<int>(mode) : static_cast<int>(kScreensaverAnalog));
    m_timeout->setValue(static_cast<int>(std::min(m_settings.number(kScrTimeoutValue), kMaxTimeoutSeconds)));
    m_external_power->setChecked(m_settings.number(kScrExtPowerValue) != 0);
    m_seconds->setChecked(m_settings.number(kSecondsInSSValue) != 0);
    m_alarms->setChecked(m_settings.number(kAlarmsInSSValue) != 0);
    m_slide_show->setChecked(m_settings.number(kSlideShowEnabledValue) != 0);
    m_folder->setText(to_qstring(m_settings.text(kSlideShowDirValue)));
    const uint32_t scaling = m_settings.number(kSlideShowScalingValue) & kScalingModeMask;
    m_scaling->setCurrentIndex(scaling < 3 ? static_cast<int>(scaling) : 1);
    const SlideShowEffect effect = SlideShowEffect::unpack(m_settings.number(kSlideShowEffectValue));
    m_effect->setCurrentIndex(effect.transition < kSlideTransitionCount ? effect.transition : 0);
    m_random_effect->setChecked(effect.random_transition);
    m_hold->setValue(effect.hold_seconds);
    m_random_order->setChecked(effect.random_order);
    m_opacity->setValue(std::clamp(static_cast<int>(m_settings.number(kSlideShowOpacityValue)), 0, 100));
    for (const std::u16string& name : load_suppression_list()) m_programs->addItem(to_qstring(name));
    slide_show_toggled();
}

void CScreensaverPage::slide_show_toggled() {
    const bool on = m_slide_show->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*> { m_browse, m_scaling, m_effect, m_random_effect, m_hold,
                                                               m_random_order, m_opacity })
        control->setEnabled(on);
}

void CScreensaverPage::choose_folder() {
    if (!m_choose_folder) return;
    if (std::optional<std::u16string> folder = m_choose_folder(this, m_folder->text().toStdU16String()))
        m_folder->setText(to_qstring(*folder));
}

void CScreensaverPage::save() {
    const uint32_t version = platform::platform_version_number(platform::read_device_profile());
    m_settings.set_number(kScrModeValue,
                          core::screen_saver_mode_to_store(static_cast<uint32_t>(m_mode->currentIndex()), version));
    m_settings.set_number(kScrTimeoutValue, core::screen_saver_timeout_to_store(static_cast<uint32_t>(m_timeout->value())));
    m_settings.set_number(kScrExtPowerValue, m_external_power->isChecked() ? 1 : 0);
    m_settings.set_number(kSecondsInSSValue, m_seconds->isChecked() ? 1 : 0);
    m_settings.set_number(kAlarmsInSSValue, m_alarms->isChecked() ? 1 : 0);
    m_settings.set_number(kSlideShowEnabledValue, m_slide_show->isChecked() ? 1 : 0);
    m_settings.set_text(kSlideShowDirValue, m_folder->text().toStdU16String());
    // The alignment bytes of the stored mode stay: the page only chooses the fitting.
    const uint32_t stored_scaling = m_settings.number(kSlideShowScalingValue);
    m_settings.set_number(kSlideShowScalingValue,
                          (stored_scaling & ~kScalingModeMask) | static_cast<uint32_t>(m_scaling->currentIndex()));
    const SlideShowEffect effect { static_cast<uint8_t>(m_effect->currentIndex()), m_random_effect->isChecked(),
                                   static_cast<uint8_t>(m_hold->value()), m_random_order->isChecked() };
    m_settings.set_number(kSlideShowEffectValue, effect.pack());
    m_settings.set_number(kSlideShowOpacityValue, static_cast<uint32_t>(m_opacity->value()));
    m_settings.save();

    std::vector<std::u16string> programs;
    for (int row = 0; row < m_programs->count(); ++row) programs.push_back(m_programs->item(row)->text().toStdU16String());
    save_suppression_list(programs);

    if (const std::optional<platform::WindowInfo> service = platform::find_window(std::u16string_view(contracts::kServiceClass)))
        platform::post_message(service->handle, contracts::kMsgRereadScreenSaverSettings, 0, 0);
}

}  // namespace zt::app
