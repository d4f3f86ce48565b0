#include "app/program/single_instance.h"

#include <algorithm>
#include <thread>

#include "app/model/anchor_protocol.h"
#include "contracts/main_program.h"
#include "platform/kernel/thread.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::app {

namespace {

void idle_pause() {
    namespace platform = zt::platform;
    // Refused where the thread could not come back to normal priority; sleeping costs
    // nothing either way.
    const bool lowered = platform::set_current_thread_priority(platform::ThreadPriority::Idle);
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    if (lowered) platform::set_current_thread_priority(platform::ThreadPriority::Normal);
}

}  // namespace

std::u16string instance_mutex_name(std::u16string_view module_path) {
    std::u16string name(module_path);
    std::replace(name.begin(), name.end(), u'\\', u'/');
    return name;
}

SingleInstance::SingleInstance(Pause pause) : m_pause(pause ? std::move(pause) : Pause(idle_pause)) {}

InstanceCheck SingleInstance::claim(std::u16string_view module_path, std::u16string_view command_line) {
    auto opened = zt::platform::NamedMutex::create_or_open(instance_mutex_name(module_path));
    if (!opened) return InstanceCheck::Started;  // nothing to detect a running copy with
    const bool existed = opened->already_existed;
    m_mutex.emplace(std::move(opened->mutex));
    if (!existed) return InstanceCheck::Started;
    for (int lookup = 0; lookup < kLookups; ++lookup) {
        if (hand_over_to_running_copy(command_line)) return InstanceCheck::HandedOver;
        m_pause();
    }
    return InstanceCheck::Started;
}

bool hand_over_to_running_copy(std::u16string_view command_line, std::chrono::milliseconds answer_limit) {
    namespace platform = zt::platform;
    const auto anchor = platform::find_window(std::u16string_view(contracts::kMainProgramClass));
    if (!anchor) return false;
    platform::post_message(anchor->handle, contracts::kMsgBringForward);
    // The running copy takes the line over even when it answers late or not at all: this copy
    // has nothing left to do with it.
    platform::send_copy_data(anchor->handle, 0, contracts::kCommandLineDataWord, encode_command_line(command_line), answer_limit);
    return true;
}

}  // namespace zt::app
