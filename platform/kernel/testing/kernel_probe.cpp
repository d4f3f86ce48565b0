// zt-kernel-probe: a tiny device program the kernel tests start as a child process.
//   report <file> [words...]   write ZT_ROOT, own module path and command line; exit 7
//   exit <code>                exit with that code
//   sleep <ms>                 sleep, then exit 0
//   descriptors <file>         write the numbers of the descriptors it was started with, one a
//                              line; exit 0
#include <dirent.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/base/text.h"
#include "platform/kernel/module_path.h"

namespace {

std::vector<std::string> words_of(const std::string& line) {
    std::vector<std::string> words;
    std::string current;
    for (char c : line) {
        if (c == ' ') {
            if (!current.empty()) words.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) words.push_back(std::move(current));
    return words;
}

bool number(const std::string& text, int& out) {
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size();
}

int usage() {
    std::puts("usage: zt-kernel-probe report <file> [words...] | exit <code> | sleep <ms> | descriptors <file>");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zt::platform;
    std::string line = utf16_to_utf8(command_line(argc, argv));
    auto words = words_of(line);
    if (words.size() < 2) return usage();
    int value = 0;
    if (words[0] == "report") {
        std::ofstream out(words[1]);
        const char* root = std::getenv("ZT_ROOT");
        out << "root=" << (root ? root : "") << "\n"
            << "module=" << utf16_to_utf8(own_module_path()) << "\n"
            << "line=" << line << "\n";
        return out ? 7 : 2;
    }
    if (words[0] == "descriptors") {
        // Listed from inside, once the loader is done: a look from outside races with the
        // files the loader opens for a moment.
        std::vector<int> open_now;
        if (DIR* dir = opendir("/proc/self/fd")) {
            while (dirent* entry = readdir(dir)) {
                int fd = -1;
                if (number(entry->d_name, fd) && fd != dirfd(dir)) open_now.push_back(fd);
            }
            closedir(dir);
        }
        std::sort(open_now.begin(), open_now.end());
        std::ofstream out(words[1]);
        for (int fd : open_now) out << fd << "\n";
        return out ? 0 : 2;
    }
    if (words[0] == "exit" && number(words[1], value)) return value;
    if (words[0] == "sleep" && number(words[1], value)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(value));
        return 0;
    }
    return usage();
}
