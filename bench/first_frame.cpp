// zt-first-frame: how long a program takes from its start to its first frame.
//   zt-first-frame --png FILE PROGRAM [ARG...]   the first frame is the PNG file the program
//                                                saves (offscreen runs, ZT_SCREENSHOT)
//   zt-first-frame --x11 PROGRAM [ARG...]        the first window the program maps on $DISPLAY
//                                                with something drawn in it (start Xvfb with
//                                                -br: a window is black until drawn)
// Prints "<wall ms> <cpu ms>": the time from the start to the first frame, and the CPU time
// the program's threads used until then (which a busy machine does not inflate). Then ends
// the program (SIGTERM) and waits for it. Exit 0, or 2 when the program ends or 20 s pass
// first, or on bad usage.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#ifdef ZT_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kLimit = std::chrono::seconds(20);

struct Frame {
    double wall_ms { 0 };
    double cpu_ms { 0 };
};

// CPU time of all the program's threads so far (the first field of each thread's schedstat).
double cpu_ms_of(pid_t pid) {
    double ns = 0;
    std::error_code ec;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        std::ifstream in(task.path() / "schedstat");
        double on_cpu = 0;
        if (in >> on_cpu) ns += on_cpu;
    }
    return ns / 1e6;
}

Frame frame_now(pid_t pid, Clock::time_point t0) {
    return { std::chrono::duration<double, std::milli>(Clock::now() - t0).count(), cpu_ms_of(pid) };
}

pid_t start(char** argv) {
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv);
        _exit(127);
    }
    return pid;
}

bool ended(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

// A PNG is complete once its last chunk, IEND, is written.
bool png_complete(const char* file) {
    int fd = open(file, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    unsigned char tail[8] {};
    const off_t size = lseek(fd, 0, SEEK_END);
    const bool read_tail = size >= 8 && pread(fd, tail, 8, size - 8) == 8;
    close(fd);
    return read_tail && std::memcmp(tail, "IEND", 4) == 0;
}

std::optional<Frame> time_png(const char* file, char** argv) {
    unlink(file);
    const auto t0 = Clock::now();
    pid_t pid = start(argv);
    std::optional<Frame> ms;
    while (Clock::now() - t0 < kLimit && !ended(pid)) {
        if (png_complete(file)) {
            ms = frame_now(pid, t0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    stop(pid);
    return ms;
}

#ifdef ZT_HAVE_XCB
// Something drawn: a pixel of a 16 x 16 block at the window's centre that is not black.
bool drawn(xcb_connection_t* c, xcb_window_t window) {
    auto* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (!geometry) return false;
    const int w = geometry->width, h = geometry->height;
    free(geometry);
    if (w < 16 || h < 16) return false;
    auto* image = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, static_cast<int16_t>(w / 2 - 8), static_cast<int16_t>(h / 2 - 8), 16, 16, ~0u),
        nullptr);
    if (!image) return false;
    const uint8_t* bytes = xcb_get_image_data(image);
    const int length = xcb_get_image_data_length(image);
    bool lit = false;
    for (int i = 0; i < length && !lit; ++i) lit = bytes[i] != 0;
    free(image);
    return lit;
}

std::optional<Frame> time_x11(char** argv) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "zt-first-frame: no X display\n");
        return std::nullopt;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    const auto t0 = Clock::now();
    pid_t pid = start(argv);
    std::vector<xcb_window_t> mapped;
    std::optional<Frame> ms;
    while (!ms && Clock::now() - t0 < kLimit && !ended(pid)) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY)
                mapped.push_back(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
            free(event);
        }
        for (xcb_window_t window : mapped) {
            if (drawn(c, window)) {
                ms = frame_now(pid, t0);
                break;
            }
        }
        if (!ms) std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    stop(pid);
    xcb_disconnect(c);
    return ms;
}
#endif

int usage() {
    std::fputs("usage: zt-first-frame (--png FILE | --x11) PROGRAM [ARG...]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<Frame> ms;
    if (argc >= 4 && std::strcmp(argv[1], "--png") == 0) {
        ms = time_png(argv[2], argv + 3);
    } else if (argc >= 3 && std::strcmp(argv[1], "--x11") == 0) {
#ifdef ZT_HAVE_XCB
        ms = time_x11(argv + 2);
#else
        std::fputs("zt-first-frame: built without X11 support\n", stderr);
        return 2;
#endif
    } else {
        return usage();
    }
    if (!ms) {
        std::fputs("zt-first-frame: no first frame within 20 s\n", stderr);
        return 2;
    }
    std::printf("%.1f %.1f\n", ms->wall_ms, ms->cpu_ms);
    return 0;
}
