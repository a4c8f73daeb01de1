// The flight: a flier travels the whole path, five seconds a segment, and
// spells the letters of the points it passes as the level's code.
#include "app/flight.h"

#include <algorithm>
#include <string>

#include "geometry/path.h"
#include "geometry/vector.h"
#include "level/level_set.h"
#include "platform/page_flip.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "text/stroke_font.h"

std::vector<Visit> visitList;

namespace {

constexpr double kSecondsPerSegment = 5.0;
constexpr double kFrameInterval = 0.04;

void drawFlightFrame(const std::string& word, Vector current, Vector previous) {
    // The work page is the hidden one: the last flip left it so.
    clearPage();
    drawText(200, 200, word, 16);
    drawLevelPoints();
    drawAttractor();
    drawArrow(current, previous);
    flipPages();
}

}  // namespace

void collectVisits() {
    collectLevelVisits(thisLevel(), visitList);
}

std::string spellCode(double t) {
    Level& level = thisLevel();
    if (visitList.empty()) {
        level.code = level.baseCode;
        return "";
    }
    level.code = visitedLetters(level, visitList, t);
    return level.code;
}

void flyOver() {
    Level& level = thisLevel();
    const int segments = segmentCount(level.paths);
    if (level.lastPoint < 1 || segments == 0) return;

    double clock = timer();
    std::string word;
    collectVisits();
    Vector current = pathPointAt(segmentOf(level.paths, 0), 0.0f, level.attractor);

    for (int s = 0; s < segments; ++s) {
        const Segment seg = segmentOf(level.paths, 2 * s);
        double u = 0.0;
        do {
            const std::string key = readKey();
            if (key == kKeyEscape) return;
            WindowEvent event{};
            if (popEvent(event) && event.type == kEventClose) {
                endProgram();
                return;
            }
            if (programEnding()) return;

            const double now = timer();
            if (now - clock > kFrameInterval) {
                u += (now - clock) / kSecondsPerSegment;
                clock = now;
                const Vector previous = current;
                current = pathPointAt(seg, static_cast<float>(u), level.attractor);
                word = spellCode(s + u);
                drawFlightFrame(word, current, previous);
            }
        } while (u < 1.0);
    }
}
