// The headless host's virtual clock and the orvet-script driver's rules.
#include <gtest/gtest.h>

#include <limits>

#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/platform.h"

namespace {

class VirtualTime : public ::testing::Test {
   protected:
    void SetUp() override {
        headlessReset();
        resetDisplayState();
        clearInputQueues();
    }
    void load(const std::string& text) {
        std::string error;
        ASSERT_TRUE(headlessLoadScript(text, error)) << error;
    }
};

TEST_F(VirtualTime, EachReadTakesOneMillisecondAndTheTimerNone) {
    EXPECT_EQ(timer(), 0.0);
    EXPECT_EQ(timer(), 0.0);
    readKey();
    EXPECT_DOUBLE_EQ(timer(), 0.001);
    readMouse();
    WindowEvent e{0};
    popEvent(e);
    EXPECT_DOUBLE_EQ(timer(), 0.003);
    EXPECT_DOUBLE_EQ(timer(), 0.003);
    for (int i = 0; i < 997; ++i) readKey();
    EXPECT_DOUBLE_EQ(timer(), 1.0);  // exact, no drift over many steps
    headlessAdvance(2.5);
    EXPECT_DOUBLE_EQ(headlessNow(), 3.5);
    headlessReset();
    EXPECT_EQ(headlessNow(), 0.0);
}

TEST_F(VirtualTime, ACoarserReadStepStaysExactAndBounded) {
    headlessSetReadStep(0.02);
    load("wait 0.05\nkey a\n");
    double seenA = -1.0;
    for (int i = 0; i < 5; ++i) {
        const double before = timer();
        if (readKey() == "a") seenA = before;
    }
    EXPECT_DOUBLE_EQ(seenA, 0.06);  // the first read at or after 50 ms
    EXPECT_DOUBLE_EQ(timer(), 0.1);
    // Nonsense is ignored; steps are kept within 1 us..1 s.
    headlessSetReadStep(0.0);
    headlessSetReadStep(-1.0);
    headlessSetReadStep(std::numeric_limits<double>::quiet_NaN());
    readKey();
    EXPECT_DOUBLE_EQ(timer(), 0.12);
    headlessSetReadStep(1e9);
    readKey();
    EXPECT_DOUBLE_EQ(timer(), 1.12);
    headlessReset();
    readKey();
    readKey();
    EXPECT_DOUBLE_EQ(timer(), 0.002);  // back to 1 ms
}

TEST_F(VirtualTime, ACommandAtTIsSeenByTheFirstReadAtOrAfterT) {
    load("wait 0.005\nkey a\nwait 0.0025\nkey b\n");
    double seenA = -1.0;
    double seenB = -1.0;
    for (int i = 0; i < 20; ++i) {
        const double before = timer();
        const std::string k = readKey();
        if (k == "a") seenA = before;
        if (k == "b") seenB = before;
    }
    EXPECT_DOUBLE_EQ(seenA, 0.005);
    // 7.5 ms falls between reads: the read at 8 ms sees it.
    EXPECT_DOUBLE_EQ(seenB, 0.008);
}

TEST_F(VirtualTime, CommandsDueTogetherAreAllAppliedBeforeTheRead) {
    load("wait 0.002\nmove 1 2\npress left\nkey x\n");
    readKey();
    readKey();
    const MouseReading m = readMouse();  // at 2 ms
    EXPECT_TRUE(m.ok);
    EXPECT_EQ(m.buttons, 1);
    EXPECT_EQ(readKey(), "x");
}

TEST_F(VirtualTime, ScriptDoneOnlyAfterTrailingWaits) {
    load("key a\nwait 0.01\n");
    EXPECT_DOUBLE_EQ(headlessScriptEnd(), 0.01);
    readKey();
    EXPECT_FALSE(headlessScriptDone());
    while (timer() < 0.01) readKey();
    readKey();
    EXPECT_TRUE(headlessScriptDone());
}

TEST_F(VirtualTime, DriverPressesCloseOnceAfterTheLastCommand) {
    load("key a\n");
    headlessCloseWhenDone(true);
    WindowEvent e{0};
    EXPECT_FALSE(popEvent(e));  // applies "a"; close is not yet pressed
    EXPECT_EQ(readKey(), "a");  // the next poll presses it
    ASSERT_TRUE(popEvent(e));
    EXPECT_EQ(e.type, kEventClose);
    for (int i = 0; i < 100; ++i) EXPECT_FALSE(popEvent(e));
    headlessCloseWhenDone(false);
}

TEST_F(VirtualTime, DriverEndsARunThatIgnoresTheCloseButton) {
    EXPECT_EXIT(
        {
            headlessCloseWhenDone(true);
            for (;;) readKey();
        },
        ::testing::ExitedWithCode(3), "did not end within 60 s");
}

TEST_F(VirtualTime, EmptyScriptClosesAtTheFirstPoll) {
    load("");
    headlessCloseWhenDone(true);
    WindowEvent e{0};
    ASSERT_TRUE(popEvent(e));
    EXPECT_EQ(e.type, kEventClose);
    headlessCloseWhenDone(false);
}

}  // namespace
