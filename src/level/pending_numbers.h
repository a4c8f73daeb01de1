// Level-internal: what both file readers do with the pending numbers: add
// to them, boundedly, and take an attractor from them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "level/level_set.h"
#include "level/text_records.h"

// No record of either file format needs more than 65536 numbers (a full
// levellist); codes are the only open-ended record. Past this bound further
// numbers are dropped, so a hostile file cannot grow the list without limit.
constexpr size_t kMaxPendingNumbers = size_t{1} << 20;

// Appends n unless the list already holds kMaxPendingNumbers entries.
[[gnu::always_inline]] inline void addPendingNumber(int32_t n) {
    if (pendingNumbers.size() < kMaxPendingNumbers) pendingNumbers.push_back(n);
}

// An "attractor" record: x and y; fewer numbers leave the level as it was.
inline void readAttractor(Level& level) {
    if (pendingNumbers.size() < 2) return;
    level.attractor.x = static_cast<float>(pendingNumbers[0]);
    level.attractor.y = static_cast<float>(pendingNumbers[1]);
    level.attractor.flag = -1;
}
