// The editor's author's view: each point's letter beside it and the level's
// number out of the count in the top right corner, drawn over the frame in a
// colour nothing else uses.
#include <string>

#include "app/game.h"
#include "level/level_set.h"
#include "platform/platform.h"
#include "text/stroke_font.h"

namespace {

// The font has no slash; this one fills the same 20x20 cell.
constexpr const char* kSlash = "br3 e17 bd17 br5";
constexpr int kGlyphWidth = 25;

}  // namespace

void drawAuthorView() {
    const int saved = foreground();
    setForeground(kAuthorViewColour);
    const Level& level = thisLevel();
    const int count = levelPointCount(level);
    for (int i = 0; i < count; ++i) {
        const Vector& p = level.points[size_t(i)];
        // The glyph's cell lies right of the point's circle, centred on it.
        if (!(p.x > -1000.0f && p.x < 2000.0f && p.y > -1000.0f && p.y < 2000.0f)) continue;
        setLastPoint(float(int(p.x) + 6), float(int(p.y) + 10));
        drawGlyph(uint8_t(p.flag));
    }
    const std::string number = std::to_string(currentLevel + 1);
    const std::string total = std::to_string(levels.size());
    const int width = kGlyphWidth * int(number.size() + 1 + total.size());
    drawText(int16_t(kScreenWidth - 5 - width), 25, number, 0);
    drawStrokes(kSlash);
    for (const char c : total) drawGlyph(uint8_t(c));
    setForeground(saved);
}
