// SPDX-License-Identifier: MIT
#include "views/components/ProgressFillAnimation.h"

#include <QAbstractAnimation>

#include <gtest/gtest.h>

using namespace brindlemoor;

namespace {

class ProgressFillAnimationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_motionWas = SpringAnimation::motionEnabled();
        SpringAnimation::setMotionEnabled(true);
    }
    void TearDown() override { SpringAnimation::setMotionEnabled(m_motionWas); }

    /// The drawn value `ms` into the motion under way: virtual time, no waiting.
    qreal at(int ms)
    {
        EXPECT_TRUE(fill.motion());
        fill.motion()->setCurrentTime(ms);
        return fill.value();
    }
    qreal settled() { return at(fill.motion()->totalDuration()); }

    ProgressFillAnimation fill;
    bool m_motionWas = true;
};

} // namespace

TEST_F(ProgressFillAnimationTest, GrowsInFollowsByASpringAndStartsOverAfterALargeRise)
{
    fill.appear(0.6);
    EXPECT_EQ(fill.value(), 0);
    EXPECT_GT(at(300), 0.3);
    EXPECT_LT(at(300), 0.6);
    EXPECT_DOUBLE_EQ(settled(), 0.6);

    // A small change moves from where the fill is, at once.
    fill.follow(0.1);
    EXPECT_LT(at(100), 0.6);
    EXPECT_DOUBLE_EQ(settled(), 0.1);
    fill.follow(0.5);
    EXPECT_GT(at(100), 0.1);
    EXPECT_DOUBLE_EQ(settled(), 0.5);

    // A reset: down to 0.05, then back to 1 empties the fill and holds it empty for a moment.
    fill.follow(0.05);
    settled();
    fill.follow(1.0);
    EXPECT_EQ(fill.value(), 0);
    EXPECT_EQ(at(70), 0);
    EXPECT_GT(at(400), 0.2);
    EXPECT_DOUBLE_EQ(settled(), 1.0);
}
