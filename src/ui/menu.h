// The in-game menu with its help page.
#pragma once

#include <cstdint>

extern int16_t menuPage;  // page of levelList shown; survives between openings
// F2 in the editor: the frame shows each point's letter and the level's
// number, and the menu each level row's level number; off at start.
extern bool authorView;
// Palette entry of the author's view, used for nothing else.
constexpr int kAuthorViewColour = 5;

// Runs the menu until it closes (or the program is ending).
void runMenu();
void showHelpPage();
// The help page on its own (F1), with the pointer read afresh as the menu
// would; returns when it is closed.
void openHelpPage();
