// Turning the mouse state into a screen row, and waiting for the buttons to
// be released.
#include "ui/row_pick.h"

#include "platform/mouse_state.h"
#include "platform/platform.h"

uint8_t leftLatch = 0;
uint8_t rightLatch = 0;

namespace {
constexpr int kRowHeight = 30;
constexpr int kRows = 16;
}  // namespace

int8_t pickRow() {
    if (mouseFailed != 0 || mouseX == -1) return -2;
    const bool left = (mouseButtons & 1) != 0;
    const bool right = (mouseButtons & 2) != 0;
    if (leftLatch == 255 || rightLatch == 255) {
        if (left) return -2;
        if (right) return -3;
        leftLatch = 0;
        rightLatch = 0;
    }
    leftLatch = 0;
    const int row = mouseY / kRowHeight;
    if (left) {
        // A reading off the 16 rows picks nothing.
        if (mouseY < 0 || row >= kRows) return -2;
        return int8_t(row);
    }
    if (right) return -1;
    const float top = float(row * kRowHeight);
    drawLine(0.0f, top, float(kScreenWidth), top);
    drawLine(0.0f, top + kRowHeight, float(kScreenWidth), top + kRowHeight);
    return -2;
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
