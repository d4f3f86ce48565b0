#include <cstdio>

#include "platform/base/text.h"
#include "platform/hosts/zt_device/commands.h"
#include "platform/hosts/zt_device/time_text.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform::device {

// windows: handle, class, title, process id, executable device path.
int windows_command(Words words) {
    if (!words.empty()) return usage_error("windows takes no arguments");
    for (const auto& window : list_windows()) {
        std::printf("%u\t%s\t%s\t%d\t%s\n", window.handle, utf16_to_utf8(window.class_name).c_str(),
                    utf16_to_utf8(window.title).c_str(), window.process_id, utf16_to_utf8(window.module_path).c_str());
    }
    return kExitOk;
}

// post (--class NAME | --handle H) MSG [WPARAM [LPARAM]]
int post_command(Words words) {
    if (words.size() < 3 || words.size() > 5) return usage_error("post (--class NAME | --handle H) MSG [WPARAM [LPARAM]]");
    WindowHandle target = 0;
    if (words[0] == "--class") {
        auto found = find_window(utf8_to_utf16(words[1]));
        if (!found) {
            std::fprintf(stderr, "zt-device: no window of class %s\n", words[1].c_str());
            return kExitNotFound;
        }
        target = found->handle;
    } else if (words[0] == "--handle") {
        auto handle = parse_word(words[1]);
        if (!handle || *handle == 0) return usage_error("not a window handle: " + words[1]);
        target = *handle;
    } else {
        return usage_error("post needs --class NAME or --handle H");
    }
    uint32_t numbers[3] {};
    for (size_t i = 2; i < words.size(); ++i) {
        auto value = parse_word(words[i]);
        if (!value) return usage_error("not a number: " + words[i]);
        numbers[i - 2] = *value;
    }
    DeliveryStatus status = post_message(target, numbers[0], numbers[1], numbers[2]);
    if (status == DeliveryStatus::Delivered) return kExitOk;
    std::fprintf(stderr, "zt-device: not posted: %s\n", delivery_status_name(status));
    return status == DeliveryStatus::NoSuchWindow ? kExitNotFound : kExitFailure;
}

}  // namespace zt::platform::device
