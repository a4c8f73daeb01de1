// The two pages, the colour state, the last point and the display
// generation counter.
#include <cstring>

#include "platform/core_state.h"
#include "platform/host.h"
#include "platform/platform.h"

namespace {

constexpr int kPageSize = kScreenWidth * kScreenHeight;

uint8_t pages[2][kPageSize];
int work = 0;
int visible = 0;
int back = 0;
unsigned generation = 0;

bool validPage(int page) {
    return page == 0 || page == 1;
}

void pagesChanged() {
    drawing.workPixels = pages[work];
    drawing.workShown = work == visible;
}

}  // namespace

DrawingState drawing{pages[0], true, 0, 0.0f, 0.0f};

void markDisplayChanged() {
    ++generation;
    hostDisplayChanged();
}

unsigned displayGeneration() {
    return generation;
}

void resetDisplayState() {
    std::memset(pages, 0, sizeof pages);
    work = 0;
    visible = 0;
    pagesChanged();
    drawing.fore = 0;
    back = 0;
    drawing.lastX = 0.0f;
    drawing.lastY = 0.0f;
    resetPalette();
    resetWindowTitle();
    resetProgramEnding();
    markDisplayChanged();
}

void setForeground(int colour) {
    drawing.fore = static_cast<uint8_t>(colour & 255);
}
void setBackground(int colour) {
    back = colour & 255;
}
int foreground() {
    return drawing.fore;
}
int background() {
    return back;
}

void setPages(int workPageNumber, int visiblePageNumber) {
    if (!validPage(workPageNumber) || !validPage(visiblePageNumber)) return;
    work = workPageNumber;
    visible = visiblePageNumber;
    pagesChanged();
    markDisplayChanged();
}

void copyPage(int from, int to) {
    if (from == -1 && to == -1) {
        from = work;
        to = visible;
    }
    if (!validPage(from) || !validPage(to)) return;
    if (from != to) std::memcpy(pages[to], pages[from], kPageSize);
    if (to == visible) markDisplayChanged();
}

int workPage() {
    return work;
}
int visiblePage() {
    return visible;
}

const uint8_t* pagePixels(int page) {
    return pages[page & 1];
}

uint8_t pixelAt(int page, int x, int y) {
    if (!validPage(page) || x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return 0;
    return pages[page][y * kScreenWidth + x];
}

void clearPage() {
    std::memset(pages[work], back, kPageSize);
    if (work == visible) markDisplayChanged();
}

void setPixel(int x, int y, int colour) {
    if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return;
    pages[work][y * kScreenWidth + x] = resolveColour(colour);
    drawingDone();
}

float lastPointX() {
    return drawing.lastX;
}
float lastPointY() {
    return drawing.lastY;
}
void setLastPoint(float x, float y) {
    drawing.lastX = x;
    drawing.lastY = y;
}
