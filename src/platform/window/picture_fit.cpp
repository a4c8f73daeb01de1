// Fitting the picture into the window and mapping the pointer through it.
#include "platform/window/picture_fit.h"

#include <algorithm>
#include <cstdint>

#include "platform/platform.h"

namespace {

// Division rounding towards minus infinity (a pointer left of the picture
// is on the bars, not on its column 0).
int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int scaledPixel(int d, int size, int count) {
    if (size <= 0) return d;
    return static_cast<int>(floorDiv((2 * int64_t(d) + 1) * count, 2 * int64_t(size)));
}

PictureFit fitPicture(int outputWidth, int outputHeight, bool wholeFactorsOnly) {
    PictureFit fit;
    if (outputWidth <= 0 || outputHeight <= 0) return fit;
    const int whole = std::min(outputWidth / kScreenWidth, outputHeight / kScreenHeight);
    fit.factor = std::max(whole, 1);
    if (wholeFactorsOnly && whole >= 1) {
        fit.w = kScreenWidth * whole;
        fit.h = kScreenHeight * whole;
    } else if (int64_t(outputWidth) * kScreenHeight <= int64_t(outputHeight) * kScreenWidth) {
        // As wide as the window; the height to the nearest pixel of 4:3.
        fit.w = outputWidth;
        fit.h = static_cast<int>((int64_t(outputWidth) * kScreenHeight + kScreenWidth / 2) /
                                 kScreenWidth);
    } else {
        fit.h = outputHeight;
        fit.w = static_cast<int>((int64_t(outputHeight) * kScreenWidth + kScreenHeight / 2) /
                                 kScreenHeight);
    }
    fit.w = std::min(fit.w, outputWidth);
    fit.h = std::min(fit.h, outputHeight);
    fit.x = (outputWidth - fit.w) / 2;
    fit.y = (outputHeight - fit.h) / 2;
    return fit;
}

bool isWholeFactor(const PictureFit& fit) {
    return fit.w == kScreenWidth * fit.factor && fit.h == kScreenHeight * fit.factor;
}

void picturePixelAt(const PictureFit& fit, int px, int py, int& sx, int& sy) {
    sx = scaledPixel(px - fit.x, fit.w, kScreenWidth);
    sy = scaledPixel(py - fit.y, fit.h, kScreenHeight);
}
