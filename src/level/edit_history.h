// The undo history: the steps the player or author took, each stored as what
// it changed (one level's path and attractor, one level's points, one code,
// or a level appended or removed), so that undo and redo can put the level
// set back either way. Also remembers whether the puzzle changed since it was
// last saved, for the editor's recovery file.
#pragma once

#include <cstddef>
#include <cstdint>

// What one step changes.
enum class StepKind : uint8_t {
    Shape,   // one level's path and attractor (a drag, "*", a new path)
    Points,  // one level's points and attractor (a point added, "0")
    Code,    // one level's code (typed in the editor's menu)
    Levels,  // the number of levels (a level appended or removed)
};

// The history's memory is kept under this many bytes; the oldest steps go first.
constexpr size_t kHistoryCapBytes = 32u << 20;

// Forgets every step, any drag under way and the saved mark: the state now
// counts as saved.
void historyClear();

// Notes the part of level `level` that a step of this kind is about to change.
// historyCommit then records the step if that part changed. A Levels step
// notes the whole list of levels' count, levelList and currentLevel.
void historyBegin(StepKind kind, uint16_t level);
void historyCommit();

// A drag: notes the current level's path and attractor as the press grabs
// something; historyEndDrag records the step when the release (or anything
// else) ends the grab. Steps committed during a drag split it in two.
void historyBeginDrag();
void historyEndDrag();
bool historyDragging();

// Undoes or redoes one step; false when there is none (or a drag is under way).
bool historyUndo();
bool historyRedo();

// The puzzle as it stands was written: it counts as saved.
void historyMarkSaved();
// A change that no step records (a flight's code in the editor, a saved game
// read by the menu).
void historyNoteUnrecordedChange();
// True when the level set differs from the last save by a step, an undo or
// redo, or an unrecorded change.
bool historyChangedSinceSave();

// For tests: steps that can be undone, steps that can be redone, and the
// bytes the history holds.
size_t historyUndoCount();
size_t historyRedoCount();
size_t historyBytes();
