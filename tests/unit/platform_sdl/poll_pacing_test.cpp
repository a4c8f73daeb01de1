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

TEST(PollPacing, DearPresentsAreShownLessOftenButThirtyTimesASecond) {
    // Cheap presents (a GPU): every refresh.
    resetPollPacing(60);
    recordPresentCost(0.0005);
    EXPECT_TRUE(presentDue(1.0, true));
    EXPECT_TRUE(presentDue(1.0 + 1.0 / 60 + 1e-9, true));
    // 1 ms presents may take at most their share of the time: one per 25 ms.
    resetPollPacing(60);
    recordPresentCost(0.001);
    EXPECT_TRUE(presentDue(1.0, true));
    EXPECT_FALSE(presentDue(1.0249, true));
    EXPECT_TRUE(presentDue(1.0251, true));
    // 20 ms presents (a software renderer on a busy machine): still 30 a
    // second, so that a drag follows the pointer.
    resetPollPacing(60);
    for (int i = 0; i < 20; ++i) recordPresentCost(0.020);
    EXPECT_TRUE(presentDue(2.0, true));
    EXPECT_FALSE(presentDue(2.0333, true));
    EXPECT_TRUE(presentDue(2.0334, true));
    // A late present does not delay the next one: they keep their step.
    EXPECT_TRUE(presentDue(2.0 + 2.0 / 30 + 0.001, true));
    // ...but never more than one per refresh of a slow display.
    resetPollPacing(24);
    for (int i = 0; i < 20; ++i) recordPresentCost(0.020);
    EXPECT_TRUE(presentDue(3.0, true));
    EXPECT_FALSE(presentDue(3.04, true));
    EXPECT_TRUE(presentDue(3.0 + 1.0 / 24 + 1e-9, true));
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

// What a simulated second of a game loop did.
struct LoopRun {
    int passes = 0;
    int presents = 0;
    int waits = 0;
    double waited = 0.0;  // seconds spent waiting
};

// Runs a loop for one second as the window host's poll paces it: per pass,
// drawSeconds of drawing (a new display generation, with a new picture when
// moving) and then polls polls of pollSeconds each. A loop that draws
// nothing has drawSeconds 0 and keeps its generation.
LoopRun runLoop(bool draws, bool moving, int polls, double drawSeconds, double pollSeconds) {
    LoopRun run;
    double now = 10.0;
    unsigned generation = 1;
    bool pictureWaiting = true;
    while (now < 11.0) {
        if (draws) {
            now += drawSeconds;
            ++generation;
            ++run.passes;
            if (moving) pictureWaiting = true;
        }
        for (int i = 0; i < polls; ++i) {
            PollView view;
            view.generation = generation;
            view.pictureWaiting = pictureWaiting;
            const double wait = waitDue(now, view);
            if (wait > 0.0) {
                ++run.waits;
                run.waited += wait;
                now += wait;
            }
            if (presentDue(now, pictureWaiting)) {
                pictureWaiting = false;
                ++run.presents;
            }
            now += pollSeconds;
        }
    }
    return run;
}

TEST(PollPacing, AStandingPictureWaitsOncePerPassUntilTheRefreshEnds) {
    // The main loop: three polls a pass, 0.3 ms of drawing. After the first
    // picture it runs once per refresh and sleeps nearly all the time.
    resetPollPacing(60);
    LoopRun run = runLoop(true, false, 3, 0.0003, 0.000001);
    EXPECT_EQ(run.presents, 1);
    EXPECT_GE(run.passes, 55);
    EXPECT_LE(run.passes, 61);
    EXPECT_EQ(run.waits, run.passes);
    EXPECT_GT(run.waited, 0.97);
    // A slow drawing loop (30 ms a pass) still waits for the end of a refresh
    // once a pass: never twice, so it is not slowed down further.
    resetPollPacing(60);
    run = runLoop(true, false, 3, 0.030, 0.000001);
    EXPECT_LE(run.waits, run.passes);
    EXPECT_GE(run.passes, 22);
    // A loop that only polls (the help page) waits at nearly every poll and
    // wakes about once per refresh.
    resetPollPacing(60);
    run = runLoop(false, false, 1, 0.0, 0.000001);
    EXPECT_GE(run.waits, 55);
    EXPECT_LE(run.waits, 61);
    EXPECT_GT(run.waited, 0.99);
}

TEST(PollPacing, AMovingPictureIsShownEveryRefreshOrThirtyTimesASecond) {
    // Cheap presents: every refresh, one pass per refresh.
    resetPollPacing(60);
    recordPresentCost(0.0002);
    LoopRun run = runLoop(true, true, 3, 0.0003, 0.000001);
    EXPECT_GE(run.presents, 59);
    EXPECT_LE(run.presents, 61);
    EXPECT_LE(run.passes, 2 * run.presents + 1);
    // Dear presents (a software renderer): 30 a second, and the loop sleeps
    // in between.
    resetPollPacing(60);
    for (int i = 0; i < 20; ++i) recordPresentCost(0.005);
    run = runLoop(true, true, 3, 0.0003, 0.000001);
    EXPECT_GE(run.presents, 30);
    EXPECT_LE(run.presents, 31);
    EXPECT_GT(run.waited, 0.95);
}

TEST(PollPacing, UnreadInputKeepsAPollAwakeForARefreshAndHiddenWindowsWaitLong) {
    resetPollPacing(100);
    PollView view;
    view.generation = 5;
    view.inputWaiting = true;
    // The game reads it within its pass: no wait meanwhile.
    EXPECT_EQ(waitDue(1.0, view), 0.0);
    EXPECT_EQ(waitDue(1.009, view), 0.0);
    // A loop that has not read it for a whole refresh does not read it.
    EXPECT_GT(waitDue(1.010, view), 0.0);
    // Read, and new input: awake again.
    view.inputWaiting = false;
    view.generation = 6;
    EXPECT_GT(waitDue(1.030, view), 0.0);
    view.inputWaiting = true;
    view.generation = 7;
    EXPECT_EQ(waitDue(1.031, view), 0.0);
    // A hidden window waits 100 ms at a time, changed picture or not.
    resetPollPacing(60);
    view = PollView();
    view.hidden = true;
    view.pictureWaiting = true;
    EXPECT_NEAR(waitDue(2.0, view), kHiddenWait, 1e-9);
    // ...once per pass of a drawing loop, and at each poll of one that only
    // polls, after the few polls of a pass.
    for (int i = 1; i < kPollsPerPass; ++i) EXPECT_EQ(waitDue(2.1, view), 0.0);
    EXPECT_NEAR(waitDue(2.1, view), kHiddenWait, 1e-9);
    view.generation = 1;
    EXPECT_NEAR(waitDue(2.2, view), kHiddenWait, 1e-9);
}

}  // namespace
