#pragma once
// The handheld's hardware keys: the d-pad, the action key and the four application buttons,
// as the device's key codes. The handheld hands them to a program as key-up codes, so the
// callback runs when the key is released; auto-repeat is not passed on.
//
//   Qt key              device key code
//   Left/Up/Right/Down  0x25 / 0x26 / 0x27 / 0x28
//   Enter, Return       0x0D
//   F1..F4              193..196 (application buttons 1..4)
#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/gui/key_codes.h"

class QWidget;

namespace zt::platform::gui {

// The device key code of a Qt key (Qt::Key value); nullopt for a key the handheld does not have.
std::optional<std::uint32_t> device_key_code(int qt_key);
// The Qt key that stands for a device key code: the hardware keys above, and the keyboard keys
// of key_codes.h; nullopt for a code the device has no key for.
std::optional<int> qt_key_of_device_code(std::uint32_t key_code);

// Watches one widget and its children: on release of a hardware key that no window claimed as a
// hot key, the handler gets the device key code and returns whether it handled it (a handled release is not passed on). With
// `take_presses`, presses of hardware keys are swallowed too, so a dialog's own Enter/arrow
// handling does not run ahead of the key-up. The object is a Qt child of the widget.
class HardwareKeys final : public QObject {
public:
    using KeyHandler = std::function<bool(std::uint32_t key_code)>;

    // Installs itself as an event filter on `widget` and on the application, limited to key
    // events whose receiver is `widget` or one of its descendants.
    HardwareKeys(QWidget& widget, KeyHandler on_key_up, bool take_presses = true);
    ~HardwareKeys() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_widget { nullptr };
    KeyHandler m_on_key_up;
    bool m_take_presses { true };
};

// Sets the device's activity event (platform/power signal_user_activity) on every key press or
// release, pen press or release and touch in any widget of this process. Installed once per
// process on the QApplication; later calls do nothing. The ShellFrame installs it; a program
// without a frame (Ringout) calls it after making its QApplication. False without a
// QApplication.
bool install_user_activity_signal();
// Hands hardware keys that a window of the device claimed as a hot key (platform/windows/
// hot_keys.h) to that window instead of the focus. Installed once per process on the
// QApplication, by the ShellFrame and by programs without one; HardwareKeys routes them too, so
// no filter of this process keeps a claimed key. False without a QApplication.
bool install_hot_key_routing();
// How many times this process has signalled activity (tests).
std::uint64_t user_activity_signal_count();

}  // namespace zt::platform::gui
