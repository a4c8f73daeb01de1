// The start-up of a run: command line, window, colours and the puzzle file.
#pragma once

// Prepares everything the main loop needs. Returns -1 when the main loop
// should run, otherwise the exit status to end with at once.
int startUp(int argc, char** argv);
