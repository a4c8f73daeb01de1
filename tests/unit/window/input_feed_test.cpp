// Key strings, close requests and mouse readings built from window-system input.
#include "platform/window/input_feed.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/platform.h"

namespace {

class InputFeed : public ::testing::Test {
   protected:
    void SetUp() override {
        headlessReset();
        clearInputQueues();
        resetInputFeed();
    }
};

std::vector<std::string> drainKeys() {
    std::vector<std::string> keys;
    for (std::string k = readKey(); !k.empty(); k = readKey()) keys.push_back(k);
    return keys;
}

int drainEvents() {
    int closes = 0;
    WindowEvent e;
    while (popEvent(e)) {
        EXPECT_EQ(e.type, kEventClose);
        ++closes;
    }
    return closes;
}

void expectFailed(const MouseReading& r) {
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.x, -1);
    EXPECT_EQ(r.y, -1);
    EXPECT_EQ(r.wheel, -1);
    EXPECT_EQ(r.buttons, -1);
    EXPECT_EQ(r.confined, -1);
}

TEST_F(InputFeed, TextBecomesOneWindows1251KeyPerCharacter) {
    // Latin, Cyrillic capital be, small io, the euro sign.
    feedText("a\xD0\x91\xD1\x91\xE2\x82\xAC");
    EXPECT_EQ(drainKeys(), (std::vector<std::string>{"a", "\xC1", "\xB8", "\x88"}));
}

TEST_F(InputFeed, TextWithoutWindows1251BytesIsDroppedButNeighboursSurvive) {
    // An emoji and a Greek letter have no byte; a stray continuation byte
    // and a sequence cut short at the end are malformed.
    feedText("x\xF0\x9F\x98\x80y\xCE\xB1z\x80w\xD0");
    EXPECT_EQ(drainKeys(), (std::vector<std::string>{"x", "y", "z", "w"}));
    feedText("");
    EXPECT_TRUE(drainKeys().empty());
}

TEST_F(InputFeed, CloseButtonAndTheQuitAfterItAreOneRequest) {
    feedBatchStart();
    feedCloseRequest();  // the close button
    feedCloseRequest();  // the quit request that follows it
    EXPECT_EQ(drainEvents(), 1);
    EXPECT_EQ(drainKeys(), (std::vector<std::string>{"\xFF"
                                                     "k"}));

    // A later request is a new one.
    feedBatchStart();
    feedCloseRequest();
    EXPECT_EQ(drainEvents(), 1);
    EXPECT_EQ(drainKeys().size(), 1u);
}

TEST_F(InputFeed, ReadingFailsUntilThePointerIsOnTheSurface) {
    expectFailed(takeMouseReading());
    feedPointerEntered();  // entered, but no position known yet
    expectFailed(takeMouseReading());
    feedPointerMoved(639, 479);
    const MouseReading r = takeMouseReading();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.x, 639);
    EXPECT_EQ(r.y, 479);
    EXPECT_EQ(r.wheel, 0);
    EXPECT_EQ(r.buttons, 0);
    EXPECT_EQ(r.confined, 0);
}

TEST_F(InputFeed, PositionsOnTheBarsOrBeyondTheWindowFail) {
    const int outside[][2] = {{640, 10}, {10, 480}, {-1, 10}, {10, -1}, {5000, -5000}};
    for (const auto& p : outside) {
        feedPointerMoved(p[0], p[1]);
        expectFailed(takeMouseReading());
    }
    feedPointerMoved(0, 0);
    EXPECT_TRUE(takeMouseReading().ok);
}

TEST_F(InputFeed, LeavingTheWindowFailsEvenAtAnInsidePosition) {
    feedPointerMoved(100, 100);
    feedPointerLeft();
    expectFailed(takeMouseReading());
    feedPointerEntered();
    const MouseReading r = takeMouseReading();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.x, 100);
}

TEST_F(InputFeed, ButtonsAreReportedInTheGameMask) {
    EXPECT_EQ(gameButtonBit(1), 1);  // left
    EXPECT_EQ(gameButtonBit(3), 2);  // right
    EXPECT_EQ(gameButtonBit(2), 4);  // middle
    EXPECT_EQ(gameButtonBit(4), 0);  // side buttons are not the game's
    EXPECT_EQ(gameButtonBit(0), 0);
    feedButton(10, 10, 3, true);
    feedButton(10, 10, 2, true);
    EXPECT_EQ(takeMouseReading().buttons, 2);
    EXPECT_EQ(takeMouseReading().buttons, 6);
    feedButton(10, 10, 3, false);
    EXPECT_EQ(takeMouseReading().buttons, 4);
    EXPECT_EQ(takeMouseReading().buttons, 4);
}

// A busy game can get a right click that opens the menu and the left click on
// one of its rows in the same batch; each must be read where it happened.
TEST_F(InputFeed, ClicksInOneBatchAreReadInTurnWhereTheyHappened) {
    feedPointerMoved(630, 470);
    feedButton(630, 470, 3, true);
    feedButton(630, 470, 3, false);
    feedPointerMoved(60, 475);
    feedButton(60, 475, 1, true);
    feedButton(60, 475, 1, false);
    feedPointerMoved(300, 200);
    const int expected[][3] = {{630, 470, 2}, {630, 470, 0}, {60, 475, 1},
                               {60, 475, 0},  {300, 200, 0}, {300, 200, 0}};
    for (const auto& e : expected) {
        const MouseReading r = takeMouseReading();
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.x, e[0]);
        EXPECT_EQ(r.y, e[1]);
        EXPECT_EQ(r.buttons, e[2]);
    }
}

TEST_F(InputFeed, ADragOverBeforeItWasReadIsReadDownAtItsEnd) {
    feedPointerMoved(100, 100);
    EXPECT_EQ(takeMouseReading().buttons, 0);
    feedButton(100, 100, 1, true);
    feedPointerMoved(150, 120);
    feedPointerMoved(200, 150);
    feedButton(200, 150, 1, false);
    const int expected[][3] = {{100, 100, 1}, {200, 150, 1}, {200, 150, 0}};
    for (const auto& e : expected) {
        const MouseReading r = takeMouseReading();
        EXPECT_EQ(r.x, e[0]);
        EXPECT_EQ(r.y, e[1]);
        EXPECT_EQ(r.buttons, e[2]);
    }
    // A drag the game followed ends with the release alone.
    feedButton(300, 300, 1, true);
    EXPECT_EQ(takeMouseReading().buttons, 1);
    feedPointerMoved(310, 300);
    EXPECT_EQ(takeMouseReading().buttons, 1);
    feedButton(310, 300, 1, false);
    EXPECT_EQ(takeMouseReading().buttons, 0);
}

TEST_F(InputFeed, AFloodOfClicksIsBoundedAndEndsInTheCurrentState) {
    for (int i = 0; i < 1000; ++i) {
        feedButton(i % 640, 7, 1, true);
        feedButton(i % 640, 7, 1, false);
    }
    feedButton(123, 45, 3, true);  // still held at the end
    int readings = 0;
    MouseReading r = takeMouseReading();
    while (!(r.x == 123 && r.y == 45) && readings < 100) {
        EXPECT_EQ(r.buttons, readings % 2 == 0 ? 1 : 0);
        r = takeMouseReading();
        ++readings;
    }
    EXPECT_EQ(readings, 16);  // the kept changes, then the pointer as it is
    EXPECT_EQ(r.buttons, 2);
    EXPECT_EQ(takeMouseReading().buttons, 2);
}

TEST_F(InputFeed, AClickBetweenTwoReadingsIsSeenDownOnce) {
    feedPointerMoved(50, 60);
    EXPECT_EQ(takeMouseReading().buttons, 0);
    feedButton(50, 60, 1, true);
    feedButton(50, 60, 1, false);
    EXPECT_EQ(takeMouseReading().buttons, 1);
    EXPECT_EQ(takeMouseReading().buttons, 0);
}

TEST_F(InputFeed, ClicksOnTheBarsAreNotLatched) {
    feedButton(-3, 60, 1, true);
    feedButton(-3, 60, 1, false);
    feedPointerMoved(5, 60);
    EXPECT_EQ(takeMouseReading().buttons, 0);
}

TEST_F(InputFeed, AReleaseOutsideTheWindowEndsTheDrag) {
    feedButton(100, 100, 1, true);
    EXPECT_EQ(takeMouseReading().buttons, 1);
    feedPointerMoved(700, 100);
    expectFailed(takeMouseReading());
    feedButton(700, 100, 1, false);
    feedPointerMoved(100, 100);
    EXPECT_EQ(takeMouseReading().buttons, 0);
}

TEST_F(InputFeed, WheelPositionAccumulatesBothWays) {
    feedPointerMoved(1, 1);
    feedWheel(3);
    feedWheel(-1);
    EXPECT_EQ(takeMouseReading().wheel, 2);
    feedWheel(-5);
    EXPECT_EQ(takeMouseReading().wheel, -3);
    // A failed reading does not lose the position.
    feedPointerLeft();
    expectFailed(takeMouseReading());
    feedPointerEntered();
    EXPECT_EQ(takeMouseReading().wheel, -3);
}

// The window host sleeps only while the game has read all input: a waiting
// key or event, and any change of the next mouse reading, keep it awake.
TEST_F(InputFeed, InputIsUnreadUntilTheGameHasReadIt) {
    EXPECT_FALSE(inputQueued());
    feedSpecialKey(Key::Enter);
    EXPECT_TRUE(inputQueued());
    drainKeys();
    feedCloseRequest();
    drainKeys();
    EXPECT_TRUE(inputQueued());  // the close event is still waiting
    drainEvents();
    EXPECT_FALSE(inputQueued());

    takeMouseReading();
    EXPECT_FALSE(pointerUnread());  // off the window, and read so
    feedPointerMoved(10, 20);
    EXPECT_TRUE(pointerUnread());
    takeMouseReading();
    EXPECT_FALSE(pointerUnread());
    feedWheel(1);
    EXPECT_TRUE(pointerUnread());
    takeMouseReading();
    // A whole click between two readings: back where it was, yet unread.
    feedButton(10, 20, 1, true);
    feedButton(10, 20, 1, false);
    EXPECT_TRUE(pointerUnread());
    EXPECT_EQ(takeMouseReading().buttons, 1);
    EXPECT_TRUE(pointerUnread());
    EXPECT_EQ(takeMouseReading().buttons, 0);
    EXPECT_FALSE(pointerUnread());
    feedPointerLeft();
    EXPECT_TRUE(pointerUnread());
    takeMouseReading();
    EXPECT_FALSE(pointerUnread());
}

}  // namespace
