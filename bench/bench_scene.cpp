// The drawing benchmarks' set-up.
#include "bench_scene.h"

#include "level/level_set.h"
#include "level/puzzle_file.h"
#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/mouse_state.h"
#include "platform/page_flip.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "worst_case_level.h"

namespace {

void setUpDisplay() {
    headlessReset();
    resetDisplayState();
    openWindow();
    setForeground(0);
    setBackground(15);
    drawPage = 0;
    resetLevelSet();
    editorMode = true;
    mouseX = mouseY = -100;
}

}  // namespace

void setUpWorstCaseScene(uint64_t seed) {
    setUpDisplay();
    seedRandom(double(seed));
    makeWorstCaseLevel(levels[0]);
    selectLevel(0);
    spinTime = timer();
}

bool setUpBundledLevelScene(const char* puzzleFile, uint64_t seed) {
    setUpDisplay();
    seedRandom(double(seed));
    puzzleFileName = puzzleFile;
    if (readPuzzleFile() != PuzzleReadResult::Read) return false;
    selectLevel(uint16_t(levels.size() - 1));
    spinTime = timer();
    return true;
}
