// The undo history: steps stored as what they changed, undo and redo, the
// memory cap and the saved mark.
#include "level/edit_history.h"

#include <bit>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "level/level_set.h"

namespace {

// One level's path and attractor.
struct Shape {
    Path path;
    Vector attractor;
};

// One level's points and attractor.
struct PointSet {
    std::vector<Vector> points;
    int16_t lastPoint = -1;
    Vector attractor;
};

struct Step {
    uint64_t id = 0;  // unique for the run; names the state after the step
    StepKind kind = StepKind::Shape;
    // Points: the step added one point and changed nothing else; after.points
    // then holds that point alone.
    bool onePointAdded = false;
    uint16_t level = 0;  // the level changed (Shape, Points, Code)
    uint16_t currentBefore = 0;
    uint16_t currentAfter = 0;
    std::unique_ptr<Shape[]> shapes;  // Shape: before, after
    PointSet pointsBefore, pointsAfter;
    std::string codeBefore, codeAfter;
    // Levels: the set's size, levelList and lastLevel either side, and the
    // level appended (after) or removed (before).
    size_t countBefore = 0;
    size_t countAfter = 0;
    std::vector<uint16_t> listBefore, listAfter;
    uint16_t lastLevelBefore = 0;
    uint16_t lastLevelAfter = 0;
    std::unique_ptr<Level> movedLevel;
};

// steps[0..done) can be undone, steps[done..) redone; the oldest first.
std::deque<Step> steps;
size_t done = 0;
size_t bytesHeld = 0;  // the memory of every step in steps
uint64_t lastId = 0;   // the last id handed out
uint64_t baseId = 0;   // names the state before steps[0]
uint64_t savedId = 0;  // names the state last saved
bool unrecorded = false;

Step pending;  // the step between historyBegin and historyCommit
bool pendingOpen = false;
bool resumeDrag = false;  // a drag was split by the pending step
Step drag;                // the drag under way
bool dragOpen = false;

bool sameFloat(float a, float b) {
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

bool sameVector(const Vector& a, const Vector& b) {
    return sameFloat(a.x, b.x) && sameFloat(a.y, b.y) && a.flag == b.flag;
}

bool samePath(const Path& a, const Path& b) {
    if (a.lastSlot != b.lastSlot) return false;
    for (int k = 0; k < kPathSlots; ++k) {
        if (!sameVector(a.slots[k], b.slots[k])) return false;
    }
    return true;
}

bool sameVectors(const std::vector<Vector>& a, const std::vector<Vector>& b, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (!sameVector(a[i], b[i])) return false;
    }
    return true;
}

size_t stringBytes(const std::string& s) {
    // Short strings live inside the object.
    return s.capacity() > 15 ? s.capacity() + 1 : 0;
}

size_t levelBytes(const Level& level) {
    return sizeof(Level) + level.points.capacity() * sizeof(Vector) + stringBytes(level.code) +
           stringBytes(level.baseCode);
}

size_t stepBytes(const Step& s) {
    size_t bytes = sizeof(Step);
    if (s.shapes) bytes += 2 * sizeof(Shape);
    bytes += (s.pointsBefore.points.capacity() + s.pointsAfter.points.capacity()) * sizeof(Vector);
    bytes += stringBytes(s.codeBefore) + stringBytes(s.codeAfter);
    bytes += (s.listBefore.capacity() + s.listAfter.capacity()) * sizeof(uint16_t);
    if (s.movedLevel) bytes += levelBytes(*s.movedLevel);
    return bytes;
}

Shape shapeOf(const Level& level) {
    return {level.paths, level.attractor};
}

PointSet pointsOf(const Level& level) {
    return {level.points, level.lastPoint, level.attractor};
}

uint64_t stateId() {
    return done > 0 ? steps[done - 1].id : baseId;
}

void dropOldest() {
    bytesHeld -= stepBytes(steps.front());
    baseId = steps.front().id;
    steps.pop_front();
    --done;
}

void push(Step&& s) {
    while (steps.size() > done) {
        bytesHeld -= stepBytes(steps.back());
        steps.pop_back();
    }
    s.id = ++lastId;
    bytesHeld += stepBytes(s);
    steps.push_back(std::move(s));
    ++done;
    while (bytesHeld > kHistoryCapBytes && steps.size() > 1) dropOldest();
}

// Finishes the pending step against the level set as it is now; false when
// it changed nothing.
bool finish(Step& s) {
    s.currentAfter = currentLevel;
    if (s.kind == StepKind::Levels) {
        s.countAfter = levels.size();
        s.lastLevelAfter = lastLevel;
        // historyBegin kept the last level, which a removal takes away.
        if (s.countAfter == s.countBefore + 1) {
            s.movedLevel = std::make_unique<Level>(levels.back());
        } else if (s.countAfter + 1 != s.countBefore) {
            return false;  // neither appended nor removed
        }
        s.listAfter = levelList;
        return true;
    }
    if (s.level >= levels.size()) return false;
    const Level& level = levels[s.level];
    switch (s.kind) {
        case StepKind::Shape:
            s.shapes[1] = shapeOf(level);
            return !samePath(s.shapes[0].path, s.shapes[1].path) ||
                   !sameVector(s.shapes[0].attractor, s.shapes[1].attractor);
        case StepKind::Points: {
            PointSet& before = s.pointsBefore;
            const size_t n = before.points.size();
            if (!sameVector(before.attractor, level.attractor)) {
                s.pointsAfter = pointsOf(level);
                return true;
            }
            if (level.lastPoint == before.lastPoint && level.points.size() == n &&
                sameVectors(before.points, level.points, n)) {
                return false;
            }
            if (level.lastPoint == before.lastPoint + 1 && level.points.size() == n + 1 &&
                sameVectors(before.points, level.points, n)) {
                // Only the added point is kept: a level of 500 points grows
                // by 12 bytes, not by two copies of it.
                s.onePointAdded = true;
                s.pointsAfter.points.assign(1, level.points.back());
                s.pointsAfter.lastPoint = level.lastPoint;
                s.pointsAfter.attractor = level.attractor;
                before.points.clear();
                before.points.shrink_to_fit();
                return true;
            }
            s.pointsAfter = pointsOf(level);
            return true;
        }
        case StepKind::Code:
            s.codeAfter = level.code;
            return s.codeAfter != s.codeBefore;
        case StepKind::Levels:
            break;
    }
    return false;
}

// Brings the level set to the state before (undo) or after the step.
void apply(Step& s, bool undo) {
    if (s.kind == StepKind::Levels) {
        const bool appended = s.countAfter > s.countBefore;
        if (appended == undo) {
            levels.pop_back();
        } else {
            levels.push_back(*s.movedLevel);
        }
        lastLevel = undo ? s.lastLevelBefore : s.lastLevelAfter;
        levelList = undo ? s.listBefore : s.listAfter;
        currentLevel = undo ? s.currentBefore : s.currentAfter;
        return;
    }
    if (s.level < levels.size()) {
        Level& level = levels[s.level];
        switch (s.kind) {
            case StepKind::Shape: {
                const Shape& shape = s.shapes[undo ? 0 : 1];
                level.paths = shape.path;
                level.attractor = shape.attractor;
                break;
            }
            case StepKind::Points:
                if (s.onePointAdded) {
                    if (undo) {
                        level.points.pop_back();
                    } else {
                        level.points.push_back(s.pointsAfter.points[0]);
                    }
                    level.lastPoint = undo ? s.pointsBefore.lastPoint : s.pointsAfter.lastPoint;
                } else {
                    const PointSet& set = undo ? s.pointsBefore : s.pointsAfter;
                    level.points = set.points;
                    level.lastPoint = set.lastPoint;
                    level.attractor = set.attractor;
                }
                break;
            case StepKind::Code:
                level.code = undo ? s.codeBefore : s.codeAfter;
                break;
            case StepKind::Levels:
                break;
        }
    }
    // The level the step was taken on comes back on screen, as Page Up and
    // Page Down (or the menu) would bring it.
    const uint16_t current = undo ? s.currentBefore : s.currentAfter;
    if (current != currentLevel) selectLevel(current);
}

// True when the step can still be applied to the level set as it is: its
// level exists, and a Levels step finds the set at the size it left it.
bool applicable(const Step& s, bool undo) {
    if (s.kind == StepKind::Levels) {
        return levels.size() == (undo ? s.countAfter : s.countBefore);
    }
    const size_t current = undo ? s.currentBefore : s.currentAfter;
    return s.level < levels.size() && current < levels.size();
}

}  // namespace

void historyClear() {
    const bool changed = historyChangedSinceSave();
    steps.clear();
    done = 0;
    bytesHeld = 0;
    pendingOpen = false;
    resumeDrag = false;
    dragOpen = false;
    pending = Step();
    drag = Step();
    baseId = ++lastId;
    savedId = baseId;
    unrecorded = changed;
}

void historyBegin(StepKind kind, uint16_t level) {
    if (dragOpen) {
        historyEndDrag();
        resumeDrag = true;
    }
    pending = Step();
    pendingOpen = true;
    pending.kind = kind;
    pending.level = level;
    pending.currentBefore = currentLevel;
    if (kind == StepKind::Levels) {
        pending.countBefore = levels.size();
        pending.listBefore = levelList;
        pending.lastLevelBefore = lastLevel;
        pending.movedLevel = std::make_unique<Level>(levels.back());
        return;
    }
    if (level >= levels.size()) return;
    const Level& l = levels[level];
    switch (kind) {
        case StepKind::Shape:
            pending.shapes = std::make_unique<Shape[]>(2);
            pending.shapes[0] = shapeOf(l);
            break;
        case StepKind::Points:
            pending.pointsBefore = pointsOf(l);
            break;
        case StepKind::Code:
            pending.codeBefore = l.code;
            break;
        case StepKind::Levels:
            break;
    }
}

void historyCommit() {
    if (!pendingOpen) return;
    pendingOpen = false;
    if (finish(pending)) push(std::move(pending));
    pending = Step();
    if (resumeDrag) {
        resumeDrag = false;
        historyBeginDrag();
    }
}

void historyBeginDrag() {
    drag = Step();
    dragOpen = true;
    drag.kind = StepKind::Shape;
    drag.level = currentLevel;
    drag.currentBefore = currentLevel;
    drag.shapes = std::make_unique<Shape[]>(2);
    drag.shapes[0] = shapeOf(thisLevel());
}

void historyEndDrag() {
    if (!dragOpen) return;
    dragOpen = false;
    if (finish(drag)) push(std::move(drag));
    drag = Step();
}

bool historyDragging() {
    return dragOpen;
}

bool historyUndo() {
    if (dragOpen || pendingOpen || done == 0) return false;
    Step& s = steps[done - 1];
    if (!applicable(s, true)) return false;
    apply(s, true);
    --done;
    return true;
}

bool historyRedo() {
    if (dragOpen || pendingOpen || done == steps.size()) return false;
    Step& s = steps[done];
    if (!applicable(s, false)) return false;
    apply(s, false);
    ++done;
    return true;
}

void historyMarkSaved() {
    savedId = stateId();
    unrecorded = false;
}

void historyNoteUnrecordedChange() {
    unrecorded = true;
}

bool historyChangedSinceSave() {
    return unrecorded || stateId() != savedId;
}

size_t historyUndoCount() {
    return done;
}

size_t historyRedoCount() {
    return steps.size() - done;
}

size_t historyBytes() {
    return bytesHeld;
}
