// Reading a puzzle file into the level set and writing the level set back.
#include "level/puzzle_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "geometry/path.h"
#include "level/level_set.h"
#include "level/pending_numbers.h"
#include "level/text_records.h"

namespace {

void readCode(Level& level) {
    level.code = codeFromPending();
    level.baseCode = level.code;
}

void readPoints(Level& level) {
    // c numbers give c/3 points; a remainder and points past 501 are ignored.
    size_t count = pendingNumbers.size() / 3;
    if (count > kMaxPoints) count = kMaxPoints;
    level.setPointCount(static_cast<int>(count));
    for (size_t t = 0; t < count; ++t) {
        Vector& p = level.points[t];
        p.x = static_cast<float>(pendingNumbers[3 * t]);
        p.y = static_cast<float>(pendingNumbers[3 * t + 1]);
        p.flag = static_cast<int8_t>(static_cast<uint8_t>(pendingNumbers[3 * t + 2] & 0xff));
    }
}

void readPaths(Level& level) {
    if (pendingNumbers.empty()) return;
    // The count is a signed 16-bit value; generatePath limits it to 0..24,
    // so a negative count gives a path without segments.
    level.paths = generatePath(static_cast<int16_t>(static_cast<uint16_t>(pendingNumbers[0])));
}

void readAttractor(Level& level) {
    if (pendingNumbers.size() < 2) return;
    level.attractor.x = static_cast<float>(pendingNumbers[0]);
    level.attractor.y = static_cast<float>(pendingNumbers[1]);
    level.attractor.flag = -1;
}

// Handles a record keyword; false when the field is none.
bool readRecord(const std::string& field, Level* level) {
    void (*handler)(Level&) = nullptr;
    if (field == "points") {
        handler = readPoints;
    } else if (field == "attractor") {
        handler = readAttractor;
    } else if (field == "paths") {
        handler = readPaths;
    } else if (field == "code") {
        handler = readCode;
    } else {
        return false;
    }
    if (level != nullptr) handler(*level);
    pendingNumbers.clear();
    return true;
}

PuzzleReadResult openPuzzle(FieldReader& reader) {
    struct stat info {};
    if (::stat(puzzleFileName.c_str(), &info) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? PuzzleReadResult::Missing
                                                   : PuzzleReadResult::Unreadable;
    }
    if (!openFields(reader, puzzleFileName)) return PuzzleReadResult::Unreadable;
    return PuzzleReadResult::Read;
}

}  // namespace

PuzzleReadResult readPuzzleFile() {
    static FieldReader reader;  // keeps its block buffer between reads
    const PuzzleReadResult opened = openPuzzle(reader);
    if (opened != PuzzleReadResult::Read) return opened;
    readField(reader);
    if (reader.field != "LVL") {
        closeFields(reader);
        return PuzzleReadResult::NotAPuzzle;
    }
    pendingNumbers.clear();
    size_t filling = 0;
    bool beyondLastLevel = false;  // more "LVL" headers than a level set can hold
    while (readField(reader)) {
        const std::string& field = reader.field;
        Level* level = beyondLastLevel ? nullptr : &levels[filling];
        if (readRecord(field, level)) continue;
        if (field.size() == 1 && field != "0" && numberValue(field) == 0) {
            addPendingNumber(static_cast<unsigned char>(field[0]));
        } else if (field == "LVL") {
            if (levels.size() < static_cast<size_t>(kMaxLevels)) {
                levels.emplace_back();
                filling = levels.size() - 1;
            } else {
                beyondLastLevel = true;
            }
        } else if (!field.empty()) {
            addPendingNumber(numberValue(field));
            if (field == "END") break;
        }
    }
    storedChecksum = pendingNumbers.empty() ? 0 : static_cast<uint32_t>(pendingNumbers[0]);
    pendingNumbers.clear();
    closeFields(reader);
    return PuzzleReadResult::Read;
}

bool writePuzzleFile() {
    std::string out;
    size_t count = static_cast<size_t>(lastLevel) + 1;
    if (count > levels.size()) count = levels.size();
    for (size_t i = 0; i < count; ++i) {
        const Level& level = levels[i];
        putKeyword(out, "LVL");
        putCodeBytes(out, level.code);
        putKeyword(out, "code");
        const int points = level.lastPoint + 1;
        for (int t = 0; t < points && static_cast<size_t>(t) < level.points.size(); ++t) {
            putFloat(out, level.points[t].x);
            putFloat(out, level.points[t].y);
            putInt8(out, level.points[t].flag);
        }
        putKeyword(out, "points");
        // (lastSlot + 1) / 2 - 1: n for a generated path, -0.5 for the
        // all-zero path, which reads back as a path without segments.
        putDouble(out, (static_cast<int8_t>(level.paths.lastSlot) + 1) / 2.0 - 1.0);
        putKeyword(out, "paths");
        if (level.attractor.flag != 0) {
            putFloat(out, level.attractor.x);
            putFloat(out, level.attractor.y);
            putKeyword(out, "attractor");
        }
        putLineEnd(out);
    }
    putUInt32Line(out, storedChecksum);
    putKeyword(out, "END");
    return replaceFile(puzzleFileName, out);
}
