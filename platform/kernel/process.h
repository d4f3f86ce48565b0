#pragma once
// Processes of the device: started from a device path, opened by id, waited for, ended.
//
// Guarantees and limits:
//  - create() runs the host file that the device path names. The child gets argv
//    { host path, command line } (the command line as one argument, left out when empty),
//    our environment with ZT_ROOT set to this device's root and ZT_MODULE to its own device
//    path, default signal handling with nothing blocked, and only descriptors 0, 1 and 2.
//  - Exit codes: this host keeps 8 bits of a program's exit code (a program ending with −1
//    reads back as 255). A process killed by a signal reads 128 + the signal number, except
//    after terminate() through this handle, which reads the code given to terminate().
//  - Only the parent can read an exit code. For a process opened by id that we did not
//    start, exit_status() says Unknown once it ended, unless we terminated it ourselves.
//  - terminate() is SIGKILL: immediate, nothing of the process runs any more; its named
//    mutexes become abandoned, its handles of named objects close.
//  - Handles are pidfds (Linux 5.3 or later), so a recycled process id can never be hit.
//  - Closing the handle of a running child does not end it; the child is still reaped when
//    it ends (no zombies left behind).
#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/kernel/exit_status.h"

namespace zt::platform {

// The id of the calling process, as Process::open() and window records name processes.
int current_process_id();

class Process {
public:
    // Fails when the device path does not map into the root or the file cannot be executed.
    static std::optional<Process> create(std::u16string_view device_path,
                                         std::u16string_view command_line);
    // Any running process of this user, by id (including ourselves); nullopt when gone.
    static std::optional<Process> open(int id);

    int id() const { return m_pid; }

    enum class WaitResult { Ended, TimedOut, Failed };
    WaitResult wait(std::optional<std::chrono::milliseconds> limit = std::nullopt);
    ExitStatus exit_status() const;
    // False when it already ended or cannot be signalled.
    bool terminate(std::uint32_t exit_code);

    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

private:
    Process(int pid, int pidfd, bool child) : m_pid(pid), m_pidfd(pidfd), m_child(child) {}
    bool ended() const;
    void close();

    int m_pid { -1 };
    int m_pidfd { -1 };
    bool m_child { false };
    std::optional<std::uint32_t> m_terminated_with;
};

}  // namespace zt::platform
