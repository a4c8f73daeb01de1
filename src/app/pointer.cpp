// Grabbing and dragging with the left button; the right button flies the
// path from a knot or opens the menu.
#include "app/pointer.h"

#include <string>

#include "app/flight.h"
#include "geometry/path.h"
#include "geometry/vector.h"
#include "level/edit_history.h"
#include "level/level_set.h"
#include "platform/mouse_state.h"
#include "platform/platform.h"
#include "ui/menu.h"
#include "ui/row_pick.h"

int16_t grabTarget = kGrabNothing;

namespace {

Vector pointerPosition() {
    Vector p;
    p.x = static_cast<float>(mouseX);
    p.y = static_cast<float>(mouseY);
    p.flag = 0;
    return p;
}

void leftButton(const Vector& pointer) {
    leftLatch = kLatchSet;
    Level& level = thisLevel();
    Path& path = level.paths;

    if (grabTarget == kGrabAttractor) {
        level.attractor = pointer;
        level.attractor.flag = -1;
        return;
    }

    if (grabTarget == kGrabNothing) {
        // No early exit: the highest slot under the pointer wins.
        const int used = usedSlots(path);
        for (int k = 0; k < used; ++k) {
            if (isNear(path.slots[k], pointer)) grabTarget = static_cast<int16_t>(k);
        }
        if (grabTarget == kGrabNothing && level.attractor.flag != 0 &&
            isNear(level.attractor, pointer)) {
            grabTarget = kGrabAttractor;
        }
        // The press that grabs begins one undo step; the release ends it.
        if (grabTarget != kGrabNothing) historyBeginDrag();
        return;
    }

    const int k = grabTarget;
    if (k < 0 || k >= kPathSlots) return;
    if (k % 2 == 0 && k + 1 < kPathSlots) {
        // The handle keeps its offset from the knot it belongs to.
        path.slots[k + 1] = vecAdd(vecSub(path.slots[k + 1], path.slots[k]), pointer);
    }
    path.slots[k] = pointer;
    path.slots[k].flag = 0;
}

void rightButton(const Vector& pointer) {
    const Path& path = thisLevel().paths;
    const int used = usedSlots(path);
    for (int k = 0; k < used; k += 2) {
        if (isNear(path.slots[k], pointer)) {
            // A flight rewrites the code, which the editor saves: no undo
            // step, but a change the recovery file must keep.
            const std::string code = thisLevel().code;
            flyOver();
            if (editorMode && thisLevel().code != code) historyNoteUnrecordedChange();
            rightLatch = kLatchSet;
            break;
        }
    }
    if (programEnding()) return;
    if (rightLatch != kLatchSet) {
        rightLatch = kLatchSet;
        runMenu();
    }
}

}  // namespace

void handlePointer() {
    const Vector pointer = pointerPosition();
    if ((mouseButtons & 1) != 0) {
        leftButton(pointer);
    } else if ((mouseButtons & 2) != 0) {
        rightButton(pointer);
    } else {
        historyEndDrag();
        grabTarget = kGrabNothing;
        rightLatch = kLatchClear;
        leftLatch = kLatchClear;
    }
}
