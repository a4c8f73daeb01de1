// Start-up, the main loop and the editor's key dispatch.
#pragma once

#include <string>

// Runs the whole game with the command line; returns the exit status.
int runGame(int argc, char** argv);
// Dispatches one key string in editor mode.
void dispatchEditorKey(const std::string& key);
