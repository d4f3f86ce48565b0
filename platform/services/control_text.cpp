#include "platform/services/control_text.h"

#include <charconv>

namespace zt::platform::services {
namespace {

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::vector<std::string> split_lines(std::string_view text) {
    auto lines = split(text, '\n');
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

std::vector<std::string> split_fields(std::string_view line) { return split(line, '\t'); }

std::string first_line(std::string_view text) { return std::string(text.substr(0, text.find('\n'))); }

std::optional<uint32_t> parse_number(std::string_view text) {
    uint32_t value = 0;
    if (text.empty()) return std::nullopt;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

ServiceStatus parse_status(std::string_view word) {
    for (auto status : { ServiceStatus::Ok, ServiceStatus::DeviceNotRunning, ServiceStatus::NotFound,
                         ServiceStatus::AlreadyActive }) {
        if (word == service_status_name(status)) return status;
    }
    return ServiceStatus::Failed;
}

}  // namespace zt::platform::services
