// The start-up of a run: command line, window, colours and the puzzle file,
// and the reset that gives every run a fresh process's state.
#pragma once

#include <string>

// What the arguments ask the run to open.
struct CommandLine {
    std::string puzzleFile;  // "" to choose one
    bool editor = false;     // the second argument is pravi (any case)
};

// Answers --help and --version (returns 0), or fills line and returns -1.
int parseCommandLine(int argc, char** argv, CommandLine& line);

// Prepares everything the main loop needs. Returns -1 when the main loop
// should run, otherwise the exit status to end with at once.
int startUp(int argc, char** argv);
