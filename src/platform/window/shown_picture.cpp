// The window hosts' shared present decision.
#include "platform/window/shown_picture.h"

#include "platform/host.h"
#include "platform/window/argb_page.h"
#include "platform/window/poll_pacing.h"

void compareShownPicture(ShownPicture& shown, void (*buildPalette)(PaletteWords& words)) {
    const unsigned generation = displayGeneration();
    if (!shown.changeReported && generation == shown.comparedGeneration) return;
    shown.changeReported = false;
    shown.comparedGeneration = generation;
    PaletteWords palette;
    buildPalette(palette);
    shown.pictureWaiting = !pictureMatchesShown(pagePixels(visiblePage()), palette);
}

bool presentWanted(const ShownPicture& shown) {
    return shown.redrawNeeded || shown.pictureWaiting;
}

bool takePresent(ShownPicture& shown, double now, bool (*hidden)(), bool& forced) {
    if (!presentWanted(shown)) return false;
    // Nothing is drawn while the window cannot be seen; the change waits.
    if (hidden != nullptr && hidden()) return false;
    if (!presentDue(now, true)) return false;
    forced = shown.redrawNeeded;
    shown.redrawNeeded = false;
    shown.pictureWaiting = false;
    return true;
}

const uint8_t* pictureToShow(bool forced, void (*buildPalette)(PaletteWords& words),
                             PaletteWords& palette) {
    buildPalette(palette);
    const uint8_t* page = pagePixels(visiblePage());
    if (forced) forgetShownPicture();
    return pictureIsNew(page, palette) ? page : nullptr;
}
