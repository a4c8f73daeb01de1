// Slot markers and handle lines, damaged paths and the attractor's spiral.
#include <cmath>

#include "scene_fixture.h"

TEST_F(SceneTest, MarkersAndHandleLinesCoverExactlyTheSlotsInUse) {
    // Two segments through knots at y = 300, handles 100 above each knot;
    // the curve stays within y 270..330. Slots 6 and 7 hold stale positions.
    setPath(thisLevel(), {{100, 300},
                          {100, 200},
                          {300, 300},
                          {300, 200},
                          {500, 300},
                          {500, 200},
                          {200, 440},
                          {400, 440}});
    thisLevel().paths.lastSlot = 5;
    mouseX = 305;  // within 5 of knot 1 on both axes, edges included
    mouseY = 295;
    drawFrame();
    for (int i = 0; i <= 5; ++i) {
        const int x = int(thisLevel().paths.slots[i].x), y = int(thisLevel().paths.slots[i].y);
        SCOPED_TRACE(i);
        EXPECT_EQ(pixelAt(0, x + 1, y - 1), i == 0 ? 1 : i == 2 ? 12 : 15);
        EXPECT_EQ(pixelAt(0, x - 2, y - 2), 0);  // the frame
        EXPECT_EQ(pixelAt(0, x - 3, y - 3), 15);
    }
    for (int x : {100, 300, 500}) {  // handle to mirror, through the knot
        EXPECT_EQ(pixelAt(0, x, 210), 1);
        EXPECT_EQ(pixelAt(0, x, 390), 1);
    }
    EXPECT_EQ(inkIn(0, 0, 420, 639, 479), 0);
}

TEST_F(SceneTest, DamagedLastSlotDrawsAnEmptyPath) {
    for (int i = 0; i < kPathSlots; ++i)
        thisLevel().paths.slots[i] = Vector{20.0f + 12 * i, 40.0f + 8 * i, 0};
    for (int last : {255, 60, 51}) {
        thisLevel().paths.lastSlot = uint8_t(last);
        drawFrame();
        EXPECT_EQ(inkIn(workPage(), 0, 0, 639, 479), 0) << last;
    }
}

TEST_F(SceneTest, SpiralTurnsOnlyWhileTheAttractorIsThere) {
    thisLevel().attractor = Vector{320, 240, 0};
    headlessAdvance(2.0);
    drawFrame();
    EXPECT_EQ(spinAngle, 6.2831855f);
    EXPECT_EQ(spinTime, 0.0);
    EXPECT_EQ(inkIn(0, 300, 220, 340, 260), 0);

    thisLevel().attractor.flag = -1;
    const double back = timer();
    drawFrame();
    EXPECT_NEAR(spinAngle, 6.2831855 - 5.0 * back, 1e-5);  // the whole absence at once
    EXPECT_EQ(spinTime, back);
    EXPECT_EQ(pixelAt(1, 320, 240), 12);  // the spiral ends at its centre

    // Positions beyond 16 bits are held at the edge rather than wrapped.
    thisLevel().attractor = Vector{1e9f, NAN, -1};
    drawFrame();
    EXPECT_TRUE(std::isfinite(spinAngle));
}
