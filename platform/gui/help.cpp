#include "platform/gui/help.h"

#include "platform/base/device_path.h"
#include "platform/kernel/process.h"
#include "platform/registry/registry.h"

namespace zt::platform::gui {
namespace {

constexpr std::u16string_view kFilePrefix = u"file:";
constexpr std::u16string_view kProductKey = u"Software\\Zunworks\\Zun Time";
constexpr std::u16string_view kAppPathValue = u"AppPath";
constexpr std::u16string_view kDefaultFolder = u"\\Windows\\";

bool starts_with_ignoring_case(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// The application folder with its separator, or "\Windows\" when the product has none.
std::u16string help_folder() {
    auto key = registry::Key::open(registry::Root::CurrentUser, kProductKey);
    if (!key) return std::u16string(kDefaultFolder);
    const std::u16string app_path = key->get_string(kAppPathValue).value_or(u"");
    const size_t separator = app_path.find_last_of(u"\\/");
    if (separator == std::u16string::npos) return std::u16string(kDefaultFolder);
    return app_path.substr(0, separator + 1);
}

}  // namespace

std::optional<HelpTarget> resolve_help_argument(std::u16string_view argument) {
    if (starts_with_ignoring_case(argument, kFilePrefix)) argument.remove_prefix(kFilePrefix.size());
    const size_t hash = argument.find(u'#');
    const std::u16string_view file = argument.substr(0, hash);
    if (file.empty()) return std::nullopt;

    HelpTarget target;
    if (hash != std::u16string_view::npos) target.anchor = std::u16string(argument.substr(hash + 1));
    target.device_path = file.front() == u'\\' || file.front() == u'/' ? std::u16string(file)
                                                                         : help_folder() + std::u16string(file);
    auto host = map_device_path(target.device_path);
    if (!host) return std::nullopt;
    target.host_path = *host;
    return target;
}

bool start_help(std::u16string_view argument) { return Process::create(kHelpProgram, argument).has_value(); }

}  // namespace zt::platform::gui
