// The in-game menu with its help page.
#pragma once

#include <cstdint>

extern int16_t menuPage;  // page of levelList shown; survives between openings

// Runs the menu until it closes (or the program is ending).
void runMenu();
void showHelpPage();
// The help page on its own (F1), with the pointer read afresh as the menu
// would; returns when it is closed.
void openHelpPage();
