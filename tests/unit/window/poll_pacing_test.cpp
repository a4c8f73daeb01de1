// When the window host pumps events, shows the page and naps.
#include "platform/window/poll_pacing.h"

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

TEST(PollPacing, DearPresentsAreShownLessOftenButOver30TimesASecond) {
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
    // 20 ms presents (a software renderer on a busy machine): still over 30
    // a second, so that a drag follows the pointer.
    resetPollPacing(60);
    for (int i = 0; i < 20; ++i) recordPresentCost(0.020);
    EXPECT_TRUE(presentDue(2.0, true));
    EXPECT_FALSE(presentDue(2.0312, true));
    // A present 9 ms late does not delay the next one: they keep their step.
    EXPECT_TRUE(presentDue(2.0400, true));
    EXPECT_TRUE(presentDue(2.0626, true));
    // ...but never more than one per refresh of a slow display.
    resetPollPacing(24);
    for (int i = 0; i < 20; ++i) recordPresentCost(0.020);
    EXPECT_TRUE(presentDue(3.0, true));
    EXPECT_FALSE(presentDue(3.04, true));
    EXPECT_TRUE(presentDue(3.0 + 1.0 / 24 + 1e-9, true));
    // A page's own limits (a quarter of the time, 40 a second), kept until
    // the next reset; nonsense limits leave the ones in force.
    resetPollPacing(60);
    setPresentLimits(0.25, 1.0 / 40);
    setPresentLimits(0.0, -1.0);
    for (int i = 0; i < 20; ++i) recordPresentCost(0.004);
    EXPECT_TRUE(presentDue(4.0, true));
    EXPECT_FALSE(presentDue(4.0166, true));
    EXPECT_TRUE(presentDue(4.0168, true));
    for (int i = 0; i < 20; ++i) recordPresentCost(0.020);
    EXPECT_TRUE(presentDue(4.1, true));
    EXPECT_FALSE(presentDue(4.1249, true));
    EXPECT_TRUE(presentDue(4.1251, true));
    resetPollPacing(60);
    EXPECT_EQ(pollPacing.presentShare, kPresentShare);
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

// A game loop as the window host's poll paces it, and what it did.
struct Loop {
    bool draws = true;       // each pass draws (a new display generation)
    bool moving = false;     // ...and a new picture
    double drawEvery = 0.0;  // >0: draws only this long after its last drawing
    double lastDraw = 0.0;
    int polls = 3;  // polls per pass
    double drawSeconds = 0.0003;
    double pollSeconds = 0.000001;
    double now = 10.0;
    unsigned generation = 1;
    bool pictureWaiting = true;
    int passes = 0;
    int presents = 0;
    int waits = 0;
    double waited = 0.0;  // seconds spent waiting
};

// Runs the loop for a while; returns it with the counts of that while.
Loop run(Loop loop, double seconds) {
    loop.passes = loop.presents = loop.waits = 0;
    loop.waited = 0.0;
    const double end = loop.now + seconds;
    while (loop.now < end) {
        if (loop.draws && loop.now - loop.lastDraw >= loop.drawEvery) {
            loop.lastDraw = loop.now;
            loop.now += loop.drawSeconds;
            ++loop.generation;
            ++loop.passes;
            if (loop.moving) loop.pictureWaiting = true;
        }
        for (int i = 0; i < loop.polls; ++i) {
            PollView view;
            view.generation = loop.generation;
            view.pictureWaiting = loop.pictureWaiting;
            const double wait = waitDue(loop.now, view);
            if (wait > 0.0) {
                ++loop.waits;
                loop.waited += wait;
                loop.now += wait;
            }
            if (presentDue(loop.now, loop.pictureWaiting)) {
                loop.pictureWaiting = false;
                ++loop.presents;
            }
            loop.now += loop.pollSeconds;
        }
    }
    return loop;
}

TEST(PollPacing, AStandingPictureWaitsOncePerPassUntilTheRefreshEnds) {
    // The main loop: three polls a pass, 0.3 ms of drawing. After the first
    // picture it runs once per refresh and sleeps nearly all the time.
    resetPollPacing(60);
    Loop loop = run(Loop(), 0.9);
    EXPECT_EQ(loop.presents, 1);
    EXPECT_GE(loop.passes, 50);
    EXPECT_LE(loop.passes, 55);
    EXPECT_EQ(loop.waits, loop.passes);
    EXPECT_GT(loop.waited, 0.97 * 0.9);
    // Once it has stood still for a second, ten times a second.
    loop = run(loop, 0.1);
    loop = run(loop, 1.0);
    EXPECT_GE(loop.passes, 9);
    EXPECT_LE(loop.passes, 11);
    EXPECT_EQ(loop.presents, 0);
    // A new picture: every refresh again.
    loop.pictureWaiting = true;
    loop = run(loop, 0.5);
    EXPECT_EQ(loop.presents, 1);
    EXPECT_GE(loop.passes, 28);

    // A slow drawing loop (30 ms a pass) still waits for the end of a refresh
    // once a pass, never twice.
    resetPollPacing(60);
    Loop slow;
    slow.drawSeconds = 0.030;
    slow = run(slow, 0.9);
    EXPECT_LE(slow.waits, slow.passes);
    EXPECT_GE(slow.passes, 25);

    // A loop that only polls (the help page) waits at nearly every poll and
    // wakes about once per refresh once its picture has been shown a while.
    resetPollPacing(60);
    Loop polling;
    polling.draws = false;
    polling.polls = 1;
    polling = run(polling, 0.1);
    polling = run(polling, 0.6);
    EXPECT_GE(polling.waits, 35);
    EXPECT_LE(polling.waits, 37);
    EXPECT_GT(polling.waited, 0.99 * 0.6);
}

TEST(PollPacing, ALoopThatTimesItsOwnPicturesDrawsEachOnTime) {
    // The flight: two polls a round, a new picture every 40 ms by its own
    // clock; waiting for whole refreshes would draw one every 50 ms.
    resetPollPacing(60);
    recordPresentCost(0.0002);
    Loop flight;
    flight.moving = true;
    flight.polls = 2;
    flight.drawEvery = 0.040;
    flight = run(flight, 2.0);
    EXPECT_GE(flight.passes, 48);
    EXPECT_EQ(flight.presents, flight.passes);
    EXPECT_GT(flight.waited, 1.9);
}

TEST(PollPacing, AMovingPictureIsShownEveryRefreshOrOver30TimesASecond) {
    // Cheap presents: every refresh, one pass per refresh.
    resetPollPacing(60);
    recordPresentCost(0.0002);
    Loop loop;
    loop.moving = true;
    Loop cheap = run(loop, 2.0);
    EXPECT_GE(cheap.presents, 119);
    EXPECT_LE(cheap.presents, 121);
    EXPECT_LE(cheap.passes, cheap.presents + 1);
    // Dear presents (a software renderer): 32 a second, and the loop sleeps
    // in between.
    resetPollPacing(60);
    for (int i = 0; i < 20; ++i) recordPresentCost(0.005);
    Loop dear = run(loop, 2.0);
    EXPECT_GE(dear.presents, 64);
    EXPECT_LE(dear.presents, 65);
    EXPECT_GT(dear.waited, 1.9);
}

TEST(PollPacing, InputKeepsThePollAwakeUntilItsAnswerCanBeShown) {
    resetPollPacing(100);
    PollView view;
    view.generation = 5;
    view.inputWaiting = true;
    // The game reads it within its pass: no wait meanwhile.
    EXPECT_EQ(waitDue(1.0, view), 0.0);
    EXPECT_EQ(waitDue(1.009, view), 0.0);
    // A loop that has not read it for a whole refresh does not read it.
    EXPECT_GT(waitDue(1.010, view), 0.0);
    // Read: no wait until the pages have flipped twice (the answer drawn,
    // then shown)...
    view.inputWaiting = false;
    view.generation = 6;
    EXPECT_EQ(waitDue(1.012, view), 0.0);
    view.generation = 7;
    EXPECT_GT(waitDue(1.013, view), 0.0);
    // ...or, in a loop that does not flip, for a refresh.
    view.inputWaiting = true;
    EXPECT_EQ(waitDue(1.014, view), 0.0);
    view.inputWaiting = false;
    EXPECT_EQ(waitDue(1.015, view), 0.0);
    EXPECT_EQ(waitDue(1.023, view), 0.0);
    double waited = 0.0;
    for (int i = 0; i < kPollsPerPass; ++i) waited += waitDue(1.0241, view);
    EXPECT_GT(waited, 0.0);
    // A hidden window waits 100 ms at a time, changed picture or not.
    resetPollPacing(60);
    view = PollView();
    view.hidden = true;
    view.pictureWaiting = true;
    EXPECT_NEAR(waitDue(2.0, view), kHiddenWait, 1e-9);
    // ...at every poll, not once per pass: nothing of a pass can be seen.
    EXPECT_NEAR(waitDue(2.1, view), kHiddenWait, 1e-9);
    view.generation = 1;
    EXPECT_NEAR(waitDue(2.2, view), kHiddenWait, 1e-9);
    EXPECT_NEAR(waitDue(2.3, view), kHiddenWait, 1e-9);
    // Shown again: once per pass.
    view.hidden = false;
    view.pictureWaiting = false;
    view.generation = 2;
    EXPECT_GT(waitDue(2.4, view), 0.0);
    EXPECT_EQ(waitDue(2.45, view), 0.0);
    // A host's own hidden wait, kept until the next reset; a still shown
    // picture keeps kHiddenWait.
    resetPollPacing(60);
    setHiddenWait(1.0);
    setHiddenWait(0.0);
    view = PollView();
    view.hidden = true;
    EXPECT_NEAR(waitDue(3.0, view), 1.0, 1e-9);
    view.hidden = false;
    view.generation = 1;
    EXPECT_NEAR(waitDue(9.0, view), kHiddenWait, 1e-9);
    resetPollPacing(60);
    EXPECT_EQ(pollPacing.hiddenWait, kHiddenWait);
}

}  // namespace
