// The shared child-process pieces: exits are reported faithfully, output is collected whole,
// and a child that does not end is killed at the limit instead of hanging the suite.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <string>

#include "platform/testing/baton.h"
#include "platform/testing/child_process.h"
#include "platform/testing/run_program.h"

namespace zt::platform::testing {
namespace {

using namespace std::chrono_literals;

TEST(ChildProcess, ExitCodesAndSignalsAreReportedAsTheChildEnded) {
    auto plain = ChildProcess::fork([] { return 7; });
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->wait_exit(), 7);
    EXPECT_FALSE(plain->running());

    auto killed = ChildProcess::fork([] {
        ::raise(SIGKILL);
        return 0;
    });
    ASSERT_TRUE(killed);
    EXPECT_EQ(killed->wait_exit(), 128 + SIGKILL);
}

TEST(ChildProcess, ChildStillRunningAtTheLimitFailsTheTestAndIsKilled) {
    Baton never;
    pid_t pid = -1;
    EXPECT_NONFATAL_FAILURE(
        {
            auto stuck = ChildProcess::fork([&] { return never.await(60s) ? 0 : 1; });
            ASSERT_TRUE(stuck);
            pid = stuck->pid();
            EXPECT_EQ(stuck->wait_exit(50ms), -1);
        },
        "still ran after 50 ms");
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0) << "the stuck child is gone, not left running";
}

TEST(ChildProcess, BatonHandsOverAndGivesUpWhenNobodyPasses) {
    Baton go;
    auto child = ChildProcess::fork([&] {
        go.close_unused_writer();
        return go.await() ? 3 : 4;
    });
    ASSERT_TRUE(child);
    go.close_unused_reader();
    go.pass();
    EXPECT_EQ(child->wait_exit(), 3);

    Baton silent;
    const auto before = std::chrono::steady_clock::now();
    EXPECT_FALSE(silent.await(30ms));
    EXPECT_GE(std::chrono::steady_clock::now() - before, 30ms);
}

TEST(RunProgram, CollectsBothOutputsWholeAndFeedsInput) {
    // More than a pipe holds on each side, so a runner that drains one after the other stalls.
    const std::string script = "head -c 200000 /dev/zero | tr '\\0' o; head -c 150000 /dev/zero | tr '\\0' e >&2; "
                               "wc -c; exit 5";
    const std::string input(100000, 'i');
    auto result = run_program("/bin/sh", { "-c", script }, input);
    EXPECT_EQ(result.exit_code, 5);
    ASSERT_EQ(result.out.size(), 200000u + std::string("100000\n").size());
    EXPECT_EQ(result.out.substr(200000), "100000\n");
    EXPECT_EQ(result.err, std::string(150000, 'e'));
}

TEST(RunProgram, ProgramThatNeverEndsFailsTheTestAtTheLimit) {
    ProgramResult result;
    EXPECT_NONFATAL_FAILURE(result = run_program("/bin/sh", { "-c", "exec sleep 60" }, {}, 100ms), "100 ms");
    EXPECT_EQ(result.exit_code, -1);
}

}  // namespace
}  // namespace zt::platform::testing
