// The in-game menu with its help page.
#pragma once

#include <cstdint>

extern int16_t menuPage;  // page of levelList shown; survives between openings

// Runs the menu until it closes (or the program is ending).
void runMenu();
void showHelpPage();
