// Level-internal: the bounded way the readers add to the pending numbers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "level/text_records.h"

// No record of either file format needs more than 65536 numbers (a full
// levellist); codes are the only open-ended record. Past this bound further
// numbers are dropped, so a hostile file cannot grow the list without limit.
constexpr size_t kMaxPendingNumbers = size_t{1} << 20;

// Appends n unless the list already holds kMaxPendingNumbers entries.
[[gnu::always_inline]] inline void addPendingNumber(int32_t n) {
    if (pendingNumbers.size() < kMaxPendingNumbers) pendingNumbers.push_back(n);
}
