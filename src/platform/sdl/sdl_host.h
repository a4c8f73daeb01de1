// The SDL window host's own state, shared by its source files: the window,
// its renderer, streaming texture and enlargement, the title it shows and
// what must be shown again.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/window/shown_picture.h"

struct SdlHost {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    // The picture enlarged by a whole factor, the first step of filling a
    // window that is no whole multiple of 640x480; made when needed.
    SDL_Texture* enlarged = nullptr;
    int enlargedFactor = 0;
    Uint32 windowId = 0;
    std::string titleUtf8 = "Orvet";
    // Whether the picture shown is current; nothing is shown before the
    // first comparison.
    ShownPicture shown{.pictureWaiting = true};
};

extern SdlHost sdlHost;

// sdl_window.cpp
void toggleFullScreen();
// Takes the refresh rate of the display the window is on.
void updateRefreshRate();

// sdl_present.cpp
bool createTexture();
// Compares the visible page and the palette with the picture last shown
// when the game may have changed them since the last comparison.
void comparePicture();
// True when the window cannot be seen (minimized or hidden).
bool windowHidden();
// Shows the visible page if it changed and a refresh interval has passed.
void presentIfDue(double now);

// sdl_scale.cpp
// Draws the streaming texture into the window, filling it at 4:3.
void drawPicture();
// Forgets the enlargement texture (with the renderer, or after a reset).
void dropEnlargement();
// The picture pixel under a point of the window (window coordinates); off
// 0..639 x 0..479 on the bars and beyond the window.
void mapPointer(int windowX, int windowY, int& x, int& y);

// sdl_input.cpp
void handleSdlEvent(const SDL_Event& event);

// sdl_stats.cpp: with ORVET_STATS=1, passes per second and the mean present
// time go to stderr at exit.
void startStats();
// A display generation seen by the poll at the given time; each change
// counts as one pass. Once a second the counts so far go to stderr.
void countPass(unsigned generation, double now);
bool statsOn();
// One picture shown (converted and uploaded), taking seconds in all.
void countPresent(double seconds);
