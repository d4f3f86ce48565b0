#pragma once
// The package's manifest ("manifest.txt" in the package folder): UTF-8 lines of tab-separated
// fields, "#" starting a comment line.
//   app    <application name>                   once; no "\\", "/" or control characters
//   setup  <package-relative path of the setup library>   at most once
//   file   <package-relative path>  <device destination>
// A destination starts with "%InstallDir%" (the installation folder) or is a device path
// ("\Windows\Ringout._exe"). Package paths use "/" and never climb out of the package.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::install {

inline constexpr char kManifestFileName[] = "manifest.txt";
inline constexpr char16_t kInstallDirToken[] = u"%InstallDir%";

struct PackageFile {
    std::string source;             // relative to the package folder
    std::u16string destination;     // as written, possibly with %InstallDir%
};

struct PackageManifest {
    std::u16string application;
    std::string setup_library;      // empty: the package has none
    std::vector<PackageFile> files;
};

struct ManifestError {
    int line { 0 };
    std::string reason;
};

// Parses the text; the first malformed line is reported.
std::optional<PackageManifest> parse_manifest(std::string_view text, ManifestError* error = nullptr);
std::optional<PackageManifest> read_manifest(const std::filesystem::path& package, ManifestError* error = nullptr);

// The destination with %InstallDir% replaced by the folder.
std::u16string expand_destination(std::u16string_view destination, std::u16string_view installation_folder);

}  // namespace zt::platform::install
