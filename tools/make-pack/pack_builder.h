// The bundled puzzle pack: the table of puzzles and their hidden words, and
// the building of each level from its seed with the game's own path, flight,
// hit test and puzzle writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/path.h"
#include "geometry/vector.h"
#include "level/level_set.h"

// One level of the pack: the hidden word (UTF-8 in the table), the number of
// segments of its solution path, whether it has an attractor, and the seed
// from which the solution is drawn.
struct PackLevel {
    const char* word;
    int16_t segments;
    bool attractor;
    uint32_t seed;
};

struct PackPuzzle {
    const char* fileName;  // inside the pack directory
    std::vector<PackLevel> levels;
};

extern const std::vector<PackPuzzle> packPuzzles;

// Seeds tried after the table's one before a level is given up.
constexpr uint32_t kSeedTries = 400;
// Least distance between two letters, and between a letter and any part of
// the curve other than the one run that passes it.
constexpr float kLetterClearance = 15.0f;

// The level's hidden word as Windows-1251 bytes ("" when it cannot be
// converted or holds a letter the font does not draw).
std::string packWord(const PackLevel& entry);
// True for the Cyrillic letters the stroke font draws.
bool isDrawnLetter(uint8_t byte);
// The neutral title of level i (0-based): "1", "2", ...
std::string packTitle(size_t index);

// The solution drawn from a seed: seeds the random numbers, generates the
// path and, for an attractor level, the attractor's position after it.
struct Solution {
    Path path;
    Vector attractor;  // flag -1 when present, 0 otherwise
};
Solution drawSolution(const PackLevel& entry, uint32_t seed);

// Places the word's letters on the curve at flight samples, in flight order:
// whole-pixel positions that the curve passes in exactly one run of samples,
// clear of each other, of the attractor and of the curve's other runs.
// False when the curve has no room for them.
bool placeLetters(const Path& path, Vector attractor, const std::string& word,
                  std::vector<Vector>& points);

// Makes `level` the only level of the level set and checks it with the
// game's own code: the flight spells `word` exactly and one frame touches
// every point. Needs an open window. Leaves the level set holding that level.
bool levelSpells(const Level& level, const std::string& word);
bool levelTouchesAll(const Level& level);

// A whole level built from a seed: its solution, points and title; false
// when the seed gives no working level.
bool buildLevel(const PackLevel& entry, uint32_t seed, size_t index, Level& level);

// Builds a puzzle into `levels` (seeds tried from each table seed on; the
// seeds used go to seedsUsed) and writes it to dir/fileName with the
// checksum of its hidden words. False when a level could not be built or the
// file not written.
bool writePackPuzzle(const PackPuzzle& puzzle, const std::string& dir,
                     std::vector<uint32_t>& seedsUsed);

// The checksum the menu compares: CRC of the hidden words of levels
// 0..last in level order. Works on the current level set, whose codes it
// puts back as they were.
uint32_t hiddenWordsChecksum(const std::vector<std::string>& words);
