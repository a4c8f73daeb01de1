// The SDL window's key map: which key presses give which keys of the key
// table (platform/keys.h). Keys that type a character arrive as text instead.
#pragma once

#include <SDL_scancode.h>

#include "platform/keys.h"

struct SdlKey {
    SDL_Scancode code;
    Key key;
};

// By the key's place; Return, the second Return and the keypad's Enter all
// count as Enter.
inline constexpr SdlKey kSdlKeys[] = {
    {SDL_SCANCODE_ESCAPE, Key::Escape},
    {SDL_SCANCODE_RETURN, Key::Enter},
    {SDL_SCANCODE_RETURN2, Key::Enter},
    {SDL_SCANCODE_KP_ENTER, Key::Enter},
    {SDL_SCANCODE_BACKSPACE, Key::Backspace},
    {SDL_SCANCODE_TAB, Key::Tab},
    {SDL_SCANCODE_UP, Key::Up},
    {SDL_SCANCODE_DOWN, Key::Down},
    {SDL_SCANCODE_LEFT, Key::Left},
    {SDL_SCANCODE_RIGHT, Key::Right},
    {SDL_SCANCODE_HOME, Key::Home},
    {SDL_SCANCODE_END, Key::End},
    {SDL_SCANCODE_PAGEUP, Key::PageUp},
    {SDL_SCANCODE_PAGEDOWN, Key::PageDown},
    {SDL_SCANCODE_INSERT, Key::Insert},
    {SDL_SCANCODE_DELETE, Key::Delete},
    {SDL_SCANCODE_F1, Key::F1},
    {SDL_SCANCODE_F2, Key::F2},
    {SDL_SCANCODE_F3, Key::F3},
    {SDL_SCANCODE_F4, Key::F4},
    {SDL_SCANCODE_F5, Key::F5},
    {SDL_SCANCODE_F6, Key::F6},
    {SDL_SCANCODE_F7, Key::F7},
    {SDL_SCANCODE_F8, Key::F8},
    {SDL_SCANCODE_F9, Key::F9},
    {SDL_SCANCODE_F10, Key::F10},
};

// The keypad keys that move the cursor while Num Lock is off.
inline constexpr SdlKey kSdlKeypadKeys[] = {
    {SDL_SCANCODE_KP_8, Key::Up},     {SDL_SCANCODE_KP_2, Key::Down},
    {SDL_SCANCODE_KP_4, Key::Left},   {SDL_SCANCODE_KP_6, Key::Right},
    {SDL_SCANCODE_KP_7, Key::Home},   {SDL_SCANCODE_KP_1, Key::End},
    {SDL_SCANCODE_KP_9, Key::PageUp}, {SDL_SCANCODE_KP_3, Key::PageDown},
    {SDL_SCANCODE_KP_0, Key::Insert}, {SDL_SCANCODE_KP_PERIOD, Key::Delete},
};
