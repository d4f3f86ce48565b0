#include "service/foreground_rules.h"

#include "contracts/registry_keys.h"
#include "contracts/ringout.h"
#include "core/registry_key.h"
#include "platform/base/text.h"
#include "platform/registry/registry.h"

namespace zt::service {
namespace {

using zt::platform::equal_ignoring_case;

bool covers_screen(const Rect& rect, const ScreenSize& screen) {
    return rect.left <= 0 && rect.top <= 0 && rect.right >= screen.width && rect.bottom >= screen.height;
}

}  // namespace

std::u16string_view executable_file_name(std::u16string_view path) {
    const size_t backslash = path.rfind(u'\\');
    const size_t slash = path.rfind(u'/');
    size_t separator = std::u16string_view::npos;
    if (backslash != std::u16string_view::npos) separator = backslash;
    if (slash != std::u16string_view::npos && (separator == std::u16string_view::npos || slash > separator)) separator = slash;
    return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}

std::vector<std::u16string> screen_saver_disabling_names() {
    std::vector<std::u16string> names;
    auto key = zt::platform::registry::Key::open(zt::platform::registry::Root::CurrentUser, contracts::kScreenSaverDisablingKeyPath);
    if (!key) return names;
    for (uint32_t index = 0;; ++index) {
        auto value = key->enum_value(index);
        if (!value) break;
        if (auto text = key->get_string(value->name); text && !text->empty()) names.push_back(*text);
    }
    return names;
}

bool foreground_blocks_screen_saver(ServiceDevice& device, std::u16string_view main_program) {
    const ScreenSize screen = device.screen_size();
    const std::optional<WindowFacts> window = device.window_at(screen.width / 2, screen.height / 2);
    if (!window) return false;
    const std::optional<std::u16string> path = device.process_path(window->process_id);
    if (!path || path->empty()) return false;
    if (equal_ignoring_case(*path, contracts::kRingoutPath)) return true;
    if (!main_program.empty() && equal_ignoring_case(*path, main_program)) return false;
    if (window->visible && covers_screen(window->rect, screen)) return true;
    const std::u16string_view file_name = executable_file_name(*path);
    for (const std::u16string& listed : screen_saver_disabling_names()) {
        if (equal_ignoring_case(file_name, listed)) return true;
    }
    return false;
}

}  // namespace zt::service
