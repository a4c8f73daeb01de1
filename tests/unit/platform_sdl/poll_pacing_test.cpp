// When the window host pumps events, shows the page and naps.
#include "platform/sdl/poll_pacing.h"

#include <gtest/gtest.h>

namespace {

TEST(PollPacing, EventsArePumpedAtMostEveryHalfMillisecond) {
    resetPollPacing(60);
    EXPECT_TRUE(pumpDue(10.0));
    EXPECT_FALSE(pumpDue(10.0));
    EXPECT_FALSE(pumpDue(10.0004));
    EXPECT_TRUE(pumpDue(10.0005));
    // The very first poll pumps whatever the clock says.
    resetPollPacing(60);
    EXPECT_TRUE(pumpDue(0.0));
}

TEST(PollPacing, AChangeIsShownAtMostOncePerRefresh) {
    resetPollPacing(50);
    EXPECT_FALSE(presentDue(1.0, false));
    EXPECT_TRUE(presentDue(1.0, true));
    EXPECT_FALSE(presentDue(1.019, true));
    EXPECT_TRUE(presentDue(1.02, true));
    // Without a change nothing is shown however long it has been.
    EXPECT_FALSE(presentDue(9.0, false));
}

TEST(PollPacing, DearPresentsAreShownLessOftenButNeverTooLate) {
    // Cheap presents (a GPU): every refresh.
    resetPollPacing(60);
    recordPresentCost(0.0005);
    EXPECT_TRUE(presentDue(1.0, true));
    EXPECT_TRUE(presentDue(1.0 + 1.0 / 60 + 1e-9, true));
    // 3 ms presents may take at most their share of the time: one per 75 ms.
    resetPollPacing(60);
    recordPresentCost(0.003);
    EXPECT_TRUE(presentDue(1.0, true));
    EXPECT_FALSE(presentDue(1.074, true));
    EXPECT_TRUE(presentDue(1.0751, true));
    // 20 ms presents (software scaling of a large window): capped at 1/5 s.
    resetPollPacing(60);
    for (int i = 0; i < 20; ++i) recordPresentCost(0.020);
    EXPECT_TRUE(presentDue(2.0, true));
    EXPECT_FALSE(presentDue(2.199, true));
    EXPECT_TRUE(presentDue(2.2001, true));
    // A stall or a bogus reading does not count as the renderer's cost.
    resetPollPacing(60);
    recordPresentCost(-1.0);
    recordPresentCost(100.0);
    EXPECT_LE(pollPacing.presentCost, 1.0);
}

TEST(PollPacing, AnUnreportedRefreshRateCountsAsSixtyHertz) {
    resetPollPacing(0);
    EXPECT_DOUBLE_EQ(pollPacing.refreshInterval, 1.0 / 60);
    setRefreshRate(-5);
    EXPECT_DOUBLE_EQ(pollPacing.refreshInterval, 1.0 / 60);
    setRefreshRate(144);
    EXPECT_DOUBLE_EQ(pollPacing.refreshInterval, 1.0 / 144);
}

// Simulates a drawing loop: per pass one poll before the frame, the frame
// (which changes the display generation) and two polls after it. Returns the
// naps taken.
int napsInDrawingLoop(int passes, double passSeconds) {
    double now = 0.0;
    unsigned generation = 0;
    int naps = 0;
    for (int i = 0; i < passes; ++i) {
        naps += napDue(now, generation);
        now += passSeconds * 0.9;
        ++generation;
        naps += napDue(now, generation);
        now += passSeconds * 0.05;
        naps += napDue(now, generation);
        now += passSeconds * 0.05;
    }
    return naps;
}

TEST(PollPacing, AFastDrawingLoopNapsOncePerPass) {
    resetPollPacing(60);
    const int naps = napsInDrawingLoop(1000, 0.0001);
    EXPECT_GE(naps, 998);
    EXPECT_LE(naps, 1000);
}

TEST(PollPacing, ASlowDrawingLoopDoesNotNap) {
    resetPollPacing(60);
    EXPECT_EQ(napsInDrawingLoop(100, 0.03), 0);
}

TEST(PollPacing, ALoopThatDrawsNothingNapsAtEveryPollAfterARefresh) {
    resetPollPacing(100);
    EXPECT_FALSE(napDue(0.0, 7));
    EXPECT_FALSE(napDue(0.005, 7));
    EXPECT_TRUE(napDue(0.010, 7));
    EXPECT_TRUE(napDue(0.0101, 7));
    EXPECT_TRUE(napDue(0.0102, 7));
    // Drawing again: back to one nap per pass.
    EXPECT_FALSE(napDue(0.0103, 8));
    EXPECT_FALSE(napDue(0.0104, 8));
}

}  // namespace
