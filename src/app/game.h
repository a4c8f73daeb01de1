// Start-up, the main loop, its keys in both modes, the editor's key dispatch,
// the author's view and the recovery file.
#pragma once

#include <string>

// Runs the whole game with the command line; returns the exit status.
int runGame(int argc, char** argv);
// Dispatches one key string in editor mode.
void dispatchEditorKey(const std::string& key);
// F1, the undo and redo keys, and F2 in the editor; false for any other key.
bool dispatchSessionKey(const std::string& key);

extern bool authorView;  // F2 in the editor: letters and level number drawn; off at start
// Palette entry of the author's view, used for nothing else.
constexpr int kAuthorViewColour = 5;
// Draws the author's view over the frame just drawn.
void drawAuthorView();

// When the editor ends with changes since the last save, writes the puzzle to
// NAME~ beside it and says so on stderr.
void writeRecoveryFile();
