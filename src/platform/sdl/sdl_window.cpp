// Opening the SDL window, its title, full screen and the timer.
#include <cstdlib>

#include "platform/cp1251.h"
#include "platform/host.h"
#include "platform/sdl/sdl_host.h"
#include "platform/window/input_feed.h"
#include "platform/window/poll_pacing.h"

SdlHost sdlHost;

namespace {

void closeWindow() {
    dropEnlargement();
    if (sdlHost.texture) SDL_DestroyTexture(sdlHost.texture);
    if (sdlHost.renderer) SDL_DestroyRenderer(sdlHost.renderer);
    if (sdlHost.window) SDL_DestroyWindow(sdlHost.window);
    sdlHost.texture = nullptr;
    sdlHost.renderer = nullptr;
    sdlHost.window = nullptr;
}

// Left to itself, SDL falls back to a driver that shows nothing when no
// display can be reached: that is no window system. A driver named in
// SDL_VIDEODRIVER is taken as asked for.
bool invisibleFallback() {
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (asked && *asked) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    return !driver || SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0;
}

// True when the renderer's GPU driver rasterizes on the processor (Mesa's
// llvmpipe or softpipe on a display without a GPU, such as Xvfb or many
// virtual machines).
bool rasterizesInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
    if (SDL_strncmp(info.name, "opengl", 6) != 0) return false;  // opengl, opengles2
    // The renderer's context is the current one.
    using GetString = const unsigned char*(SDLCALL*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString) return false;
    const auto* name = reinterpret_cast<const char*>(getString(0x1F01));  // GL_RENDERER
    return name && (SDL_strstr(name, "llvmpipe") || SDL_strstr(name, "softpipe") ||
                    SDL_strstr(name, "Software Rasterizer"));
}

SDL_Renderer* createRenderer(SDL_Window* window) {
    // No vsync: presenting would block for a whole refresh; the host paces
    // itself instead.
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    // A renderer named in SDL_RENDER_DRIVER is taken as asked for.
    const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const bool named = asked && *asked;
    if (renderer && !named && rasterizesInSoftware(renderer)) {
        // Such a driver takes several times the processor time per picture
        // of SDL's own renderer writing straight into the window.
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
    }
    if (!renderer) {
        // Straight into the window, not through a texture of a GPU driver.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }
    return renderer;
}

}  // namespace

bool hostOpenWindow() {
    if (sdlHost.window) return true;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    // The close button alone must not also bring a quit request: one close,
    // one event for the game.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    if (invisibleFallback()) {
        SDL_Quit();
        return false;
    }
    static bool quitAtExit = false;
    if (!quitAtExit) {
        std::atexit(SDL_Quit);
        quitAtExit = true;
    }

    // The game's own 640x480 (in points, so a high-DPI display doubles its
    // pixels) and never smaller; made larger, or full screen with Alt+Enter
    // or F11, the picture fills it at 4:3 (sdl_scale.cpp).
    sdlHost.window = SDL_CreateWindow(sdlHost.titleUtf8.c_str(), SDL_WINDOWPOS_CENTERED,
                                      SDL_WINDOWPOS_CENTERED, kScreenWidth, kScreenHeight,
                                      SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!sdlHost.window) return false;
    sdlHost.renderer = createRenderer(sdlHost.window);
    if (!sdlHost.renderer || !createTexture()) {
        closeWindow();
        return false;
    }
    // After the renderer: making it may make the window anew (for OpenGL),
    // which forgets a minimum size given before.
    SDL_SetWindowMinimumSize(sdlHost.window, kScreenWidth, kScreenHeight);
    sdlHost.windowId = SDL_GetWindowID(sdlHost.window);

    resetInputFeed();
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(sdlHost.window);
    const bool known = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0;
    resetPollPacing(known ? mode.refresh_rate : 0);
    SDL_StartTextInput();
    startStats();
    sdlHost.shown.redrawNeeded = true;
    presentIfDue(hostTimer());
    return true;
}

void updateRefreshRate() {
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(sdlHost.window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) {
        setRefreshRate(mode.refresh_rate);
    }
}

void hostTitleChanged(const std::string& cp1251Title) {
    sdlHost.titleUtf8 = cp1251ToUtf8(cp1251Title);
    if (sdlHost.window) SDL_SetWindowTitle(sdlHost.window, sdlHost.titleUtf8.c_str());
}

void toggleFullScreen() {
    const bool full = SDL_GetWindowFlags(sdlHost.window) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(sdlHost.window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    sdlHost.shown.redrawNeeded = true;
}

double hostTimer() {
    static const Uint64 origin = SDL_GetPerformanceCounter();
    static const double frequency = static_cast<double>(SDL_GetPerformanceFrequency());
    return static_cast<double>(SDL_GetPerformanceCounter() - origin) / frequency;
}
