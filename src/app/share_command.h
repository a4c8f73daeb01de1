// The command line's puzzle links: `orvet --share PUZZLE.zag [--qr]` prints
// a link to the puzzle, `orvet --open-link LINK` stores the puzzle it holds
// in the current folder and opens it.
#pragma once

#include <string>

// Handles a command line whose first argument is --share or --open-link.
// Returns the exit status, or -1 when the game should go on to open
// fileToOpen (the puzzle --open-link stored or found).
int runShareOption(int argc, char** argv, std::string& fileToOpen);
