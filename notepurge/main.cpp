// Notepurge: removes stale notification records, then ends. The installer runs it with "NoMsg".
#include "notepurge/notepurge_run.h"
#include "platform/kernel/module_path.h"
#include "platform/msgbox/message_box.h"
#include "platform/msgbox/qt/qt_message_box.h"
#include "platform/profile/device_profile.h"
#include "platform/profile/platform_generation.h"

int main(int argc, char** argv) {
    namespace msgbox = zt::platform::msgbox;
    msgbox::install_qt_message_boxes();
    const zt::platform::DeviceProfile profile = zt::platform::read_device_profile();
    const auto show = [](std::u16string_view text) {
        msgbox::show_message_box({ std::u16string(text), u"Notepurge", msgbox::Icon::Information, msgbox::Buttons::Ok, {} });
    };
    return zt::notepurge::run_notepurge(zt::platform::command_line(argc, argv),
                                        zt::platform::platform_version_number(profile), show);
}
