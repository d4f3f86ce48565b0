#pragma once
// A scripted ServiceDevice: windows and processes are entries in maps, nothing sleeps, and
// every request is recorded for the test to check.
#include <map>
#include <vector>

#include "service/service_device.h"

namespace zt::service::testing {

class FakeServiceDevice final : public ServiceDevice {
public:
    struct FakeWindow {
        std::u16string window_class;
        int process_id { 0 };
        // The window goes away when one of these is posted to it.
        std::vector<uint32_t> vanishes_on;
    };
    struct Post {
        WindowHandle window;
        uint32_t number;
        friend bool operator==(const Post&, const Post&) = default;
    };
    struct Start {
        std::u16string path;
        std::u16string command_line;
        friend bool operator==(const Start&, const Start&) = default;
    };

    std::optional<WindowHandle> find_window(std::u16string_view window_class) override {
        for (const auto& [handle, window] : windows) {
            if (window.window_class == window_class) return handle;
        }
        return std::nullopt;
    }
    bool window_exists(WindowHandle window) override { return windows.count(window) != 0; }
    std::optional<int> window_process(WindowHandle window) override {
        auto it = windows.find(window);
        if (it == windows.end()) return std::nullopt;
        return it->second.process_id;
    }
    bool post_message(WindowHandle window, uint32_t number, uint32_t, uint32_t) override {
        auto it = windows.find(window);
        if (it == windows.end()) return false;
        posts.push_back({ window, number });
        for (uint32_t vanishing : it->second.vanishes_on) {
            if (vanishing == number) {
                windows.erase(it);
                break;
            }
        }
        return true;
    }
    bool window_gone_within(WindowHandle window, std::chrono::milliseconds limit) override {
        waits.push_back(limit);
        return !window_exists(window);
    }
    std::optional<WindowFacts> window_at(int32_t x, int32_t y) override {
        asked_points.push_back({ x, y });
        return foreground;
    }
    int own_process_id() override { return own_pid; }
    std::optional<std::u16string> process_path(int process_id) override {
        auto it = process_paths.find(process_id);
        if (it == process_paths.end()) return std::nullopt;
        return it->second;
    }
    bool start_process(std::u16string_view path, std::u16string_view command_line) override {
        starts.push_back({ std::u16string(path), std::u16string(command_line) });
        return start_succeeds;
    }
    std::optional<int> start_watched_process(std::u16string_view path, std::u16string_view command_line) override {
        if (!start_process(path, command_line)) return std::nullopt;
        const int id = next_watched_id++;
        watched[id] = std::nullopt;
        return id;
    }
    std::optional<uint32_t> watched_exit(int id) override {
        ++watch_checks;
        auto it = watched.find(id);
        if (it == watched.end()) return 0;
        const std::optional<uint32_t> exit = it->second;
        if (exit) watched.erase(it);
        return exit;
    }
    bool terminate_process(int process_id) override {
        terminated.push_back(process_id);
        return true;
    }
    ScreenSize screen_size() override { return screen; }
    uint32_t platform_version() override { return version; }
    bool ac_power_online() override { return on_ac; }
    void set_unattended_mode(bool on) override { unattended.push_back(on); }
    void sleep(std::chrono::milliseconds span) override { sleeps.push_back(span); }

    std::map<WindowHandle, FakeWindow> windows;
    std::optional<WindowFacts> foreground;
    std::map<int, std::u16string> process_paths;
    int own_pid { 4242 };
    bool start_succeeds { true };
    ScreenSize screen { 480, 640 };
    uint32_t version { 502 };
    bool on_ac { true };

    // Watched programs by id: nothing while running, the exit code once ended.
    std::map<int, std::optional<uint32_t>> watched;
    int next_watched_id { 500 };
    int watch_checks { 0 };

    std::vector<Post> posts;
    std::vector<std::chrono::milliseconds> waits;
    std::vector<zt::platform::Point> asked_points;
    std::vector<Start> starts;
    std::vector<int> terminated;
    std::vector<bool> unattended;
    std::vector<std::chrono::milliseconds> sleeps;
};

}  // namespace zt::service::testing
