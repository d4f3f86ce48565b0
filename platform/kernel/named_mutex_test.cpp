#include "platform/kernel/named_mutex.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>

#include <atomic>
#include <thread>

#include "platform/testing/baton.h"
#include "platform/testing/child_process.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform {
namespace {

using testing::Baton;
using testing::fork_child;
using testing::TempDeviceRoot;
using testing::wait_child;
using Result = NamedMutex::WaitResult;
using namespace std::chrono_literals;

constexpr char16_t kName[] = u"4D79064E-A5B0-4a41-92B5-89527B016871Timer";

NamedMutex open_mutex(std::u16string_view name = kName) {
    auto opened = NamedMutex::create_or_open(name);
    EXPECT_TRUE(opened.has_value());
    return std::move(opened->mutex);
}

// Memory a forked child shares with the test, for data the mutex guards.
struct SharedInts {
    SharedInts() {
        void* p = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        values = static_cast<volatile int*>(p);
    }
    ~SharedInts() { munmap(const_cast<int*>(values), 4096); }
    volatile int* values;
};

TEST(NamedMutexOwnership, RecursiveOwnerNeedsOneReleasePerWait) {
    TempDeviceRoot device;
    NamedMutex mutex = open_mutex();
    ASSERT_EQ(mutex.wait(), Result::Acquired);
    ASSERT_EQ(mutex.wait(0ms), Result::Acquired);
    ASSERT_EQ(mutex.wait(50ms), Result::Acquired);

    auto other_thread_try = [] {
        Result r = Result::Failed;
        std::thread([&] { r = open_mutex().wait(0ms); }).join();
        return r;
    };
    EXPECT_TRUE(mutex.release());
    EXPECT_TRUE(mutex.release());
    EXPECT_EQ(other_thread_try(), Result::TimedOut) << "still held once";
    EXPECT_TRUE(mutex.release());
    EXPECT_FALSE(mutex.release()) << "released more often than acquired";

    Result taken = Result::Failed;
    std::thread([&] {
        NamedMutex m = open_mutex();
        taken = m.wait(0ms);
        if (taken == Result::Acquired) m.release();
    }).join();
    EXPECT_EQ(taken, Result::Acquired);
}

TEST(NamedMutexOwnership, OnlyTheOwnerCanRelease) {
    TempDeviceRoot device;
    NamedMutex mutex = open_mutex();
    ASSERT_EQ(mutex.wait(), Result::Acquired);
    bool released_by_stranger = true;
    std::thread([&] { released_by_stranger = open_mutex().release(); }).join();
    EXPECT_FALSE(released_by_stranger);
    EXPECT_TRUE(mutex.release());
}

TEST(NamedMutexOwnership, MovedFromMutexFailsQuietly) {
    TempDeviceRoot device;
    NamedMutex mutex = open_mutex();
    NamedMutex moved = std::move(mutex);
    EXPECT_EQ(mutex.wait(0ms), Result::Failed);  // NOLINT(bugprone-use-after-move)
    EXPECT_FALSE(mutex.release());
    EXPECT_EQ(moved.wait(0ms), Result::Acquired);
    EXPECT_TRUE(moved.release());
}

TEST(NamedMutexAcrossProcesses, ContendingProcessesLoseNoIncrements) {
    TempDeviceRoot device;
    SharedInts shared;
    constexpr int kProcesses = 4;
    constexpr int kRounds = 500;
    pid_t children[kProcesses];
    for (pid_t& child : children) {
        child = fork_child([&] {
            NamedMutex m = open_mutex();
            for (int i = 0; i < kRounds; ++i) {
                if (m.wait() != Result::Acquired) return 1;
                int seen = shared.values[0];
                sched_yield();  // invite the others to interleave if the mutex let them
                shared.values[0] = seen + 1;
                if (!m.release()) return 2;
            }
            return 0;
        });
    }
    for (pid_t child : children) EXPECT_EQ(wait_child(child), 0);
    EXPECT_EQ(shared.values[0], kProcesses * kRounds);
}

TEST(NamedMutexAcrossProcesses, WaitTimesOutWhileAnotherProcessHoldsIt) {
    TempDeviceRoot device;
    Baton holding;
    Baton finish;
    pid_t child = fork_child([&] {
        NamedMutex m = open_mutex();
        if (m.wait() != Result::Acquired) return 1;
        holding.pass();
        finish.await();
        return m.release() ? 0 : 2;
    });
    ASSERT_TRUE(holding.await());
    NamedMutex mine = open_mutex();
    EXPECT_EQ(mine.wait(0ms), Result::TimedOut);
    EXPECT_EQ(mine.wait(20ms), Result::TimedOut);
    finish.pass();
    EXPECT_EQ(mine.wait(), Result::Acquired);
    EXPECT_TRUE(mine.release());
    EXPECT_EQ(wait_child(child), 0);
}

TEST(NamedMutexAbandonment, OwnerKilledWhileHoldingHandsItToTheNextWaiter) {
    TempDeviceRoot device;
    SharedInts shared;
    Baton holding;
    Baton die;
    pid_t child = fork_child([&] {
        NamedMutex m = open_mutex();
        if (m.wait() != Result::Acquired) return 1;
        if (m.wait() != Result::Acquired) return 1;  // held twice: recursion must not survive
        holding.pass();
        die.await();
        shared.values[0] = 41;  // half-way through an update
        raise(SIGKILL);
        return 3;
    });
    ASSERT_TRUE(holding.await());
    // Only a holder of a handle can see the abandonment: once nobody has the name open the
    // mutex is gone, and the next create makes a fresh one.
    NamedMutex mine = open_mutex();
    die.pass();
    EXPECT_EQ(wait_child(child), 128 + SIGKILL);

    ASSERT_EQ(mine.wait(1s), Result::Abandoned);
    EXPECT_EQ(shared.values[0], 41) << "the guarded data stays readable";
    shared.values[0] = 42;
    EXPECT_TRUE(mine.release()) << "acquired once, released once";
    EXPECT_EQ(mine.wait(0ms), Result::Acquired) << "usable again after an abandonment";
    EXPECT_TRUE(mine.release());
}

TEST(NamedMutexAbandonment, ThreadEndingWhileHoldingAbandonsIt) {
    TempDeviceRoot device;
    std::thread([] {
        NamedMutex m = open_mutex();
        ASSERT_EQ(m.wait(), Result::Acquired);
    }).join();
    NamedMutex mine = open_mutex();
    EXPECT_EQ(mine.wait(1s), Result::Abandoned);
    EXPECT_TRUE(mine.release());
}

TEST(NamedMutexExistence, ExistsExactlyWhileAnotherProcessHoldsAHandle) {
    TempDeviceRoot device;
    Baton opened;
    Baton finish;
    pid_t child = fork_child([&] {
        auto m = NamedMutex::create_or_open(kName);
        if (!m || m->already_existed) return 1;
        opened.pass();
        finish.await();
        return 0;
    });
    ASSERT_TRUE(opened.await());
    {
        auto second = NamedMutex::create_or_open(kName);
        ASSERT_TRUE(second.has_value());
        EXPECT_TRUE(second->already_existed);
    }
    finish.pass();
    EXPECT_EQ(wait_child(child), 0);
    auto after = NamedMutex::create_or_open(kName);
    ASSERT_TRUE(after.has_value());
    EXPECT_FALSE(after->already_existed) << "the other instance has exited";
}

TEST(NamedMutexExistence, KilledHolderDoesNotKeepTheNameTaken) {
    TempDeviceRoot device;
    pid_t child = fork_child([&] {
        auto m = NamedMutex::create_or_open(u"/Windows/ZunTime.exe");
        if (!m) return 1;
        raise(SIGKILL);
        return 2;
    });
    EXPECT_EQ(wait_child(child), 128 + SIGKILL);
    auto mine = NamedMutex::create_or_open(u"/Windows/ZunTime.exe");
    ASSERT_TRUE(mine.has_value());
    EXPECT_FALSE(mine->already_existed);
}

TEST(NamedMutexExistence, SecondHandleInOneProcessSharesTheMutex) {
    TempDeviceRoot device;
    auto first = NamedMutex::create_or_open(kName);
    auto second = NamedMutex::create_or_open(kName);
    ASSERT_TRUE(first && second);
    EXPECT_FALSE(first->already_existed);
    EXPECT_TRUE(second->already_existed);
    ASSERT_EQ(first->mutex.wait(), Result::Acquired);
    EXPECT_TRUE(second->mutex.release()) << "ownership belongs to the thread, not the handle";
    first.reset();
    second.reset();
    auto third = NamedMutex::create_or_open(kName);
    ASSERT_TRUE(third.has_value());
    EXPECT_FALSE(third->already_existed);
}

TEST(NamedMutexExistence, ClosingTheLastHandleWhileHoldingKeepsItHeld) {
    TempDeviceRoot device;
    {
        NamedMutex m = open_mutex();
        ASSERT_EQ(m.wait(), Result::Acquired);
    }
    auto again = NamedMutex::create_or_open(kName);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->already_existed) << "still owned by this thread";
    EXPECT_TRUE(again->mutex.release());
}

TEST(NamedMutexExistence, EmptyNameMakesIndependentUnnamedMutexes) {
    TempDeviceRoot device;
    auto a = NamedMutex::create_or_open(u"");
    auto b = NamedMutex::create_or_open(u"");
    ASSERT_TRUE(a && b);
    EXPECT_FALSE(b->already_existed);
    ASSERT_EQ(a->mutex.wait(), Result::Acquired);
    Result other = Result::Failed;
    std::thread([&] {
        other = b->mutex.wait(0ms);
        if (other == Result::Acquired) b->mutex.release();
    }).join();
    EXPECT_EQ(other, Result::Acquired) << "two unnamed mutexes are unrelated";
    EXPECT_TRUE(a->mutex.release());
}

}  // namespace
}  // namespace zt::platform
