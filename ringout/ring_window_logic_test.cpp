#include <gtest/gtest.h>

#include "ringout/button_group.h"
#include "ringout/ring_layout.h"

namespace zt::ringout {
namespace {

using zt::platform::Point;
using zt::platform::Rect;

TEST(RingLayoutTest, HighResolutionDoublesTheBandsAndSharesTheMiddleInThreeGaps) {
    const RingLayout big = compute_ring_layout({ 0, 0, 480, 480 }, true);
    EXPECT_EQ(big.title, (Rect { 0, 0, 480, 40 }));
    EXPECT_EQ(big.left_button, (Rect { 0, 348, 240, 480 }));
    EXPECT_EQ(big.right_button, (Rect { 240, 348, 480, 480 }));
    // (348 - 40 - 180) / 3 = 42
    EXPECT_EQ(big.picture, (Rect { 0, 82, 480, 182 }));
    EXPECT_EQ(big.clock, (Rect { 0, 224, 480, 304 }));

    const RingLayout small = compute_ring_layout({ 0, 0, 240, 240 }, false);
    EXPECT_EQ(small.title, (Rect { 0, 0, 240, 20 }));
    EXPECT_EQ(small.left_button, (Rect { 0, 174, 120, 240 }));
    EXPECT_EQ(small.right_button, (Rect { 120, 174, 240, 240 }));
    // (174 - 20 - 90) / 3 = 21
    EXPECT_EQ(small.picture, (Rect { 0, 41, 240, 91 }));
    EXPECT_EQ(small.clock, (Rect { 0, 112, 240, 152 }));
}

class ButtonGroupTest : public ::testing::Test {
protected:
    ImageButton m_dismiss { kCommandDismiss, 0, { 0, 100, 50, 150 } };
    ImageButton m_snooze { kCommandSnooze, 1, { 50, 100, 100, 150 } };
    CButtonGroup m_group { { &m_dismiss, &m_snooze } };
};

TEST_F(ButtonGroupTest, PressAndReleaseOnAButtonGivesItsCommand) {
    EXPECT_EQ(m_group.track({ 60, 120 }).size(), 1u);
    EXPECT_EQ(m_group.pressed(), 1);
    EXPECT_EQ(m_snooze.frame(true), 3);
    EXPECT_EQ(m_group.release(), std::optional<uint32_t>(kCommandSnooze));
    EXPECT_EQ(m_group.pressed(), -1);
}

TEST_F(ButtonGroupTest, SlidingOffBeforeLiftingGivesNothingAndSlidingBackGivesTheCommand) {
    m_group.track({ 10, 120 });
    EXPECT_EQ(m_group.track({ 10, 99 }).size(), 1u) << "leaving repaints the old button";
    EXPECT_EQ(m_group.release(), std::nullopt);

    m_group.track({ 10, 120 });
    m_group.track({ 10, 160 });
    EXPECT_EQ(m_group.track({ 49, 149 }).size(), 1u);
    EXPECT_EQ(m_group.track({ 50, 149 }).size(), 2u) << "moving across repaints both buttons";
    EXPECT_EQ(m_group.release(), std::optional<uint32_t>(kCommandSnooze));
}

}  // namespace
}  // namespace zt::ringout
