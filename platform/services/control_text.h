#pragma once
// Small text helpers shared by both ends of the control channel.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/service_manager.h"

namespace zt::platform::services {

std::vector<std::string> split_lines(std::string_view text);
std::vector<std::string> split_fields(std::string_view line);  // tab-separated
std::string first_line(std::string_view text);
// Decimal digits only, within 32 bits.
std::optional<uint32_t> parse_number(std::string_view text);
// The reason word of an "ERR" answer (service_status_name); Failed for anything else.
ServiceStatus parse_status(std::string_view word);

}  // namespace zt::platform::services
