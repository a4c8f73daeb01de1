// Filling the window with the picture: enlarged by the largest whole factor
// with sharp pixels into a texture of its own, then smoothly to the 4:3
// rectangle that fills the window (ORVET_SCALE=integer keeps whole factors);
// and the pointer mapped back through the same fit.
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/sdl/sdl_host.h"
#include "platform/window/picture_fit.h"

namespace {

// True when ORVET_SCALE=integer asks for whole factors only.
bool wholeFactorsOnly() {
    static const bool integer = [] {
        const char* asked = std::getenv("ORVET_SCALE");
        return asked != nullptr && std::strcmp(asked, "integer") == 0;
    }();
    return integer;
}

PictureFit currentFit() {
    int w = 0;
    int h = 0;
    if (SDL_GetRendererOutputSize(sdlHost.renderer, &w, &h) != 0) {
        SDL_GetWindowSize(sdlHost.window, &w, &h);
    }
    return fitPicture(w, h, wholeFactorsOnly());
}

// The texture of the sharp enlargement for this factor, made when the
// factor changes; nullptr when the renderer cannot draw into textures.
SDL_Texture* enlargement(int factor) {
    if (sdlHost.enlarged != nullptr && sdlHost.enlargedFactor == factor) return sdlHost.enlarged;
    dropEnlargement();
    if (!SDL_RenderTargetSupported(sdlHost.renderer)) return nullptr;
    sdlHost.enlarged =
        SDL_CreateTexture(sdlHost.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                          kScreenWidth * factor, kScreenHeight * factor);
    if (sdlHost.enlarged == nullptr) return nullptr;
    SDL_SetTextureBlendMode(sdlHost.enlarged, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(sdlHost.enlarged, SDL_ScaleModeLinear);
    sdlHost.enlargedFactor = factor;
    return sdlHost.enlarged;
}

}  // namespace

void dropEnlargement() {
    if (sdlHost.enlarged != nullptr) SDL_DestroyTexture(sdlHost.enlarged);
    sdlHost.enlarged = nullptr;
    sdlHost.enlargedFactor = 0;
}

void drawPicture() {
    const PictureFit fit = currentFit();
    const SDL_Rect target = {fit.x, fit.y, fit.w, fit.h};
    SDL_SetRenderDrawColor(sdlHost.renderer, 0, 0, 0, 255);
    SDL_RenderClear(sdlHost.renderer);
    SDL_Texture* source = sdlHost.texture;
    if (isWholeFactor(fit) || fit.factor == 1) {
        // Sharp all the way, or (at factor 1) smooth all the way.
        SDL_SetTextureScaleMode(source,
                                isWholeFactor(fit) ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    } else if (SDL_Texture* enlarged = enlargement(fit.factor)) {
        SDL_SetTextureScaleMode(source, SDL_ScaleModeNearest);
        if (SDL_SetRenderTarget(sdlHost.renderer, enlarged) == 0) {
            SDL_RenderCopy(sdlHost.renderer, source, nullptr, nullptr);
            SDL_SetRenderTarget(sdlHost.renderer, nullptr);
            source = enlarged;
        }
    } else {
        SDL_SetTextureScaleMode(source, SDL_ScaleModeLinear);
    }
    SDL_RenderCopy(sdlHost.renderer, source, nullptr, &target);
}

void mapPointer(int windowX, int windowY, int& x, int& y) {
    int windowW = 0;
    int windowH = 0;
    SDL_GetWindowSize(sdlHost.window, &windowW, &windowH);
    int outputW = windowW;
    int outputH = windowH;
    SDL_GetRendererOutputSize(sdlHost.renderer, &outputW, &outputH);
    // Window points to output pixels (more than one each on a high-DPI
    // display), then output pixels to the picture's.
    const int px = scaledPixel(windowX, windowW, outputW);
    const int py = scaledPixel(windowY, windowH, outputH);
    picturePixelAt(fitPicture(outputW, outputH, wholeFactorsOnly()), px, py, x, y);
}
