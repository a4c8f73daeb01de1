// The browser page's key map: which KeyboardEvent.key names give which keys
// of the key table (platform/keys.h). Keys that type a character arrive as
// text instead.
#pragma once

#include "platform/keys.h"

struct WebKey {
    const char* name;  // KeyboardEvent.key
    Key key;
};

// Keys by what they mean rather than where they sit, so the keypad's arrows
// (Num Lock off) and Enter count as the main ones, as on the desktop.
inline constexpr WebKey kWebKeys[] = {
    {"Escape", Key::Escape},
    {"Enter", Key::Enter},
    {"Backspace", Key::Backspace},
    {"Tab", Key::Tab},
    {"ArrowUp", Key::Up},
    {"ArrowDown", Key::Down},
    {"ArrowLeft", Key::Left},
    {"ArrowRight", Key::Right},
    {"Home", Key::Home},
    {"End", Key::End},
    {"PageUp", Key::PageUp},
    {"PageDown", Key::PageDown},
    {"Insert", Key::Insert},
    {"Delete", Key::Delete},
    {"F1", Key::F1},
    {"F2", Key::F2},
    {"F3", Key::F3},
    {"F4", Key::F4},
    {"F5", Key::F5},
    {"F6", Key::F6},
    {"F7", Key::F7},
    {"F8", Key::F8},
    {"F9", Key::F9},
    {"F10", Key::F10},
};
