// The window title, mouse readings, the key and event queues and the
// shared pointer state.
#include <gtest/gtest.h>

#include <string>

#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/mouse_state.h"
#include "platform/platform.h"

namespace {

class WindowInput : public ::testing::Test {
   protected:
    void SetUp() override {
        headlessReset();
        resetDisplayState();
        clearInputQueues();
    }
};

std::vector<std::string> titlesSeen;
void recordTitle(const std::string& title) {
    titlesSeen.push_back(title);
}

TEST_F(WindowInput, TitleIsCutTo127Bytes) {
    titlesSeen.clear();
    headlessOnTitle(recordTitle);
    const std::string longTitle = std::string(126, 'a') + "\xC6\xC7" + "tail";
    setWindowTitle(longTitle);
    EXPECT_EQ(windowTitle(), longTitle.substr(0, 127));
    EXPECT_EQ(windowTitle().size(), 127u);
    setWindowTitle(std::string(127, 'b'));
    EXPECT_EQ(windowTitle(), std::string(127, 'b'));
    setWindowTitle("Orvet: x");
    EXPECT_EQ(windowTitle(), "Orvet: x");
    ASSERT_EQ(titlesSeen.size(), 3u);
    EXPECT_EQ(titlesSeen[0].size(), 127u);
    headlessOnTitle(nullptr);
}

TEST_F(WindowInput, MouseOutsideTheWindowGivesAllFiveMinusOne) {
    MouseReading m = readMouse();
    EXPECT_FALSE(m.ok);
    EXPECT_EQ(m.x, -1);
    EXPECT_EQ(m.y, -1);
    EXPECT_EQ(m.wheel, -1);
    EXPECT_EQ(m.buttons, -1);
    EXPECT_EQ(m.confined, -1);

    headlessSetMouse(639, 479, 3);
    m = readMouse();
    EXPECT_TRUE(m.ok);
    EXPECT_EQ(m.x, 639);
    EXPECT_EQ(m.y, 479);
    EXPECT_EQ(m.buttons, 3);
    EXPECT_EQ(m.confined, 0);

    // Just past the edge counts as outside.
    headlessSetMouse(640, 10, 1);
    EXPECT_EQ(readMouse().x, -1);
    headlessSetMouse(10, 10, 1);
    headlessLeave();
    m = readMouse();
    EXPECT_FALSE(m.ok);
    EXPECT_EQ(m.buttons, -1);
}

TEST_F(WindowInput, MouseStateKeepsTheLastGoodPositionAfterAFailure) {
    LastGoodPosition lastGood;
    headlessSetMouse(100, 200, 1);
    readMouseState(lastGood);
    EXPECT_EQ(mouseX, 100);
    EXPECT_EQ(mouseY, 200);
    EXPECT_EQ(mouseButtons, 1);
    EXPECT_EQ(mouseFailed, 0);
    headlessLeave();
    readMouseState(lastGood);
    EXPECT_EQ(mouseX, 100);
    EXPECT_EQ(mouseY, 200);
    EXPECT_EQ(mouseButtons, -1);
    EXPECT_EQ(mouseFailed, -1);
    // A fresh loop starts from (0, 0).
    LastGoodPosition fresh;
    readMouseState(fresh);
    EXPECT_EQ(mouseX, 0);
    EXPECT_EQ(mouseY, 0);
}

TEST_F(WindowInput, CloseRequestGivesEventThirteenAndKeyFFk) {
    queueCloseRequest();
    WindowEvent e{0};
    ASSERT_TRUE(popEvent(e));
    EXPECT_EQ(e.type, kEventClose);
    EXPECT_FALSE(popEvent(e));
    EXPECT_EQ(readKey(), std::string("\xFF"
                                     "k"));
    EXPECT_EQ(readKey(), "");
}

TEST_F(WindowInput, EventQueueHoldsAtMost128InOrder) {
    for (int i = 0; i < kEventQueueSize + 10; ++i) queueEvent(i);
    WindowEvent e{-1};
    for (int i = 0; i < kEventQueueSize; ++i) {
        ASSERT_TRUE(popEvent(e));
        EXPECT_EQ(e.type, i);
    }
    EXPECT_FALSE(popEvent(e));
    // The ring wraps around cleanly after being drained.
    queueEvent(500);
    queueEvent(501);
    ASSERT_TRUE(popEvent(e));
    EXPECT_EQ(e.type, 500);
    ASSERT_TRUE(popEvent(e));
    EXPECT_EQ(e.type, 501);
}

TEST_F(WindowInput, KeysComeOutInOrderAndTheQueueIsBounded) {
    queueKey("a");
    queueKey(
        std::string("\xFF"
                    "H"));
    queueKey(std::string(1, '\0'));
    EXPECT_EQ(readKey(), "a");
    EXPECT_EQ(readKey(), std::string("\xFF"
                                     "H"));
    EXPECT_EQ(readKey(), std::string(1, '\0'));
    EXPECT_EQ(readKey(), "");
    for (int i = 0; i < 5000; ++i) queueKey("x");
    int count = 0;
    while (!readKey().empty()) ++count;
    EXPECT_EQ(count, 1024);
}

TEST_F(WindowInput, ProgramEndingFlagIsSetAndReset) {
    EXPECT_FALSE(programEnding());
    endProgram();
    EXPECT_TRUE(programEnding());
    resetDisplayState();
    EXPECT_FALSE(programEnding());
}

TEST_F(WindowInput, RandomNumbersAreInRangeAndRepeatForASeed) {
    seedRandom(42);
    double first[8];
    for (double& v : first) {
        v = randomUnit();
        EXPECT_GE(v, 0.0);
        EXPECT_LT(v, 1.0);
    }
    seedRandom(42);
    for (double v : first) EXPECT_EQ(randomUnit(), v);
    // Seeding from the timer follows the virtual clock, so runs repeat.
    seedRandom(-1);
    const double fromClock = randomUnit();
    seedRandom(0.0);
    EXPECT_EQ(randomUnit(), fromClock);
    double sum = 0.0;
    for (int i = 0; i < 10000; ++i) sum += randomUnit();
    EXPECT_NEAR(sum / 10000.0, 0.5, 0.02);
}

}  // namespace
