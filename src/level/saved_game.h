// The saved game (".zap") beside each puzzle file: the open levels, codes,
// solved flags, knots, handles and attractors.
#pragma once

#include <string>

std::string savedGameName(const std::string& puzzleName);
// Writes the saved game of puzzleFileName.
bool writeSavedGame();
enum class SavedGameReadResult { Read, Missing, Unreadable, NotASavedGame };

// Overlays the saved game on the level set; never creates or removes levels
// and never touches points, baseCode, currentLevel or storedChecksum.
// Anything but Read leaves the level set as it was.
SavedGameReadResult readSavedGame();
// One stderr line saying why a saved game was not read; nothing for Read.
void reportSavedGameRead(SavedGameReadResult result);
