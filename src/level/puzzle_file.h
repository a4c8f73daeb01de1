// The puzzle file (".zag"): reading it into the level set and writing the
// level set back.
#pragma once

#include <string>

enum class PuzzleReadResult { Read, Missing, Unreadable, NotAPuzzle };

// Reads puzzleFileName into the level set (which start-up has reset).
// Anything but Read leaves the level set as it was.
PuzzleReadResult readPuzzleFile();
// Writes levels 0..lastLevel and storedChecksum to puzzleFileName.
bool writePuzzleFile();
// The same bytes to another file (the editor's recovery file), replacing
// that name itself: a link of that name never leads the bytes elsewhere.
bool writePuzzleFileAs(const std::string& fileName);
// The bytes writePuzzleFile writes.
std::string puzzleFileBytes();
