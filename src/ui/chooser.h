// The puzzle file chooser shown when no file is named on the command line.
#pragma once

#include <cstdint>

extern int16_t chooserPage;  // page of the file list shown

// Sets puzzleFileName to the chosen name ("" when no puzzle file exists), or
// ends the program.
void chooseFile();
