#pragma once
// A program run to its end with what it printed collected: command-line tools under test.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/testing/eventually.h"

namespace zt::platform::testing {

struct ProgramResult {
    int exit_code { -1 };  // 128 + signal number when a signal ended it; -1 when it never ran
    std::string out;
    std::string err;
};

// Runs program with these arguments (in the current device root, through ZT_ROOT), feeding it
// `input` on stdin. A program still running after `limit` fails the test and is killed.
ProgramResult run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::string& input = {}, std::chrono::milliseconds limit = kPatience);

}  // namespace zt::platform::testing
