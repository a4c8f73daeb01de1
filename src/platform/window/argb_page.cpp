// Palette-index pages to ARGB texture rows.
#include "platform/window/argb_page.h"

#include <cstring>

#include "platform/platform.h"

namespace {

// The picture last shown: the page and the palette it was shown through.
struct ShownPicture {
    bool valid = false;
    uint8_t page[kScreenWidth * kScreenHeight];
    uint32_t argb[256];
};

ShownPicture shown;

}  // namespace

void buildArgbPalette(uint32_t (&argb)[256]) {
    for (int i = 0; i < 256; ++i) {
        const Rgb c = shownPaletteEntry(i);
        argb[i] = 0xFF000000u | uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | uint32_t{c.b};
    }
}

void convertPageToArgb(const uint8_t* page, const uint32_t (&argb)[256], uint8_t* out,
                       int pitchBytes) {
    uint32_t row[kScreenWidth];
    for (int y = 0; y < kScreenHeight; ++y) {
        const uint8_t* src = page + y * kScreenWidth;
        for (int x = 0; x < kScreenWidth; ++x) row[x] = argb[src[x]];
        std::memcpy(out + static_cast<size_t>(y) * pitchBytes, row, sizeof row);
    }
}

bool pictureMatchesShown(const uint8_t* page, const uint32_t (&argb)[256]) {
    return shown.valid && std::memcmp(shown.argb, argb, sizeof shown.argb) == 0 &&
           std::memcmp(shown.page, page, sizeof shown.page) == 0;
}

bool pictureIsNew(const uint8_t* page, const uint32_t (&argb)[256]) {
    if (pictureMatchesShown(page, argb)) return false;
    std::memcpy(shown.page, page, sizeof shown.page);
    std::memcpy(shown.argb, argb, sizeof shown.argb);
    shown.valid = true;
    return true;
}

void forgetShownPicture() {
    shown.valid = false;
}
