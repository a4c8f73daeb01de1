// The drawing benchmarks' set-up.
#include "bench_scene.h"

#include "level/level_set.h"
#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/mouse_state.h"
#include "platform/page_flip.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "worst_case_level.h"

void setUpWorstCaseScene(uint64_t seed) {
    headlessReset();
    resetDisplayState();
    openWindow();
    setForeground(0);
    setBackground(15);
    drawPage = 0;
    resetLevelSet();
    editorMode = true;
    mouseX = mouseY = -100;
    seedRandom(double(seed));
    makeWorstCaseLevel(levels[0]);
    selectLevel(0);
    spinTime = timer();
}
