// The replay driver that turns every fuzz target into a suite test, run against a probe
// target that logs each input it receives and aborts on inputs starting with "crash".
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "platform/testing/temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct Replay {
    int status { -1 };    // the exit status, or 128 + signal as the shell reports it
    std::string output;   // stdout and stderr
    std::vector<std::string> inputs;  // what the probe was given, in order
};

class ReplayDriver : public ::testing::Test {
protected:
    void write(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // Runs the probe's replay with `args` (shell words), bounded by a time limit.
    Replay replay(const std::string& args) {
        const fs::path log = m_folder / "probe.log";
        fs::remove(log);
        const std::string command = "ZT_REPLAY_PROBE_LOG='" + log.string() + "' timeout 30 '" + ZT_REPLAY_PROBE +
                                    "' " + args + " 2>&1";
        Replay run;
        if (std::FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[512];
            for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
            const int status = pclose(pipe);
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        EXPECT_NE(run.status, 124) << "the replay did not end within 30 s: " << command;
        std::ifstream in(log, std::ios::binary);
        for (std::string line; std::getline(in, line);) run.inputs.push_back(line);
        return run;
    }

    std::string path(const char* name) { return "'" + (m_folder / name).string() + "'"; }

    zt::platform::testing::TempFolder m_folder;
};

TEST_F(ReplayDriver, FeedsTheEmptyInputThenEveryFileOnceInNameOrder) {
    write(m_folder / "corpus" / "b", "second");
    write(m_folder / "corpus" / "a", "first");
    write(m_folder / "corpus" / "sub" / "c", "nested");
    write(m_folder / "single", "given alone");
    Replay run = replay(path("corpus") + " " + path("single"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.inputs, (std::vector<std::string> { "0:", "5:first", "6:second", "6:nested", "11:given alone" }));
    EXPECT_NE(run.output.find("5 inputs ran"), std::string::npos) << run.output;

    Replay committed = replay("");
    EXPECT_EQ(committed.status, 0) << committed.output;
    EXPECT_EQ(committed.inputs, (std::vector<std::string> { "0:", "16:a committed seed" }))
        << "without arguments the committed corpus is replayed";
}

TEST_F(ReplayDriver, ACrashFailsTheRunAndTheLastLineNamesItsInput) {
    write(m_folder / "corpus" / "1_fine", "fine");
    write(m_folder / "corpus" / "2_crash", "crash here");
    write(m_folder / "corpus" / "3_never", "not reached");
    Replay run = replay(path("corpus"));
    EXPECT_NE(run.status, 0) << run.output;
    EXPECT_EQ(run.inputs, (std::vector<std::string> { "0:", "4:fine", "10:crash here" }));
    const size_t last = run.output.rfind("replay: ");
    ASSERT_NE(last, std::string::npos) << run.output;
    EXPECT_NE(run.output.find("2_crash", last), std::string::npos) << run.output;
}

TEST_F(ReplayDriver, MissingPathsAndEmptyFoldersAreErrorsNotPasses) {
    fs::create_directories(m_folder / "empty");
    Replay empty = replay(path("empty"));
    EXPECT_EQ(empty.status, 2) << empty.output;
    EXPECT_NE(empty.output.find("holds no inputs"), std::string::npos) << empty.output;
    EXPECT_TRUE(empty.inputs.empty()) << "nothing runs when a path names no input";

    Replay missing = replay(path("nowhere"));
    EXPECT_EQ(missing.status, 2) << missing.output;
    EXPECT_NE(missing.output.find("neither a file nor a folder"), std::string::npos) << missing.output;
}

}  // namespace
