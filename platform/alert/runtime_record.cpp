#include "platform/alert/runtime_record.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/base/device_root.h"

namespace zt::platform::alert {

std::filesystem::path runtime_record_dir() {
    const auto runtime = device_runtime_dir();
    if (runtime.empty()) return {};
    auto dir = runtime / "alert";
    if (!make_private_dir(dir)) return {};
    return dir;
}

bool write_runtime_record(std::string_view name, std::string_view text) {
    const auto dir = runtime_record_dir();
    if (dir.empty()) return false;
    const auto target = dir / std::string(name);
    auto temporary = target;
    temporary += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << text;
        if (!out.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) std::filesystem::remove(temporary, error);
    return !error;
}

std::string read_runtime_record(std::string_view name) {
    const auto dir = runtime_record_dir();
    if (dir.empty()) return {};
    std::ifstream in(dir / std::string(name));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace zt::platform::alert
