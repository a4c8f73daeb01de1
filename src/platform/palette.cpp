// The palette: 256 entries kept at 6-bit precision, starting as the VGA
// default palette.
#include <array>
#include <cstdint>

#include "platform/core_state.h"
#include "platform/platform.h"

namespace {

struct Entry6 {
    uint8_t r, g, b;
};

std::array<Entry6, 256> palette6;
bool paletteReady = false;

// One hue wheel of 24 colours around blue, magenta, red, yellow, green and
// cyan, built from five component levels (lowest to highest).
void fillHueWheel(int first, const uint8_t (&level)[5]) {
    // Which level each of red, green and blue takes at the 24 steps.
    static const uint8_t steps[24][3] = {
        {0, 0, 4}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4}, {4, 0, 4}, {4, 0, 3}, {4, 0, 2}, {4, 0, 1},
        {4, 0, 0}, {4, 1, 0}, {4, 2, 0}, {4, 3, 0}, {4, 4, 0}, {3, 4, 0}, {2, 4, 0}, {1, 4, 0},
        {0, 4, 0}, {0, 4, 1}, {0, 4, 2}, {0, 4, 3}, {0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {0, 1, 4},
    };
    for (int i = 0; i < 24; ++i) {
        palette6[first + i] = {level[steps[i][0]], level[steps[i][1]], level[steps[i][2]]};
    }
}

void buildDefaultPalette() {
    static const Entry6 base[16] = {
        {0, 0, 0},    {0, 0, 42},   {0, 42, 0},   {0, 42, 42},  {42, 0, 0},   {42, 0, 42},
        {42, 21, 0},  {42, 42, 42}, {21, 21, 21}, {21, 21, 63}, {21, 63, 21}, {21, 63, 63},
        {63, 21, 21}, {63, 21, 63}, {63, 63, 21}, {63, 63, 63},
    };
    static const uint8_t greys[16] = {0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63};
    // Three intensities, each in three saturations.
    static const uint8_t wheels[9][5] = {
        {0, 16, 31, 47, 63}, {31, 39, 47, 55, 63}, {45, 49, 54, 58, 63},
        {0, 7, 14, 21, 28},  {14, 17, 21, 24, 28}, {20, 22, 24, 26, 28},
        {0, 4, 8, 12, 16},   {8, 10, 12, 14, 16},  {11, 12, 13, 15, 16},
    };
    for (int i = 0; i < 16; ++i) palette6[i] = base[i];
    for (int i = 0; i < 16; ++i) palette6[16 + i] = {greys[i], greys[i], greys[i]};
    for (int w = 0; w < 9; ++w) fillHueWheel(32 + 24 * w, wheels[w]);
    for (int i = 248; i < 256; ++i) palette6[i] = {0, 0, 0};
    paletteReady = true;
}

void ensurePalette() {
    if (!paletteReady) buildDefaultPalette();
}

uint8_t clampComponent(int c) {
    if (c < 0) return 0;
    if (c > 255) return 255;
    return static_cast<uint8_t>(c);
}

uint8_t shown(uint8_t stored) {
    return static_cast<uint8_t>(stored * 255 / 63);
}

}  // namespace

void resetPalette() {
    buildDefaultPalette();
}

void setPaletteEntry(int index, int red, int green, int blue) {
    if (index < 0 || index > 255) return;
    ensurePalette();
    palette6[index] = {static_cast<uint8_t>(clampComponent(red) / 4),
                       static_cast<uint8_t>(clampComponent(green) / 4),
                       static_cast<uint8_t>(clampComponent(blue) / 4)};
    markDisplayChanged();
}

Rgb shownPaletteEntry(int index) {
    ensurePalette();
    const Entry6& e = palette6[static_cast<uint8_t>(index)];
    return {shown(e.r), shown(e.g), shown(e.b)};
}

void renderVisibleRgb(uint8_t* rgbOut) {
    ensurePalette();
    Rgb lut[256];
    for (int i = 0; i < 256; ++i) lut[i] = shownPaletteEntry(i);
    const uint8_t* pixels = pagePixels(visiblePage());
    for (int i = 0; i < kScreenWidth * kScreenHeight; ++i) {
        const Rgb& c = lut[pixels[i]];
        rgbOut[3 * i] = c.r;
        rgbOut[3 * i + 1] = c.g;
        rgbOut[3 * i + 2] = c.b;
    }
}
