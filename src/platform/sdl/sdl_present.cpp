// Showing the visible page in the window through the palette.
#include "platform/host.h"
#include "platform/sdl/sdl_host.h"
#include "platform/window/argb_page.h"
#include "platform/window/poll_pacing.h"

namespace {

void present(bool forced) {
    const double start = hostTimer();
    PaletteWords argb;
    const uint8_t* page = pictureToShow(forced, buildArgbPalette, argb);
    if (page == nullptr) return;
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(sdlHost.texture, nullptr, &pixels, &pitch) != 0) {
        forgetShownPicture();
        return;
    }
    convertPageToArgb(page, argb, static_cast<uint8_t*>(pixels), pitch);
    SDL_UnlockTexture(sdlHost.texture);
    drawPicture();
    SDL_RenderPresent(sdlHost.renderer);
    const double cost = hostTimer() - start;
    recordPresentCost(cost);
    if (statsOn()) countPresent(cost);
}

}  // namespace

bool createTexture() {
    dropEnlargement();
    if (sdlHost.texture) SDL_DestroyTexture(sdlHost.texture);
    sdlHost.texture = SDL_CreateTexture(sdlHost.renderer, SDL_PIXELFORMAT_ARGB8888,
                                        SDL_TEXTUREACCESS_STREAMING, kScreenWidth, kScreenHeight);
    if (sdlHost.texture == nullptr) return false;
    // The picture is opaque: copied, never blended (a blended copy is several
    // times dearer on SDL's software renderer, above all when it scales).
    SDL_SetTextureBlendMode(sdlHost.texture, SDL_BLENDMODE_NONE);
    return true;
}

void comparePicture() {
    compareShownPicture(sdlHost.shown, buildArgbPalette);
}

bool windowHidden() {
    return (SDL_GetWindowFlags(sdlHost.window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
}

void presentIfDue(double now) {
    if (!sdlHost.texture) return;
    bool forced = false;
    if (takePresent(sdlHost.shown, now, windowHidden, forced)) present(forced);
}

void hostDisplayChanged() {
    sdlHost.shown.changeReported = true;
}
