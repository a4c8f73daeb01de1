// Building the pack's levels: a solution path from a seed, the word's letters
// laid on it, and the game's own flight and frame as the judges.
#include "make-pack/pack_builder.h"

#include <cmath>
#include <optional>

#include "app/flight.h"
#include "level/checksum.h"
#include "level/puzzle_file.h"
#include "platform/cp1251.h"
#include "platform/platform.h"
#include "scene/scene.h"

namespace {

// The letters the stroke font draws, as the words are typed in the table.
constexpr const char* kDrawnLetters = "абвгдђежзијклљмнњопрстћуфхцчџш";

// Letters stay this far inside the page, so their circles are whole.
constexpr float kPageMargin = 8.0f;

// The flight's samples of the whole path, in flight order: u = 0, 0.01, ...
// summed in double, each point taken at u rounded to single precision.
std::vector<Vector> flightSamples(const Path& path, Vector attractor) {
    std::vector<Vector> samples;
    const int segments = segmentCount(path);
    for (int s = 0; s < segments; ++s) {
        const Segment seg = segmentOf(path, 2 * s);
        for (double u = 0.0; u <= 1.0; u += 0.01) {
            samples.push_back(pathPointAt(seg, static_cast<float>(u), attractor));
        }
    }
    return samples;
}

Vector wholePixel(Vector v) {
    Vector p;
    p.x = std::round(v.x);
    p.y = std::round(v.y);
    return p;
}

bool onPage(Vector p) {
    return p.x >= kPageMargin && p.x <= kScreenWidth - kPageMargin && p.y >= kPageMargin &&
           p.y <= kScreenHeight - kPageMargin;
}

// The run of samples around index i that lies within the clearance of p,
// as [lo, hi]; false when any sample outside that run comes as close.
bool singleRun(const std::vector<Vector>& samples, size_t i, Vector p, size_t& lo, size_t& hi) {
    lo = i;
    hi = i;
    while (lo > 0 && vecDistance(samples[lo - 1], p) < kLetterClearance) --lo;
    while (hi + 1 < samples.size() && vecDistance(samples[hi + 1], p) < kLetterClearance) ++hi;
    for (size_t j = 0; j < samples.size(); ++j) {
        if (j >= lo && j <= hi) continue;
        if (vecDistance(samples[j], p) < kLetterClearance) return false;
    }
    return true;
}

}  // namespace

bool isDrawnLetter(uint8_t byte) {
    static const std::string drawn = utf8ToCp1251(kDrawnLetters).value_or("");
    return byte != 0 && drawn.find(static_cast<char>(byte)) != std::string::npos;
}

std::string packWord(const PackLevel& entry) {
    const std::optional<std::string> word = utf8ToCp1251(entry.word);
    if (!word) return "";
    for (char c : *word) {
        if (!isDrawnLetter(static_cast<uint8_t>(c))) return "";
    }
    return *word;
}

std::string packTitle(size_t index) {
    return std::to_string(index + 1);
}

Solution drawSolution(const PackLevel& entry, uint32_t seed) {
    seedRandom(static_cast<double>(seed));
    Solution solution;
    solution.path = generatePath(entry.segments);
    if (entry.attractor) {
        // Well inside the page, so the pull has room to bend the curve.
        solution.attractor.x = static_cast<float>(60.0 + std::floor(520.0 * randomUnit()));
        solution.attractor.y = static_cast<float>(60.0 + std::floor(360.0 * randomUnit()));
        solution.attractor.flag = -1;
    }
    return solution;
}

bool placeLetters(const Path& path, Vector attractor, const std::string& word,
                  std::vector<Vector>& points) {
    points.clear();
    const std::vector<Vector> samples = flightSamples(path, attractor);
    const size_t count = word.size();
    if (count == 0 || samples.size() < count) return false;

    bool haveRun = false;
    size_t previousHi = 0;
    for (size_t k = 0; k < count; ++k) {
        // Each letter keeps to its own share of the flight, searched from the
        // middle of the share outwards, so the letters spread along the path.
        const size_t first = k * samples.size() / count;
        const size_t last = (k + 1) * samples.size() / count;  // exclusive
        const size_t middle = (first + last) / 2;
        bool placed = false;
        for (size_t step = 0; !placed && step < 2 * (last - first); ++step) {
            const size_t i = step % 2 == 0 ? middle + step / 2 : middle - (step + 1) / 2;
            if (i < first || i >= last) continue;
            Vector p = wholePixel(samples[i]);
            if (!onPage(p)) continue;
            if (attractor.flag != 0 && vecDistance(p, attractor) < kLetterClearance) continue;
            size_t lo = 0;
            size_t hi = 0;
            if (!singleRun(samples, i, p, lo, hi)) continue;
            // Runs in flight order and apart: the flier leaves one letter
            // behind before it comes near the next.
            if (haveRun && lo <= previousHi) continue;
            bool clear = true;
            for (const Vector& q : points) clear = clear && vecDistance(p, q) >= kLetterClearance;
            if (!clear) continue;
            p.flag = static_cast<int8_t>(word[k]);
            points.push_back(p);
            previousHi = hi;
            haveRun = true;
            placed = true;
        }
        if (!placed) {
            points.clear();
            return false;
        }
    }
    return true;
}

bool levelSpells(const Level& level, const std::string& word) {
    resetLevelSet();
    levels[0] = level;
    collectVisits();
    const std::string spelled = spellCode(1.0e9);
    return spelled == word && visitList.size() == word.size();
}

bool levelTouchesAll(const Level& level) {
    resetLevelSet();
    levels[0] = level;
    const bool wasEditor = editorMode;
    editorMode = true;  // no solved step, so no menu opens
    drawFrame();
    editorMode = wasEditor;
    if (level.lastPoint < 0 || hitFlags.size() != static_cast<size_t>(level.lastPoint) + 1) {
        return false;
    }
    for (uint8_t hit : hitFlags) {
        if (hit == 0) return false;
    }
    return true;
}

bool buildLevel(const PackLevel& entry, uint32_t seed, size_t index, Level& level) {
    const std::string word = packWord(entry);
    if (word.empty()) return false;
    const Solution solution = drawSolution(entry, seed);
    std::vector<Vector> points;
    if (!placeLetters(solution.path, solution.attractor, word, points)) return false;

    level = Level{};
    level.paths = solution.path;
    level.attractor = solution.attractor;
    level.setPointCount(static_cast<int>(points.size()));
    for (size_t j = 0; j < points.size(); ++j) level.points[j] = points[j];
    level.code = packTitle(index);
    level.baseCode = level.code;

    if (!levelSpells(level, word) || !levelTouchesAll(level)) return false;
    if (entry.attractor) {
        // The attractor has to matter: the same path unbent misses a letter.
        Level unbent = level;
        unbent.attractor.flag = 0;
        if (levelTouchesAll(unbent)) return false;
    }
    return true;
}

uint32_t hiddenWordsChecksum(const std::vector<std::string>& words) {
    const std::vector<uint16_t> savedList = levelList;
    std::vector<std::string> savedCodes;
    levelList.clear();
    for (size_t i = 0; i < words.size() && i < levels.size(); ++i) {
        savedCodes.push_back(levels[i].code);
        levels[i].code = words[i];
        levelList.push_back(static_cast<uint16_t>(i));
    }
    const uint32_t crc = levelChecksum();
    for (size_t i = 0; i < savedCodes.size(); ++i) levels[i].code = savedCodes[i];
    levelList = savedList;
    return crc;
}

bool writePackPuzzle(const PackPuzzle& puzzle, const std::string& dir,
                     std::vector<uint32_t>& seedsUsed) {
    seedsUsed.clear();
    std::vector<Level> built;
    std::vector<std::string> words;
    for (size_t i = 0; i < puzzle.levels.size(); ++i) {
        const PackLevel& entry = puzzle.levels[i];
        Level level;
        bool found = false;
        for (uint32_t t = 0; t < kSeedTries && !found; ++t) {
            found = buildLevel(entry, entry.seed + t, i, level);
            if (found) seedsUsed.push_back(entry.seed + t);
        }
        if (!found) return false;
        built.push_back(level);
        words.push_back(packWord(entry));
    }
    if (built.empty()) return false;

    resetLevelSet();
    levels = built;
    lastLevel = static_cast<uint16_t>(levels.size() - 1);
    rebuildLevelList();
    storedChecksum = hiddenWordsChecksum(words);
    puzzleFileName = dir + "/" + puzzle.fileName;
    return writePuzzleFile();
}
