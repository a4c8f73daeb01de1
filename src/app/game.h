// Start-up, the main loop, its keys in both modes, the editor's key dispatch,
// the solver's keys, the author's view and the recovery file.
#pragma once

#include <string>

#include "ui/menu.h"

// Runs the whole game with the command line; returns the exit status.
int runGame(int argc, char** argv);
// Gives every module's globals the values a fresh process starts with (the
// level set, the history, the pointer, the pages and angles); the platform's
// display and input state are the host's to reset.
void resetGameState();
// Dispatches one key string in editor mode.
void dispatchEditorKey(const std::string& key);
// F1, the undo and redo keys, and F2 in the editor; false for any other key.
bool dispatchSessionKey(const std::string& key);

// F3 (built with the solver): in the editor, puts a found path and
// attractor of the current level in place as one undo step; in play, makes
// the hint's one move as one undo step. Says on stderr when nothing is found.
void solveCurrentLevel();
void giveHint();

// Draws the author's view over the frame just drawn.
void drawAuthorView();

// When the editor ends with changes since the last save, writes the puzzle to
// the first free name of NAME~, NAME~2, NAME~3, ... beside it, replacing
// nothing, and says on stderr where and how to take it back.
void writeRecoveryFile();
// At the editor's start: names the newest recovery file beside the puzzle on
// stderr, with how to take it back.
void reportRecoveryFile();
