#include "tests/service_e2e/running_device.h"

#include <unistd.h>

#include <fstream>

#include "contracts/service.h"
#include "platform/base/device_path.h"
#include "platform/kernel/process.h"
#include "platform/kernel/process_list.h"
#include "platform/registry/registry.h"
#include "platform/windows/window_lookup.h"

namespace zt::e2e {
namespace {

using zt::platform::registry::Key;
using zt::platform::registry::Root;

bool install_service_library() {
    auto windows = zt::platform::map_device_path(u"\\Windows\\ZunTimeService.dll");
    if (!windows) return false;
    std::error_code error;
    std::filesystem::create_directories(windows->parent_path(), error);
    std::filesystem::copy_file(ZT_SERVICE_LIBRARY, *windows, std::filesystem::copy_options::overwrite_existing, error);
    if (error) return false;
    auto created = Key::create(Root::LocalMachine, u"Services\\ZunTimeService");
    if (!created) return false;
    const Key& key = created->key;
    return key.set_string(u"Dll", u"ZunTimeService.dll") == zt::platform::registry::Status::Ok &&
           key.set_string(u"Prefix", u"STM") == zt::platform::registry::Status::Ok &&
           key.set_dword(u"Order", 9) == zt::platform::registry::Status::Ok &&
           key.set_dword(u"Index", 0) == zt::platform::registry::Status::Ok;
}

}  // namespace

int run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments, std::string* output) {
    auto result = zt::platform::testing::run_program(program, arguments);
    if (output) *output = std::move(result.out);
    return result.exit_code;
}

int install_in_english(const std::filesystem::path& root, const std::string& package) {
    return run_program("/usr/bin/env", { "LC_ALL=C", built_program("zt-install").string(), "--root", root.string(), package });
}

DeviceWithService::DeviceWithService() {
    install_service_library();
}

DeviceWithService::~DeviceWithService() {
    if (running() && !stop()) kill();
    // Programs the service started (a main program still showing its screen saver) would
    // outlive the test and its root otherwise.
    const int self = static_cast<int>(getpid());
    for (const zt::platform::ProcessEntry& entry : zt::platform::device_processes()) {
        if (entry.id == self) continue;
        if (auto process = zt::platform::Process::open(entry.id)) process->terminate(0);
    }
}

bool DeviceWithService::install_stand_in(const std::u16string& device_path) {
    auto host = zt::platform::map_device_path(device_path);
    if (!host) return false;
    std::error_code error;
    std::filesystem::create_directories(host->parent_path(), error);
    std::filesystem::copy_file(ZT_STAND_IN_PROGRAM, *host, std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

bool DeviceWithService::start() {
    zt::platform::testing::DeviceStart how;
    how.arguments = { "--root", root().string(), "run" };
    how.ready = [](pid_t) { return zt::platform::find_window(contracts::kServiceClass).has_value(); };
    how.what = "the service's window";
    m_device = zt::platform::testing::RunningDevice::start(how);
    return m_device.has_value();
}

bool DeviceWithService::stop() {
    if (!running()) return true;
    const int code = m_device->stop();
    m_device.reset();
    return code == 0;
}

void DeviceWithService::kill() {
    if (m_device) m_device->kill_hard();
    m_device.reset();
}

std::vector<std::string> DeviceWithService::started_lines() const {
    std::vector<std::string> lines;
    std::ifstream in(root() / "started.log");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace zt::e2e
