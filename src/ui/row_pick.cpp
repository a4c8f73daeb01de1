// Turning the mouse state into a screen row, and waiting for the buttons to
// be released.
#include "ui/row_pick.h"

#include "platform/mouse_state.h"
#include "platform/platform.h"

uint8_t leftLatch = kLatchClear;
uint8_t rightLatch = kLatchClear;

namespace {
constexpr int kRowHeight = 30;
constexpr int kRows = 16;
}  // namespace

int8_t pickRow() {
    if (mouseFailed != 0 || mouseX == -1) return kPickNothing;
    const bool left = (mouseButtons & 1) != 0;
    const bool right = (mouseButtons & 2) != 0;
    if (leftLatch == kLatchSet || rightLatch == kLatchSet) {
        if (left) return kPickNothing;
        if (right) return kPickRightLatched;
        leftLatch = kLatchClear;
        rightLatch = kLatchClear;
    }
    leftLatch = kLatchClear;
    const int row = mouseY / kRowHeight;
    if (left) {
        // A reading off the 16 rows picks nothing.
        if (mouseY < 0 || row >= kRows) return kPickNothing;
        return int8_t(row);
    }
    if (right) return kPickRight;
    const float top = float(row * kRowHeight);
    drawLine(0.0f, top, float(kScreenWidth), top);
    drawLine(0.0f, top + kRowHeight, float(kScreenWidth), top + kRowHeight);
    return kPickNothing;
}

void waitForRelease() {
    // Keep the caller's pointer position through failed readings.
    LastGoodPosition lastGood;
    lastGood.x = mouseX;
    lastGood.y = mouseY;
    do {
        readMouseState(lastGood);
        // A button held down, or dragged out of the window, must not keep the
        // window's close button from working.
        WindowEvent event;
        if (popEvent(event) && event.type == kEventClose) endProgram();
    } while (mouseButtons != 0 && !programEnding());
}
