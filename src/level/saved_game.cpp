// The saved game: its name beside the puzzle file, writing the player's
// progress and overlaying it on the level set.
#include "level/saved_game.h"

#include <algorithm>

#include "geometry/path.h"
#include "level/level_set.h"
#include "level/pending_numbers.h"
#include "level/text_records.h"
#include "platform/files.h"

std::string savedGameName(const std::string& puzzleName) {
    // Positions count from 1; 0 means "not found".
    const size_t length = puzzleName.size();
    const auto lastPos = [&](char c) -> size_t {
        const size_t at = puzzleName.rfind(c);
        return at == std::string::npos ? 0 : at + 1;
    };
    const size_t s = std::max(lastPos('\\'), lastPos('/'));
    const size_t quote = lastPos('"');
    const size_t q = quote == 0 ? length + 1 : quote;
    const size_t d = lastPos('.');
    const size_t kept = d > s ? d - 1 : q - 1;
    return puzzleName.substr(0, kept) + ".zap" + puzzleName.substr(q - 1);
}

bool writeSavedGame() {
    std::string out;
    putKeyword(out, "SAVEDGAME");
    for (uint16_t entry : levelList) putUInt16(out, entry);
    putKeyword(out, "levellist");
    for (const Level& level : levels) {
        putKeyword(out, "LVL");
        putCodeBytes(out, level.code);
        putKeyword(out, "code");
        putInt8(out, static_cast<int8_t>(level.solved));
        putKeyword(out, "solved");
        const int slots = usedSlots(level.paths);
        for (int t = 0; t < slots; ++t) {
            putFloat(out, level.paths.slots[t].x);
            putFloat(out, level.paths.slots[t].y);
        }
        putKeyword(out, "paths");
        if (level.attractor.flag != 0) {
            putFloat(out, level.attractor.x);
            putFloat(out, level.attractor.y);
            putKeyword(out, "attractor");
        }
    }
    putKeyword(out, "END");
    return replaceFile(savedGameName(puzzleFileName), out);
}

namespace {

// Entries naming levels that do not exist are dropped; a list left empty is
// not taken, so the menu always has a level to offer.
void readLevelList() {
    std::vector<uint16_t> list;
    for (int32_t n : pendingNumbers) {
        const uint16_t entry = static_cast<uint16_t>(static_cast<uint32_t>(n) & 0xffff);
        if (entry < levels.size() && list.size() < static_cast<size_t>(kMaxLevels)) {
            list.push_back(entry);
        }
    }
    if (!list.empty()) levelList = std::move(list);
}

void readSolved(Level& level) {
    if (pendingNumbers.empty()) return;
    level.solved = static_cast<uint8_t>(static_cast<uint32_t>(pendingNumbers[0]) & 0xff);
}

// Two numbers per slot; an odd count or more than 51 slots is skipped. No
// numbers give kNoSlot.
void readPaths(Level& level) {
    const size_t c = pendingNumbers.size();
    if (c % 2 != 0 || c / 2 > static_cast<size_t>(kPathSlots)) return;
    const int slots = static_cast<int>(c / 2);
    level.paths.lastSlot = slots == 0 ? kNoSlot : static_cast<uint8_t>(slots - 1);
    for (int t = 0; t < kPathSlots; ++t) {
        Vector& slot = level.paths.slots[t];  // flags keep their values
        slot.x = t < slots ? static_cast<float>(pendingNumbers[2 * t]) : 0.0f;
        slot.y = t < slots ? static_cast<float>(pendingNumbers[2 * t + 1]) : 0.0f;
    }
}

void readCode(Level& level) {
    level.code = codeFromPending();
}

// Handles a record keyword for the level the counter names (-1 before the
// first "LVL"); records naming no level are skipped. False for other fields.
bool readRecord(const std::string& field, long counter) {
    void (*handler)(Level&) = nullptr;
    if (field == "levellist") {
        readLevelList();
    } else if (field == "paths") {
        handler = readPaths;
    } else if (field == "code") {
        handler = readCode;
    } else if (field == "solved") {
        handler = readSolved;
    } else if (field == "attractor") {
        handler = readAttractor;
    } else {
        return false;
    }
    if (handler != nullptr && counter >= 0 && static_cast<size_t>(counter) < levels.size()) {
        handler(levels[static_cast<size_t>(counter)]);
    }
    pendingNumbers.clear();
    return true;
}

}  // namespace

SavedGameReadResult readSavedGame() {
    static FieldReader reader;  // keeps its block buffer between reads
    const std::string name = savedGameName(puzzleFileName);
    const FileProbe probe = probeFile(name);
    if (probe != FileProbe::Present) {
        return probe == FileProbe::Missing ? SavedGameReadResult::Missing
                                           : SavedGameReadResult::Unreadable;
    }
    if (!openFields(reader, name)) return SavedGameReadResult::Unreadable;
    readField(reader);
    if (reader.field != "SAVEDGAME") {
        closeFields(reader);
        return SavedGameReadResult::NotASavedGame;
    }
    pendingNumbers.clear();
    long counter = -1;
    while (readField(reader)) {
        const std::string& field = reader.field;
        if (readRecord(field, counter)) continue;
        if (field == "LVL") {
            // Stops counting once past the level set: such records are skipped.
            if (counter < static_cast<long>(levels.size())) ++counter;
        } else if (!field.empty()) {
            addPendingNumber(numberValue(field));
            if (field == "END") break;
        }
    }
    pendingNumbers.clear();
    closeFields(reader);
    return SavedGameReadResult::Read;
}
