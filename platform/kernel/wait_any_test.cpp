#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/kernel/event.h"
#include "platform/kernel/waitable.h"
#include "platform/testing/child_process.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform {
namespace {

using testing::eventually;

using testing::kPatience;
using testing::fork_child;
using testing::TempDeviceRoot;
using testing::wait_child;
using Kind = WaitAnyResult::Kind;
using namespace std::chrono_literals;

std::vector<Event> unnamed_events(int count, ResetPolicy policy) {
    std::vector<Event> events;
    for (int i = 0; i < count; ++i) events.push_back(*Event::create_unnamed(policy, false));
    return events;
}

std::vector<Waitable*> pointers(std::vector<Event>& events) {
    std::vector<Waitable*> out;
    for (auto& e : events) out.push_back(&e);
    return out;
}

TEST(WaitAny, ReportsTheLowestSignalledIndex) {
    auto events = unnamed_events(4, ResetPolicy::Manual);
    auto list = pointers(events);
    events[3].set();
    events[1].set();
    auto r = wait_any(list, 0ms);
    EXPECT_EQ(r.kind, Kind::Signalled);
    EXPECT_EQ(r.index, 1u);
}

TEST(WaitAny, ConsumesOnlyTheReportedAutomaticEvent) {
    auto events = unnamed_events(2, ResetPolicy::Automatic);
    auto list = pointers(events);
    events[0].set();
    events[1].set();
    auto first = wait_any(list, 0ms);
    auto second = wait_any(list, 0ms);
    auto third = wait_any(list, 0ms);
    EXPECT_EQ(first.kind, Kind::Signalled);
    EXPECT_EQ(first.index, 0u);
    EXPECT_EQ(second.kind, Kind::Signalled);
    EXPECT_EQ(second.index, 1u) << "the second event was left set by the first wait";
    EXPECT_EQ(third.kind, Kind::TimedOut);
}

TEST(WaitAny, TimesOutWhenNothingIsSignalled) {
    auto events = unnamed_events(3, ResetPolicy::Manual);
    auto list = pointers(events);
    EXPECT_EQ(wait_any(list, 0ms).kind, Kind::TimedOut);
    EXPECT_EQ(wait_any(list, 15ms).kind, Kind::TimedOut);
}

TEST(WaitAny, RejectsEmptyNullMovedFromAndOversizedLists) {
    auto events = unnamed_events(1, ResetPolicy::Manual);
    EXPECT_EQ(wait_any({}, 0ms).kind, Kind::Failed);
    std::array<Waitable*, 2> with_null { &events[0], nullptr };
    EXPECT_EQ(wait_any(with_null, 0ms).kind, Kind::Failed);
    Event moved_to = std::move(events[0]);
    std::array<Waitable*, 1> moved_from { &events[0] };
    EXPECT_EQ(wait_any(moved_from, 0ms).kind, Kind::Failed);
    std::vector<Waitable*> too_many(65, &moved_to);
    EXPECT_EQ(wait_any(too_many, 0ms).kind, Kind::Failed);
    std::vector<Waitable*> most(64, &moved_to);
    EXPECT_EQ(wait_any(most, 0ms).kind, Kind::TimedOut);
}

TEST(WaitAny, WakesForTheEventAnotherProcessSets) {
    TempDeviceRoot device;
    const char16_t* names[] = { u"Stop", u"ZunAlarmNotify", u"TimeChangeNotify" };
    std::vector<Event> mine;
    for (auto* name : names)
        mine.push_back(std::move(Event::create_or_open(name, ResetPolicy::Manual, false)->event));

    pid_t child = fork_child([&] {
        std::vector<Event> theirs;
        for (auto* name : names) {
            auto e = Event::open(name);
            if (!e) return 100;
            theirs.push_back(std::move(*e));
        }
        auto stop = Event::create_unnamed(ResetPolicy::Manual, false);  // mixed kinds work too
        auto list = pointers(theirs);
        list.insert(list.begin(), &*stop);
        auto r = wait_any(list, 10s);
        return r.kind == Kind::Signalled ? static_cast<int>(r.index) : 101;
    });
    ASSERT_TRUE(eventually([&] { return mine[2].waiting_now() == 1; }, kPatience, "a waiter on the third event"));
    mine[2].set();
    EXPECT_EQ(wait_child(child), 3) << "TimeChangeNotify is index 3 of the child's list";
}

}  // namespace
}  // namespace zt::platform
