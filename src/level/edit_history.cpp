// The undo history: steps stored as what they changed, undo and redo, the
// memory cap and the saved mark.
#include "level/edit_history.h"

#include <bit>
#include <deque>
#include <memory>
#include <string>
#include <variant>
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

// Shape: the level's path and attractor before and after, kept off the step
// so that the other kinds stay small.
struct ShapeChange {
    std::unique_ptr<Shape[]> shapes;  // before, after
};

// Points: the level's points and attractor either side. When the step added
// one point and changed nothing else, after.points holds that point alone
// and before.points is let go.
struct PointsChange {
    PointSet before, after;
    bool onePointAdded = false;
};

// Code: the level's code either side.
struct CodeChange {
    std::string before, after;
};

// Levels: the set's size, levelList and lastLevel either side, and the level
// appended (after) or removed (before).
struct LevelsChange {
    size_t countBefore = 0;
    size_t countAfter = 0;
    std::vector<uint16_t> listBefore, listAfter;
    uint16_t lastLevelBefore = 0;
    uint16_t lastLevelAfter = 0;
    std::unique_ptr<Level> movedLevel;
};

// One alternative per StepKind, in its order.
using Change = std::variant<ShapeChange, PointsChange, CodeChange, LevelsChange>;

struct Step {
    uint64_t id = 0;     // unique for the run; names the state after the step
    uint16_t level = 0;  // the level changed (Shape, Points, Code)
    uint16_t currentBefore = 0;
    uint16_t currentAfter = 0;
    Change change;
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

size_t changeBytes(const ShapeChange& c) {
    return c.shapes ? 2 * sizeof(Shape) : 0;
}

size_t changeBytes(const PointsChange& c) {
    return (c.before.points.capacity() + c.after.points.capacity()) * sizeof(Vector);
}

size_t changeBytes(const CodeChange& c) {
    return stringBytes(c.before) + stringBytes(c.after);
}

size_t changeBytes(const LevelsChange& c) {
    return (c.listBefore.capacity() + c.listAfter.capacity()) * sizeof(uint16_t) +
           (c.movedLevel ? levelBytes(*c.movedLevel) : 0);
}

size_t stepBytes(const Step& s) {
    return sizeof(Step) + std::visit([](const auto& c) { return changeBytes(c); }, s.change);
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

// Finishing the pending step against the level set as it is now: false when
// it changed nothing. A step on a level that is gone changed nothing.
bool finish(LevelsChange& c, uint16_t) {
    c.countAfter = levels.size();
    c.lastLevelAfter = lastLevel;
    // historyBegin kept the last level, which a removal takes away.
    if (c.countAfter == c.countBefore + 1) {
        c.movedLevel = std::make_unique<Level>(levels.back());
    } else if (c.countAfter + 1 != c.countBefore) {
        return false;  // neither appended nor removed
    }
    c.listAfter = levelList;
    return true;
}

bool finish(ShapeChange& c, uint16_t index) {
    if (index >= levels.size()) return false;
    c.shapes[1] = shapeOf(levels[index]);
    return !samePath(c.shapes[0].path, c.shapes[1].path) ||
           !sameVector(c.shapes[0].attractor, c.shapes[1].attractor);
}

bool finish(PointsChange& c, uint16_t index) {
    if (index >= levels.size()) return false;
    const Level& level = levels[index];
    PointSet& before = c.before;
    const size_t n = before.points.size();
    if (!sameVector(before.attractor, level.attractor)) {
        c.after = pointsOf(level);
        return true;
    }
    if (level.lastPoint == before.lastPoint && level.points.size() == n &&
        sameVectors(before.points, level.points, n)) {
        return false;
    }
    if (level.lastPoint == before.lastPoint + 1 && level.points.size() == n + 1 &&
        sameVectors(before.points, level.points, n)) {
        // Only the added point is kept: a level of 500 points grows by 12
        // bytes, not by two copies of it.
        c.onePointAdded = true;
        c.after.points.assign(1, level.points.back());
        c.after.lastPoint = level.lastPoint;
        c.after.attractor = level.attractor;
        before.points.clear();
        before.points.shrink_to_fit();
        return true;
    }
    c.after = pointsOf(level);
    return true;
}

bool finish(CodeChange& c, uint16_t index) {
    if (index >= levels.size()) return false;
    c.after = levels[index].code;
    return c.after != c.before;
}

bool finish(Step& s) {
    s.currentAfter = currentLevel;
    return std::visit([&](auto& c) { return finish(c, s.level); }, s.change);
}

// Bringing the level set to the state before (undo) or after the step.
void apply(const LevelsChange& c, const Step& s, bool undo) {
    const bool appended = c.countAfter > c.countBefore;
    if (appended == undo) {
        levels.pop_back();
    } else {
        levels.push_back(*c.movedLevel);
    }
    lastLevel = undo ? c.lastLevelBefore : c.lastLevelAfter;
    levelList = undo ? c.listBefore : c.listAfter;
    currentLevel = undo ? s.currentBefore : s.currentAfter;
}

void apply(const ShapeChange& c, Level& level, bool undo) {
    const Shape& shape = c.shapes[undo ? 0 : 1];
    level.paths = shape.path;
    level.attractor = shape.attractor;
}

void apply(const PointsChange& c, Level& level, bool undo) {
    if (c.onePointAdded) {
        if (undo) {
            level.points.pop_back();
        } else {
            level.points.push_back(c.after.points[0]);
        }
        level.lastPoint = undo ? c.before.lastPoint : c.after.lastPoint;
    } else {
        const PointSet& set = undo ? c.before : c.after;
        level.points = set.points;
        level.lastPoint = set.lastPoint;
        level.attractor = set.attractor;
    }
}

void apply(const CodeChange& c, Level& level, bool undo) {
    level.code = undo ? c.before : c.after;
}

void apply(const LevelsChange&, Level&, bool) {}  // applied whole, by apply(Step)

void apply(const Step& s, bool undo) {
    if (const auto* levelsChange = std::get_if<LevelsChange>(&s.change)) {
        apply(*levelsChange, s, undo);
        return;
    }
    if (s.level < levels.size()) {
        Level& level = levels[s.level];
        std::visit([&](const auto& c) { apply(c, level, undo); }, s.change);
    }
    // The level the step was taken on comes back on screen, as Page Up and
    // Page Down (or the menu) would bring it.
    const uint16_t current = undo ? s.currentBefore : s.currentAfter;
    if (current != currentLevel) selectLevel(current);
}

// True when the step can still be applied to the level set as it is: its
// level exists, and a Levels step finds the set at the size it left it.
bool applicable(const Step& s, bool undo) {
    if (const auto* c = std::get_if<LevelsChange>(&s.change)) {
        return levels.size() == (undo ? c->countAfter : c->countBefore);
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

// What a step of this kind on level `level` may change, as it stands now
// (nothing for a level that does not exist).
Change changeBefore(StepKind kind, uint16_t level) {
    if (kind == StepKind::Levels) {
        LevelsChange c;
        c.countBefore = levels.size();
        c.listBefore = levelList;
        c.lastLevelBefore = lastLevel;
        c.movedLevel = std::make_unique<Level>(levels.back());
        return c;
    }
    const Level* l = level < levels.size() ? &levels[level] : nullptr;
    if (kind == StepKind::Points) {
        PointsChange c;
        if (l != nullptr) c.before = pointsOf(*l);
        return c;
    }
    if (kind == StepKind::Code) return CodeChange{l != nullptr ? l->code : std::string(), {}};
    ShapeChange c;
    if (l != nullptr) {
        c.shapes = std::make_unique<Shape[]>(2);
        c.shapes[0] = shapeOf(*l);
    }
    return c;
}

void historyBegin(StepKind kind, uint16_t level) {
    if (dragOpen) {
        historyEndDrag();
        resumeDrag = true;
    }
    pending = Step();
    pendingOpen = true;
    pending.level = level;
    pending.currentBefore = currentLevel;
    pending.change = changeBefore(kind, level);
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
    drag.level = currentLevel;
    drag.currentBefore = currentLevel;
    drag.change = changeBefore(StepKind::Shape, currentLevel);
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
