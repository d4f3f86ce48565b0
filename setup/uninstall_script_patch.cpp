#include "setup/uninstall_script_patch.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/base/device_path.h"
#include "platform/registry/registry.h"

namespace zt::setup {
namespace {

void replace_all(std::u16string& text, std::u16string_view from, std::u16string_view to) {
    for (size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

std::u16string patch_uninstall_script_text(std::u16string text) {
    constexpr std::array<std::u16string_view, 2> kSharedKeys = { u"HKLM\\Software\\Zunworks", u"HKCU\\Software\\Zunworks" };
    for (std::u16string_view key : kSharedKeys) {
        std::u16string opening = u"<nocharacteristic type=\"" + std::u16string(key) + u"\"";
        std::u16string narrowed = u"<nocharacteristic type=\"" + std::u16string(key) + u"\\Zun Time\"";
        replace_all(text, opening, narrowed);
    }
    replace_all(text, u"Zun Weather", u"Zun Time\\del_it");
    return text;
}

void patch_old_uninstall_script() {
    using namespace zt::platform::registry;
    auto key = Key::open(Root::LocalMachine, u"Security\\AppInstall\\Zun Time");
    if (!key) return;
    auto script = key->get_string(u"Uninstall");
    if (!script || script->empty()) return;
    auto path = platform::map_device_path(*script);
    if (!path) return;

    std::vector<char> bytes;
    {
        std::ifstream in(*path, std::ios::binary);
        if (!in) return;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (bytes.size() % 2 != 0) return;  // not UTF-16: not a script this step knows
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) | (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));

    std::u16string patched = patch_uninstall_script_text(std::move(text));
    // The patched text is never shorter; writing the whole file keeps no stale tail anyway.
    std::ofstream out(*path, std::ios::binary | std::ios::trunc);
    for (char16_t unit : patched) {
        out.put(static_cast<char>(unit & 0xFF));
        out.put(static_cast<char>(unit >> 8));
    }
}

}  // namespace zt::setup
