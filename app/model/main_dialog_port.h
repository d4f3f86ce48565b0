#pragma once
// What the anchor window hands on to the main dialog while one exists. The anchor window owns
// the cross-process protocol (message numbers, payload checks); the dialog owns the reaction.
#include <cstdint>
#include <string_view>

namespace zt::app {

class MainDialogPort {
public:
    virtual ~MainDialogPort() = default;

    // A second instance's command line (WM_COPYDATA, data word 0), never empty.
    virtual void second_instance_line(std::u16string_view line) = 0;
    // 0x0498: come to the front.
    virtual void bring_forward() = 0;
    // 0x0469 from the service: end the screensaver (in screensaver mode this ends the program).
    virtual void end_screensaver() = 0;
    // 0x046B: what another program did to an alarm or timer.
    virtual void item_command(int32_t item_id, uint16_t command, uint16_t argument) = 0;
    // WM_SETTINGCHANGE: the screen may have turned.
    virtual void setting_changed() = 0;
    // WM_CLOSE: end the dialog with cancel; the program then quits.
    virtual void close_and_quit() = 0;
};

}  // namespace zt::app
