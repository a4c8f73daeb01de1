// Grabbing and dragging with the left button; flights and the menu with the
// right one.
#include "app_fixture.h"

namespace {

class PointerTest : public AppTest {
   protected:
    void SetUp() override {
        AppTest::SetUp();
        // Knot 0 at (100, 100) with its handle at (130, 90); knot 2 at
        // (300, 300) with its handle at (303, 302), within 5 px of the knot.
        setPath({{100, 100}, {130, 90}, {300, 300}, {303, 302}});
    }

    static Vector slot(int k) { return thisLevel().paths.slots[k]; }

    // Escape queued as a probe: a menu that opens consumes it.
    static void queueProbe() { queueKey("\x1B"); }
    static bool probeStillQueued() { return readKey() == "\x1B"; }
};

TEST_F(PointerTest, GrabbedKnotJumpsOntoPointerAndCarriesItsHandle) {
    pointerAt(103, 100, 1);
    handlePointer();
    EXPECT_EQ(grabTarget, 0);
    EXPECT_EQ(leftLatch, 255);
    // Nothing moves in the pass that grabs.
    EXPECT_FLOAT_EQ(slot(0).x, 100);
    EXPECT_FLOAT_EQ(slot(1).x, 130);

    handlePointer();
    EXPECT_FLOAT_EQ(slot(0).x, 103);
    EXPECT_FLOAT_EQ(slot(0).y, 100);
    EXPECT_FLOAT_EQ(slot(1).x, 133);
    EXPECT_FLOAT_EQ(slot(1).y, 90);

    pointerAt(113, 100, 1);
    handlePointer();
    // 13 px right of where the knot was, the handle moved by the same amount.
    EXPECT_FLOAT_EQ(slot(0).x, 113);
    EXPECT_FLOAT_EQ(slot(1).x, 143);
    EXPECT_FLOAT_EQ(slot(1).y, 90);
    EXPECT_EQ(slot(0).flag, 0);
    // The other knot and its handle stay.
    EXPECT_FLOAT_EQ(slot(2).x, 300);
    EXPECT_FLOAT_EQ(slot(3).x, 303);
}

TEST_F(PointerTest, DraggedHandleMovesAlone) {
    pointerAt(130, 90, 1);
    handlePointer();
    ASSERT_EQ(grabTarget, 1);
    pointerAt(150, 95, 1);
    handlePointer();
    EXPECT_FLOAT_EQ(slot(1).x, 150);
    EXPECT_FLOAT_EQ(slot(1).y, 95);
    EXPECT_FLOAT_EQ(slot(0).x, 100);
    EXPECT_FLOAT_EQ(slot(0).y, 100);
    EXPECT_FLOAT_EQ(slot(2).x, 300);
}

TEST_F(PointerTest, HighestSlotUnderPointerWinsOverKnotAndAttractor) {
    thisLevel().attractor = at(301, 301, -1);
    pointerAt(301, 301, 1);
    handlePointer();
    EXPECT_EQ(grabTarget, 3);
}

TEST_F(PointerTest, AttractorGrabbedOnlyWhenNoSlotIsUnderPointer) {
    thisLevel().attractor = at(500, 400, -1);
    pointerAt(504, 395, 1);
    handlePointer();
    ASSERT_EQ(grabTarget, -2);
    EXPECT_FLOAT_EQ(thisLevel().attractor.x, 500);

    pointerAt(520, 410, 1);
    handlePointer();
    EXPECT_FLOAT_EQ(thisLevel().attractor.x, 520);
    EXPECT_FLOAT_EQ(thisLevel().attractor.y, 410);
    EXPECT_EQ(thisLevel().attractor.flag, -1);
    // Dragging the attractor leaves the path alone.
    EXPECT_FLOAT_EQ(slot(0).x, 100);
}

TEST_F(PointerTest, AbsentAttractorIsNeverGrabbed) {
    thisLevel().attractor = at(500, 400, 0);
    pointerAt(500, 400, 1);
    handlePointer();
    EXPECT_EQ(grabTarget, -1);
    handlePointer();
    EXPECT_EQ(thisLevel().attractor.flag, 0);
}

TEST_F(PointerTest, SweepingWithButtonHeldGrabsTheKnotReached) {
    pointerAt(50, 100, 1);
    handlePointer();
    EXPECT_EQ(grabTarget, -1);
    pointerAt(80, 100, 1);
    handlePointer();
    EXPECT_EQ(grabTarget, -1);
    pointerAt(96, 104, 1);
    handlePointer();
    EXPECT_EQ(grabTarget, 0);
}

TEST_F(PointerTest, GrabHoldsOverOtherSlotsUntilRelease) {
    pointerAt(100, 100, 1);
    handlePointer();
    ASSERT_EQ(grabTarget, 0);
    // Dragged across knot 2: knot 0 lands there, the grab does not switch.
    pointerAt(300, 300, 1);
    handlePointer();
    EXPECT_EQ(grabTarget, 0);
    EXPECT_FLOAT_EQ(slot(0).x, 300);
    EXPECT_FLOAT_EQ(slot(2).x, 300);

    pointerAt(300, 300, 0);
    handlePointer();
    EXPECT_EQ(grabTarget, -1);
    EXPECT_EQ(leftLatch, 0);
    EXPECT_EQ(rightLatch, 0);
}

TEST_F(PointerTest, BothButtonsActAsLeftOnly) {
    queueProbe();
    pointerAt(100, 100, 3);
    handlePointer();
    EXPECT_EQ(grabTarget, 0);
    EXPECT_EQ(rightLatch, 0);
    // Away from everything: still no menu and no flight.
    grabTarget = -1;
    pointerAt(600, 50, 3);
    handlePointer();
    EXPECT_EQ(rightLatch, 0);
    EXPECT_TRUE(probeStillQueued());
}

TEST_F(PointerTest, FailedReadingTakesLeftBranchAtLastGoodPosition) {
    queueProbe();
    pointerAt(100, 100, 1);
    handlePointer();
    pointerAt(120, 100, 1);
    handlePointer();
    ASSERT_FLOAT_EQ(slot(0).x, 120);

    // The pointer left the window: the position stays, the mask is -1.
    pointerAt(120, 100, -1);
    handlePointer();
    handlePointer();
    EXPECT_EQ(grabTarget, 0);
    EXPECT_FLOAT_EQ(slot(0).x, 120);
    EXPECT_FLOAT_EQ(slot(1).x, 150);

    // Over empty space a failed reading grabs nothing and opens no menu.
    grabTarget = -1;
    pointerAt(600, 50, -1);
    handlePointer();
    EXPECT_EQ(grabTarget, -1);
    EXPECT_EQ(leftLatch, 255);
    EXPECT_EQ(rightLatch, 0);
    EXPECT_TRUE(probeStillQueued());
}

TEST_F(PointerTest, DamagedLastSlotSearchesNoSlot) {
    thisLevel().paths.lastSlot = 200;  // reads as -56
    pointerAt(100, 100, 1);
    handlePointer();
    EXPECT_EQ(grabTarget, -1);
}

TEST_F(PointerTest, KnotInLastSlotMovesWithoutAHandle) {
    Path& path = thisLevel().paths;
    path.lastSlot = 50;
    path.slots[50] = at(600, 450);
    pointerAt(600, 450, 1);
    handlePointer();
    ASSERT_EQ(grabTarget, 50);
    pointerAt(610, 440, 1);
    handlePointer();
    EXPECT_FLOAT_EQ(path.slots[50].x, 610);
    EXPECT_FLOAT_EQ(path.slots[50].y, 440);
}

TEST_F(PointerTest, RightPressOnKnotOfLevelWithoutTwoPointsDoesNothing) {
    setPoints({{at(10, 10), 'a'}});
    thisLevel().code = "old";
    queueProbe();
    const double before = headlessNow();
    pointerAt(300, 300, 2);
    handlePointer();
    // The flight returned at once and the latch keeps the menu shut.
    EXPECT_EQ(rightLatch, 255);
    EXPECT_DOUBLE_EQ(headlessNow(), before);
    EXPECT_EQ(thisLevel().code, "old");
    EXPECT_TRUE(probeStillQueued());
}

TEST_F(PointerTest, RightPressAwayFromKnotsOpensMenuOncePerPress) {
    headlessSetMouse(600, 50, 2);
    pointerAt(600, 50, 2);
    queueProbe();
    handlePointer();
    EXPECT_EQ(rightLatch, 255);
    EXPECT_FALSE(probeStillQueued()) << "the menu should have opened and read Escape";
    ASSERT_FALSE(programEnding());

    // The same press held on: the menu stays shut.
    queueProbe();
    handlePointer();
    handlePointer();
    EXPECT_TRUE(probeStillQueued());

    // Released and pressed again: it opens again.
    pointerAt(600, 50, 0);
    handlePointer();
    EXPECT_EQ(rightLatch, 0);
    pointerAt(600, 50, 2);
    queueProbe();
    handlePointer();
    EXPECT_FALSE(probeStillQueued());
}

}  // namespace
