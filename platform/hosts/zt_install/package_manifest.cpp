#include "platform/hosts/zt_install/package_manifest.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/base/text.h"

namespace zt::platform::install {
namespace {

std::vector<std::string_view> split_tabs(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// Relative, no "..", no empty name: a package never names files outside itself.
bool safe_package_path(std::string_view path) {
    if (path.empty() || path.front() == '/') return false;
    for (const auto& part : std::filesystem::path(path))
        if (part == ".." || part.empty()) return false;
    return true;
}

// The name also names the install record's key and the kept setup library's file.
bool valid_application(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || c == '\\' || c == '/') return false;
    return true;
}

bool valid_destination(std::u16string_view destination) {
    if (destination.starts_with(kInstallDirToken)) destination.remove_prefix(std::u16string_view(kInstallDirToken).size());
    return destination.size() > 1 && destination.front() == u'\\';
}

}  // namespace

std::optional<PackageManifest> parse_manifest(std::string_view text, ManifestError* error) {
    PackageManifest manifest;
    auto fail = [&](int line, std::string reason) -> std::optional<PackageManifest> {
        if (error) *error = { line, std::move(reason) };
        return std::nullopt;
    };
    int number = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? text.size() : end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        auto fields = split_tabs(line);
        if (fields[0] == "app" && fields.size() == 2 && valid_application(fields[1]) && manifest.application.empty()) {
            manifest.application = utf8_to_utf16(fields[1]);
        } else if (fields[0] == "setup" && fields.size() == 2 && safe_package_path(fields[1]) && manifest.setup_library.empty()) {
            manifest.setup_library = std::string(fields[1]);
        } else if (fields[0] == "file" && fields.size() == 3 && safe_package_path(fields[1])) {
            std::u16string destination = utf8_to_utf16(fields[2]);
            if (!valid_destination(destination)) return fail(number, "bad destination");
            manifest.files.push_back({ std::string(fields[1]), std::move(destination) });
        } else {
            return fail(number, "unknown or malformed line");
        }
    }
    if (manifest.application.empty()) return fail(number, "no application name");
    return manifest;
}

std::optional<PackageManifest> read_manifest(const std::filesystem::path& package, ManifestError* error) {
    std::ifstream in(package / kManifestFileName, std::ios::binary);
    if (!in) {
        if (error) *error = { 0, "no manifest.txt in the package" };
        return std::nullopt;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse_manifest(text, error);
}

std::u16string expand_destination(std::u16string_view destination, std::u16string_view installation_folder) {
    if (destination.starts_with(kInstallDirToken))
        return std::u16string(installation_folder) + std::u16string(destination.substr(std::u16string_view(kInstallDirToken).size()));
    return std::u16string(destination);
}

}  // namespace zt::platform::install
