// The state a fresh process starts with, given back to every module's
// globals, so that a second run in the same process (the tests, the session
// fuzzer) begins the same way as the first.
#include "app/flight.h"
#include "app/game.h"
#include "app/pointer.h"
#include "level/edit_history.h"
#include "level/level_set.h"
#include "platform/mouse_state.h"
#include "platform/page_flip.h"
#include "scene/scene.h"
#include "text/key_map.h"
#include "text/stroke_font.h"
#include "ui/chooser.h"
#include "ui/menu.h"
#include "ui/row_pick.h"

void resetGameState() {
    buildKeyMap();
    resetLevelSet();
    thisLevel().setPointCount(0);
    editorMode = false;
    puzzleFileName.clear();
    historyClear();
    visitList.clear();
    visitList.reserve(kMaxVisits);

    mouseX = 0;
    mouseY = 0;
    mouseButtons = 0;
    mouseFailed = 0;
    leftLatch = kLatchClear;
    rightLatch = kLatchClear;
    grabTarget = kGrabNothing;

    authorView = false;
    menuPage = 0;
    chooserPage = 0;
    drawPage = 0;
    turnAngle = 0;
    spinAngle = kSpinAngleStart;
    spinTime = 0.0;
}
