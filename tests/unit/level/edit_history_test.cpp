// The undo history's memory cap on a worst-case puzzle: thousands of the
// largest steps keep it under its cap, the oldest steps are the ones dropped,
// and what is kept still undoes step by step to the states it recorded.
#include "level/edit_history.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <vector>

#include "level/editor_ops.h"
#include "level/level_set.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPlainHeap = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPlainHeap = false;
#else
constexpr bool kPlainHeap = true;
#endif
#else
constexpr bool kPlainHeap = true;
#endif

// What the steps below change, in a few numbers.
struct Fingerprint {
    size_t levelCount;
    uint16_t lastLevel, currentLevel, listFront, listBack;
    int16_t lastPointOfLast, lastPointOfFirst;
    uint8_t lastSlotOfFirst;
    float firstKnotX;
    bool operator==(const Fingerprint&) const = default;
};

Fingerprint fingerprint() {
    return {levels.size(),
            lastLevel,
            currentLevel,
            levelList.front(),
            levelList.back(),
            levels.back().lastPoint,
            levels[0].lastPoint,
            levels[0].paths.lastSlot,
            levels[0].paths.slots[0].x};
}

size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void fillWithPoints(Level& level) {
    level.setPointCount(kMaxPoints);
    for (int i = 0; i < kMaxPoints; ++i) level.points[size_t(i)] = Vector{100.0f, 100.0f, 97};
}

TEST(EditHistory, WorstCasePuzzleStaysUnderTheCapAndKeepsTheNewestSteps) {
    editorMode = true;
    resetLevelSet();
    // 30 000 levels (each Levels step keeps two 60 kB level lists), the
    // first and the last with 501 points.
    levels.resize(30000);
    lastLevel = uint16_t(levels.size() - 1);
    rebuildLevelList();
    fillWithPoints(levels.front());
    fillWithPoints(levels.back());
    historyClear();
    historyMarkSaved();
    EXPECT_FALSE(historyChangedSinceSave());

    const size_t heapBefore = heapInUse();
    std::vector<Fingerprint> states{fingerprint()};
    size_t largestStep = 0;
    for (int round = 0; round < 1500; ++round) {
        // The last level, 501 points, removed and appended again.
        size_t held = historyBytes();
        historyBegin(StepKind::Levels, currentLevel);
        editorRemoveLastLevel();
        historyCommit();
        states.push_back(fingerprint());
        largestStep = std::max(largestStep, historyBytes() - std::min(held, historyBytes()));

        historyBegin(StepKind::Levels, currentLevel);
        editorAppendLevel();
        fillWithPoints(levels.back());
        historyCommit();
        states.push_back(fingerprint());

        // Level 0: every point deleted at once, then one added back; a new path.
        // Page Down to level 0 is no step: the state before the next step
        // is the one undo brings back.
        selectLevel(0);
        states.back() = fingerprint();
        historyBegin(StepKind::Points, 0);
        editorDeleteAt(100, 100);
        historyCommit();
        states.push_back(fingerprint());
        historyBegin(StepKind::Points, 0);
        for (int i = 0; i < kMaxPoints; ++i) editorAddPoint(100, 100, 97);
        historyCommit();
        states.push_back(fingerprint());
        historyBegin(StepKind::Shape, 0);
        editorNewPath(1 + round % 9);
        historyCommit();
        states.push_back(fingerprint());

        ASSERT_LE(historyBytes(), kHistoryCapBytes) << "round " << round;
    }
    EXPECT_GT(largestStep, size_t(100000));  // the lists are counted
    // The cap is the memory the history really holds (the heap also holds
    // the level set, grown by one level's worth at most).
    if (kPlainHeap) {
        const size_t heapAfter = heapInUse();
        EXPECT_LT(heapAfter, heapBefore + kHistoryCapBytes + (4u << 20));
    }
    EXPECT_EQ(historyRedoCount(), 0u);
    const size_t kept = historyUndoCount();
    EXPECT_GT(kept, 100u);
    EXPECT_LT(kept, states.size() - 1);  // the oldest were dropped

    // Undo walks back through the recorded states, newest first, and stops
    // where the kept history begins.
    for (size_t k = 1; k <= kept; ++k) {
        ASSERT_TRUE(historyUndo()) << k;
        ASSERT_EQ(fingerprint(), states[states.size() - 1 - k]) << "undo " << k;
    }
    EXPECT_FALSE(historyUndo());
    EXPECT_EQ(fingerprint(), states[states.size() - 1 - kept]);
    EXPECT_TRUE(historyChangedSinceSave());
    // And redo walks forward again to the last state.
    for (size_t k = 0; k < kept; ++k) ASSERT_TRUE(historyRedo());
    EXPECT_FALSE(historyRedo());
    EXPECT_EQ(fingerprint(), states.back());

    historyClear();
    resetLevelSet();
}

TEST(EditHistory, OnePointAddedCostsLittleAndADragSplitsAroundOtherSteps) {
    editorMode = true;
    resetLevelSet();
    fillWithPoints(levels[0]);
    levels[0].setPointCount(500);
    historyClear();
    historyMarkSaved();
    const size_t empty = historyBytes();
    historyBegin(StepKind::Points, 0);
    editorAddPoint(7, 8, 98);
    historyCommit();
    EXPECT_LT(historyBytes() - empty, size_t(1024));  // not two copies of 500 points

    // A drag with a new path in the middle of it: undo takes the drag's end,
    // then the new path, then the drag's beginning.
    const Path before = levels[0].paths;
    historyBeginDrag();
    levels[0].paths.slots[0].x = 11.0f;
    historyBegin(StepKind::Shape, 0);
    editorNewPath(3);
    historyCommit();
    const Path generated = levels[0].paths;
    levels[0].paths.slots[0].x = 22.0f;
    EXPECT_FALSE(historyUndo());  // not while the drag goes on
    historyEndDrag();

    ASSERT_TRUE(historyUndo());
    EXPECT_EQ(levels[0].paths.slots[0].x, generated.slots[0].x);
    ASSERT_TRUE(historyUndo());
    EXPECT_EQ(levels[0].paths.slots[0].x, 11.0f);
    ASSERT_TRUE(historyUndo());
    EXPECT_EQ(levels[0].paths.slots[0].x, before.slots[0].x);
    ASSERT_TRUE(historyUndo());  // the point
    EXPECT_EQ(levels[0].lastPoint, 499);
    EXPECT_FALSE(historyChangedSinceSave());
    EXPECT_FALSE(historyUndo());

    historyClear();
    resetLevelSet();
}

}  // namespace
