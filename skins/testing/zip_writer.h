#pragma once
// A small zip writer for tests: stored or deflated members, traditional encryption, extra
// fields and comments, bytes before the archive and after the end record.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zt::skins::testing {

struct ZipEntry {
    ZipEntry(std::string entry_name, std::vector<uint8_t> bytes, uint16_t compression = 0)
        : name(std::move(entry_name)), data(std::move(bytes)), method(compression) {}

    std::string name;
    std::vector<uint8_t> data;
    uint16_t method { 0 };  // 0 stored, 8 deflated
    std::optional<std::string> password;
    bool data_descriptor_flag { false };  // flag bit 3: the encryption check uses the time
    uint16_t mod_time { 0x6B2C };
    std::vector<uint8_t> central_extra;
    std::vector<uint8_t> local_extra;
    std::string comment;
};

struct ZipLayout {
    std::vector<uint8_t> prefix;        // bytes before the archive
    std::string archive_comment;        // the end record's comment
    std::vector<uint8_t> trailing;      // bytes after the end record's comment
    uint16_t this_disk { 0 };
    std::optional<uint16_t> total_entries;  // else the real count
};

std::vector<uint8_t> make_zip(const std::vector<ZipEntry>& entries, const ZipLayout& layout = {});
std::vector<uint8_t> deflate_raw(const std::vector<uint8_t>& data);
bool write_bytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> bytes_of(std::string_view text);

}  // namespace zt::skins::testing
