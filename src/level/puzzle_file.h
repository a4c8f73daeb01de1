// The puzzle file (".zag"): reading it into the level set and writing the
// level set back.
#pragma once

#include <string>
#include <string_view>

enum class PuzzleReadResult { Read, Missing, Unreadable, NotAPuzzle };

// Reads puzzleFileName into the level set (which start-up has reset).
// Anything but Read leaves the level set as it was.
PuzzleReadResult readPuzzleFile();
// One stderr line saying why the puzzle file name (or, for "", any puzzle
// file) was not read and what the run shows instead; nothing for Read.
void reportPuzzleRead(PuzzleReadResult result, const std::string& name);
// The same from bytes in memory (a puzzle that came in a link).
PuzzleReadResult readPuzzleBytes(std::string_view bytes);
// Whether the reader takes bytes as a puzzle; the level set stays as it was.
bool isPuzzleBytes(std::string_view bytes);
// Writes levels 0..lastLevel and storedChecksum to puzzleFileName.
bool writePuzzleFile();
// The same bytes to a new file (the editor's recovery file), never replacing
// anything: false with exists set when that name is taken (see createFile).
bool writeNewPuzzleFile(const std::string& fileName, bool& exists);
// The bytes writePuzzleFile writes.
std::string puzzleFileBytes();
