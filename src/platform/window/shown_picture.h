// Whether the picture in the window is current, for both window hosts: what
// the game reported, when the visible page was last compared with the
// picture shown, and the decision to show it again. The host converts and
// shows the picture itself.
#pragma once

#include <cstdint>

struct ShownPicture {
    // The picture must be shown again even if the game drew nothing new
    // (the window was exposed, resized or restored, the page became visible
    // again, the renderer was reset).
    bool redrawNeeded = true;
    // The game told the host that the page or the palette changed.
    bool changeReported = true;
    // The display generation the visible page was last compared at.
    unsigned comparedGeneration = 0;
    // The visible page or the palette differ from the picture last shown.
    bool pictureWaiting = false;
};

// The host's shown palette as the 32-bit words its picture is made of.
using PaletteWords = uint32_t[256];

// Compares the visible page and the palette with the picture last shown when
// the game may have changed them since the last comparison (most passes draw
// the same picture again); sets pictureWaiting.
void compareShownPicture(ShownPicture& shown, void (*buildPalette)(PaletteWords& words));
// A picture waits to be shown, or must be shown again.
bool presentWanted(const ShownPicture& shown);
// The present decision: true when a present is wanted, the window can be
// seen (hidden is null, or says no) and a present is due now (poll_pacing);
// then both flags are cleared and forced tells whether the picture must be
// shown even if it matches the one shown.
bool takePresent(ShownPicture& shown, double now, bool (*hidden)(), bool& forced);
// At a present: the visible page when it is to be shown (forced, or it
// differs from the picture last shown, which it then becomes), with the
// palette built into palette; null when the window already shows it.
const uint8_t* pictureToShow(bool forced, void (*buildPalette)(PaletteWords& words),
                             PaletteWords& palette);
