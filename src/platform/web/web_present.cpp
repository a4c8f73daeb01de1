// Showing the visible page on the canvas through the palette.
#include <emscripten.h>

#include <cstdint>

#include "platform/host.h"
#include "platform/web/web_host.h"
#include "platform/window/argb_page.h"
#include "platform/window/poll_pacing.h"

namespace {

// The canvas's pixels, RGBA bytes in memory order.
uint32_t rgba[kScreenWidth * kScreenHeight];

// clang-format off
EM_JS(void, putCanvasPixels, (const uint8_t* pixels, int width, int height), {
    const canvas = Module['canvas'];
    if (!canvas) return;
    const context = canvas.getContext('2d');
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
    context.putImageData(new ImageData(bytes, width, height), 0, 0);
});
// clang-format on

// The shown palette as words whose little-endian bytes are R, G, B, A.
void buildRgbaPalette(PaletteWords& words) {
    for (int i = 0; i < 256; ++i) {
        const Rgb c = shownPaletteEntry(i);
        words[i] = 0xFF000000u | uint32_t{c.b} << 16 | uint32_t{c.g} << 8 | uint32_t{c.r};
    }
}

void present(bool forced) {
    const double start = hostTimer();
    PaletteWords palette;
    const uint8_t* page = pictureToShow(forced, buildRgbaPalette, palette);
    if (page == nullptr) return;
    convertPageToArgb(page, palette, reinterpret_cast<uint8_t*>(rgba), kScreenWidth * 4);
    putCanvasPixels(reinterpret_cast<const uint8_t*>(rgba), kScreenWidth, kScreenHeight);
    recordPresentCost(hostTimer() - start);
}

}  // namespace

void comparePicture() {
    compareShownPicture(webHost.shown, buildRgbaPalette);
}

void presentIfDue(double now) {
    bool forced = false;
    if (takePresent(webHost.shown, now, nullptr, forced)) present(forced);
}

void hostDisplayChanged() {
    webHost.shown.changeReported = true;
}
