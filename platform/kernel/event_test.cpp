#include "platform/kernel/event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/kernel/named_mutex.h"
#include "platform/testing/baton.h"
#include "platform/testing/child_process.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform {
namespace {

using testing::Baton;
using testing::eventually;
using testing::kPatience;
using testing::fork_child;
using testing::TempDeviceRoot;
using testing::wait_child;
using Result = Event::WaitResult;
using namespace std::chrono_literals;

Event unnamed(ResetPolicy policy, bool initially_set = false) {
    auto e = Event::create_unnamed(policy, initially_set);
    EXPECT_TRUE(e.has_value());
    return std::move(*e);
}

// Threads that each wait once on an event and count how many were released.
class Waiters {
public:
    Waiters(Event& event, int count, std::chrono::milliseconds limit) {
        for (int i = 0; i < count; ++i)
            m_threads.emplace_back([&event, limit, this] {
                if (event.wait(limit) == Result::Signalled) ++m_released;
                ++m_finished;
            });
    }
    ~Waiters() {
        for (auto& t : m_threads) t.join();
    }
    int released() const { return m_released; }
    int finished() const { return m_finished; }

private:
    std::atomic<int> m_released { 0 };
    std::atomic<int> m_finished { 0 };
    std::vector<std::thread> m_threads;
};

TEST(EventReset, AutomaticEventReleasesOneWaitAndClearsItself) {
    Event e = unnamed(ResetPolicy::Automatic);
    EXPECT_EQ(e.wait(0ms), Result::TimedOut);
    e.set();
    EXPECT_EQ(e.wait(0ms), Result::Signalled);
    EXPECT_EQ(e.wait(10ms), Result::TimedOut);
}

TEST(EventReset, ManualEventStaysSetUntilReset) {
    Event e = unnamed(ResetPolicy::Manual, true);
    EXPECT_EQ(e.wait(0ms), Result::Signalled);
    EXPECT_EQ(e.wait(), Result::Signalled);
    e.reset();
    EXPECT_EQ(e.wait(10ms), Result::TimedOut);
}

TEST(EventReset, SetOnAutomaticEventWakesExactlyOneOfSeveralWaiters) {
    Event e = unnamed(ResetPolicy::Automatic);
    Waiters waiters(e, 3, 10s);
    ASSERT_TRUE(eventually([&] { return e.waiting_now() == 3; }, kPatience, "three waiters on the event"));
    e.set();
    ASSERT_TRUE(eventually([&] { return waiters.released() == 1; }, kPatience, "one waiter released"));
    EXPECT_EQ(e.waiting_now(), 2u);
    EXPECT_EQ(e.wait(0ms), Result::TimedOut) << "the released waiter consumed the set";
    for (int released = 2; released <= 3; ++released) {
        e.set();
        ASSERT_TRUE(eventually([&] { return waiters.released() == released; }, kPatience, "the next waiter released"));
    }
    EXPECT_TRUE(eventually([&] { return waiters.finished() == 3; }, kPatience, "all three waiters finished"));
}

TEST(EventPulse, ManualPulseReleasesEveryWaiterPresentAndLeavesItClear) {
    Event e = unnamed(ResetPolicy::Manual);
    Waiters waiters(e, 3, 10s);
    ASSERT_TRUE(eventually([&] { return e.waiting_now() == 3; }, kPatience, "three waiters on the event"));
    e.pulse();
    ASSERT_TRUE(eventually([&] { return waiters.finished() == 3; }, kPatience, "all three waiters finished"));
    EXPECT_EQ(waiters.released(), 3);
    EXPECT_EQ(e.wait(0ms), Result::TimedOut) << "a pulse leaves the event clear";
}

TEST(EventPulse, AutomaticPulseReleasesOneWaiterOnly) {
    Event e = unnamed(ResetPolicy::Automatic);
    Waiters waiters(e, 2, 10s);
    ASSERT_TRUE(eventually([&] { return e.waiting_now() == 2; }, kPatience, "two waiters on the event"));
    e.pulse();
    ASSERT_TRUE(eventually([&] { return waiters.released() == 1; }, kPatience, "one waiter released"));
    EXPECT_EQ(e.waiting_now(), 1u) << "the other waiter keeps waiting";
    EXPECT_EQ(e.wait(0ms), Result::TimedOut) << "nothing left for a newcomer";
    e.set();
    ASSERT_TRUE(eventually([&] { return waiters.finished() == 2; }, kPatience, "both waiters finished"));
    EXPECT_EQ(waiters.released(), 2);
}

TEST(EventPulse, PulseWithNobodyWaitingLeavesNothingBehind) {
    for (ResetPolicy policy : { ResetPolicy::Manual, ResetPolicy::Automatic }) {
        Event e = unnamed(policy, true);
        e.pulse();
        EXPECT_EQ(e.wait(0ms), Result::TimedOut);
        e.pulse();
        EXPECT_EQ(e.wait(0ms), Result::TimedOut) << "a later waiter is not released";
    }
}

TEST(NamedEvent, ExistsExactlyWhileSomeProcessHasItOpen) {
    TempDeviceRoot device;
    EXPECT_FALSE(Event::open(u"ZunAlarmNotify").has_value()) << "nobody has it";
    Baton opened;
    Baton finish;
    pid_t child = fork_child([&] {
        auto e = Event::create_or_open(u"ZunAlarmNotify", ResetPolicy::Manual, false);
        if (!e || e->already_existed) return 1;
        opened.pass();
        finish.await();
        return 0;
    });
    ASSERT_TRUE(opened.await());
    auto second = Event::create_or_open(u"ZunAlarmNotify", ResetPolicy::Automatic, true);
    ASSERT_TRUE(second.has_value());
    EXPECT_TRUE(second->already_existed);
    EXPECT_EQ(second->event.policy(), ResetPolicy::Manual) << "an existing event keeps its policy";
    EXPECT_EQ(second->event.wait(0ms), Result::TimedOut) << "and its state";
    EXPECT_TRUE(Event::open(u"ZunAlarmNotify").has_value());
    EXPECT_FALSE(Event::open(u"zunalarmnotify").has_value()) << "names are case-sensitive";
    second.reset();

    finish.pass();
    EXPECT_EQ(wait_child(child), 0);
    EXPECT_FALSE(Event::open(u"ZunAlarmNotify").has_value());
    auto fresh = Event::create_or_open(u"ZunAlarmNotify", ResetPolicy::Automatic, true);
    ASSERT_TRUE(fresh.has_value());
    EXPECT_FALSE(fresh->already_existed);
    EXPECT_EQ(fresh->event.policy(), ResetPolicy::Automatic);
}

TEST(NamedEvent, SetInOneProcessWakesAWaiterInAnother) {
    TempDeviceRoot device;
    auto mine = Event::create_or_open(u"TimeChangeNotify", ResetPolicy::Manual, false);
    ASSERT_TRUE(mine.has_value());
    pid_t child = fork_child([] {
        auto e = Event::create_or_open(u"TimeChangeNotify", ResetPolicy::Manual, false);
        if (!e || !e->already_existed) return 1;
        return e->event.wait(10s) == Result::Signalled ? 0 : 2;
    });
    ASSERT_TRUE(eventually([&] { return mine->event.waiting_now() == 1; },
                           kPatience, "the child waiting on the event"));
    mine->event.set();
    EXPECT_EQ(wait_child(child), 0);
}

TEST(NamedEvent, PulseReachesAWaiterInAnotherProcess) {
    TempDeviceRoot device;
    auto mine = Event::create_or_open(u"PowerManager/UserActivity_Active", ResetPolicy::Manual,
                                      false);
    ASSERT_TRUE(mine.has_value());
    pid_t child = fork_child([] {
        auto e = Event::open(u"PowerManager/UserActivity_Active");
        if (!e) return 1;
        return e->wait(10s) == Result::Signalled ? 0 : 2;
    });
    ASSERT_TRUE(eventually([&] { return mine->event.waiting_now() == 1; },
                           kPatience, "the child waiting on the event"));
    mine->event.pulse();
    EXPECT_EQ(wait_child(child), 0);
    EXPECT_EQ(mine->event.wait(0ms), Result::TimedOut);
}

TEST(NamedEvent, MutexesAndEventsShareOneNamespace) {
    TempDeviceRoot device;
    auto mutex = NamedMutex::create_or_open(u"Shared name");
    ASSERT_TRUE(mutex.has_value());
    EXPECT_FALSE(Event::create_or_open(u"Shared name", ResetPolicy::Manual, false).has_value());
    EXPECT_FALSE(Event::open(u"Shared name").has_value());
    mutex.reset();
    auto event = Event::create_or_open(u"Shared name", ResetPolicy::Manual, false);
    ASSERT_TRUE(event.has_value()) << "free again once the mutex is gone";
    EXPECT_FALSE(NamedMutex::create_or_open(u"Shared name").has_value());
}

TEST(NamedEvent, TwoDeviceRootsNeverSeeEachOthersObjects) {
    TempDeviceRoot first;
    auto in_first = Event::create_or_open(u"ZunAlarmNotify", ResetPolicy::Manual, true);
    ASSERT_TRUE(in_first.has_value());
    {
        TempDeviceRoot second;
        EXPECT_FALSE(Event::open(u"ZunAlarmNotify").has_value());
        auto in_second = Event::create_or_open(u"ZunAlarmNotify", ResetPolicy::Manual, false);
        ASSERT_TRUE(in_second.has_value());
        EXPECT_FALSE(in_second->already_existed);
        EXPECT_EQ(in_second->event.wait(0ms), Result::TimedOut) << "not the first root's event";
        auto mutex = NamedMutex::create_or_open(u"M");
        ASSERT_TRUE(mutex.has_value());
        EXPECT_FALSE(mutex->already_existed);
    }
    first.activate();
    auto again = Event::create_or_open(u"ZunAlarmNotify", ResetPolicy::Manual, false);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->already_existed);
    EXPECT_EQ(again->event.wait(0ms), Result::Signalled);
}

}  // namespace
}  // namespace zt::platform
