// The menu's last good pointer position, shared with its help page.
#pragma once

#include "platform/mouse_state.h"

// (0, 0) whenever the menu opens; the menu and the help page read the mouse
// through it.
extern LastGoodPosition menuLastGood;
