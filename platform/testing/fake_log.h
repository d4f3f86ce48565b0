#pragma once
// The writing side of LogLines (log_lines.h) for fake libraries loaded into the program under
// test: one line appended to the file an environment variable names, or nothing when it is
// unset. Header-only, so a fake library needs nothing linked for it.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zt::platform::testing {

inline void append_fake_log(const char* variable, const std::string& line) {
    const char* file = std::getenv(variable);
    if (!file) return;
    if (FILE* out = std::fopen(file, "a")) {
        std::fprintf(out, "%s\n", line.c_str());
        std::fclose(out);
    }
}

}  // namespace zt::platform::testing
