// Reading a puzzle file into the level set and writing the level set back.
#include "level/puzzle_file.h"

#include <string_view>

#include "geometry/path.h"
#include "level/level_set.h"
#include "level/pending_numbers.h"
#include "level/text_records.h"
#include "platform/files.h"

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

using RecordHandler = void (*)(Level&);

// The number rule for a non-empty field, quick for what the writer writes:
// an optional minus sign and decimal digits. Anything else goes the whole way.
int32_t plainNumberValue(std::string_view field) {
    size_t i = field[0] == '-' ? 1 : 0;
    uint32_t value = 0;  // wraps modulo 2^32 like the number rule
    for (; i < field.size(); ++i) {
        const unsigned digit = static_cast<unsigned char>(field[i]) - unsigned{'0'};
        if (digit > 9) return numberValue(field);
        value = value * 10u + digit;
    }
    return static_cast<int32_t>(field[0] == '-' ? 0u - value : value);
}

// The handler of a record keyword, or nullptr when the field is none. Most
// fields are numbers: the length and the first byte turn them away without
// comparing the whole text.
RecordHandler recordHandler(std::string_view field) {
    switch (field.size()) {
        case 4:
            return field[0] == 'c' && field == "code" ? readCode : nullptr;
        case 5:
            return field[0] == 'p' && field == "paths" ? readPaths : nullptr;
        case 6:
            return field[0] == 'p' && field == "points" ? readPoints : nullptr;
        case 9:
            return field[0] == 'a' && field == "attractor" ? readAttractor : nullptr;
        default:
            return nullptr;
    }
}

PuzzleReadResult openPuzzle(FieldReader& reader) {
    const FileProbe probe = probeFile(puzzleFileName);
    if (probe != FileProbe::Present) {
        return probe == FileProbe::Missing ? PuzzleReadResult::Missing
                                           : PuzzleReadResult::Unreadable;
    }
    if (!openFields(reader, puzzleFileName)) return PuzzleReadResult::Unreadable;
    return PuzzleReadResult::Read;
}

// Reads the open fields into the level set and closes them.
PuzzleReadResult readOpenedPuzzle(FieldReader& reader) {
    readField(reader);
    if (reader.field != "LVL") {
        closeFields(reader);
        return PuzzleReadResult::NotAPuzzle;
    }
    pendingNumbers.clear();
    size_t filling = 0;
    bool beyondLastLevel = false;  // more "LVL" headers than a level set can hold
    while (readFieldText(reader)) {
        const std::string_view field = reader.text;
        // Most fields are numbers as the writer writes them: a digit, or a
        // minus sign and more, first. No keyword starts so.
        if (!field.empty()) {
            const char first = field[0];
            if ((first >= '0' && first <= '9') || (first == '-' && field.size() > 1)) {
                addPendingNumber(plainNumberValue(field));
                continue;
            }
        }
        if (const RecordHandler handler = recordHandler(field)) {
            if (!beyondLastLevel) handler(levels[filling]);
            pendingNumbers.clear();
            continue;
        }
        // One byte that is not a digit: its number value is 0 (a lone "0"
        // is the number 0 itself), so the byte's code is taken instead.
        if (field.size() == 1 && (field[0] < '0' || field[0] > '9')) {
            addPendingNumber(static_cast<unsigned char>(field[0]));
        } else if (field.size() == 3 && field == "LVL") {
            if (levels.size() < static_cast<size_t>(kMaxLevels)) {
                levels.emplace_back();
                filling = levels.size() - 1;
            } else {
                beyondLastLevel = true;
            }
        } else if (!field.empty()) {
            const int32_t value = plainNumberValue(field);
            addPendingNumber(value);
            if (value == 0 && field == "END") break;
        }
    }
    storedChecksum = pendingNumbers.empty() ? 0 : static_cast<uint32_t>(pendingNumbers[0]);
    pendingNumbers.clear();
    closeFields(reader);
    return PuzzleReadResult::Read;
}

FieldReader puzzleReader;  // keeps its block buffer between reads

}  // namespace

PuzzleReadResult readPuzzleFile() {
    const PuzzleReadResult opened = openPuzzle(puzzleReader);
    if (opened != PuzzleReadResult::Read) return opened;
    return readOpenedPuzzle(puzzleReader);
}

PuzzleReadResult readPuzzleBytes(std::string_view bytes) {
    if (!openFieldsInMemory(puzzleReader, bytes)) return PuzzleReadResult::Unreadable;
    return readOpenedPuzzle(puzzleReader);
}

bool isPuzzleBytes(std::string_view bytes) {
    std::vector<Level> kept(1);
    kept.swap(levels);
    const uint32_t keptChecksum = storedChecksum;
    const bool puzzle = readPuzzleBytes(bytes) == PuzzleReadResult::Read;
    levels.swap(kept);
    storedChecksum = keptChecksum;
    return puzzle;
}

std::string puzzleFileBytes() {
    std::string out;
    size_t count = static_cast<size_t>(lastLevel) + 1;
    if (count > levels.size()) count = levels.size();
    for (size_t i = 0; i < count; ++i) {
        const Level& level = levels[i];
        putKeyword(out, "LVL");
        putCodeBytes(out, level.code);
        putKeyword(out, "code");
        const int points = levelPointCount(level);
        for (int t = 0; t < points; ++t) {
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
    return out;
}

bool writePuzzleFile() {
    return replaceFile(puzzleFileName, puzzleFileBytes());
}

bool writeNewPuzzleFile(const std::string& fileName, bool& exists) {
    return createFile(fileName, puzzleFileBytes(), exists);
}
