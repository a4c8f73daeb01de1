// The in-game menu: the level list with its pages and checksum colour, the
// four items, level picking and, in the editor, code typing.
#include "ui/menu.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "level/checksum.h"
#include "level/edit_history.h"
#include "level/level_set.h"
#include "level/puzzle_file.h"
#include "level/saved_game.h"
#include "platform/mouse_state.h"
#include "platform/page_flip.h"
#include "platform/platform.h"
#include "text/key_map.h"
#include "text/stroke_font.h"
#include "ui/menu_pointer.h"
#include "ui/row_pick.h"
#include "ui/ui_texts.h"

int16_t menuPage = 0;
bool authorView = false;
LastGoodPosition menuLastGood;

namespace {

constexpr int kListRows = 10;
constexpr int kPageRow = 11;
constexpr int kHelpRow = 12;
constexpr int kContinueRow = 13;
constexpr int kSaveRow = 14;
constexpr int kExitRow = 15;
constexpr uint8_t kMenuPerLine = 16;
constexpr uint8_t kListPerLine = 99;
constexpr int kGlyphWidth = 25;  // a glyph's advance in the stroke font
// No row has acted in the current press.
constexpr int8_t kNoRowActed = -1;

int lastListIndex() {
    return int(levelList.size()) - 1;
}

// The level behind list entry i, or nullptr when the entry names no level.
Level* listedLevel(int i) {
    if (i < 0 || i > lastListIndex()) return nullptr;
    const uint16_t index = levelList[size_t(i)];
    if (index >= levels.size()) return nullptr;
    return &levels[index];
}

// The author's view: each level row's level number (counted from 1) at the
// row's right end, since the list is in menu order, not level order.
void drawLevelNumbers(int first, int last) {
    const int saved = foreground();
    setForeground(kAuthorViewColour);
    for (int i = std::max(first, 0); i <= last; ++i) {
        if (listedLevel(i) == nullptr) continue;
        const std::string number = std::to_string(levelList[size_t(i)] + 1);
        const int x = kScreenWidth - 5 - kGlyphWidth * int(number.size());
        drawText(int16_t(x), int16_t(30 * (i % kListRows) + 25), number, kListPerLine);
    }
    setForeground(saved);
}

void drawLevelList() {
    setForeground(levelChecksum() == storedChecksum ? 1 : 0);
    clearPage();
    const int first = kListRows * menuPage;
    const int last = std::min(lastListIndex(), first + kListRows - 1);
    for (int i = std::max(first, 0); i <= last; ++i) {
        const Level* level = listedLevel(i);
        if (level == nullptr) continue;
        drawText(20, int16_t(30 * (i % kListRows) + 25), level->code, kListPerLine);
    }
    if (editorMode && authorView) drawLevelNumbers(first, last);
    setForeground(0);
}

void drawItems() {
    if (lastListIndex() > kListRows - 1) {
        const std::string page = std::string(kPageWord) + std::to_string(menuPage + 1);
        drawText(245, 355, page, kMenuPerLine);
        drawText(20, 355, "-", kMenuPerLine);
        drawText(620, 355, "+", kMenuPerLine);
    }
    drawText(20, 415, kContinueItem, kMenuPerLine);
    drawText(20, 385, editorMode ? kChecksumItem : kHelpItem, kMenuPerLine);
    drawText(20, 445, kSaveItem, kMenuPerLine);
    drawText(20, 475, kExitItem, kMenuPerLine);
}

void changePage() {
    const int lastPage = std::max(lastListIndex(), 0) / kListRows;
    int page = menuPage + (mouseX < 320 ? -1 : 1);
    if (page > lastPage) page = 0;
    if (page < 0) page = lastPage;
    menuPage = int16_t(page);
    waitForRelease();
}

// The code of the level under the pointer takes the key typed.
void editCode(const std::string& key) {
    if (mouseY < 0) return;
    const int r = mouseY / 30;
    if (r >= kListRows) return;
    const int i = kListRows * menuPage + r;
    Level* level = listedLevel(i);
    if (level == nullptr) return;
    std::string& code = level->code;
    const float barX = 25.0f * float(code.size()) + 20.0f;
    drawLine(barX, float(30 * r + 25), barX, float(30 * r), 2);
    // Undo and redo belong to the main loop; here they type nothing.
    if (key.empty() || isEditingKey(key)) return;
    // Each key typed is one undo step.
    historyBegin(StepKind::Code, levelList[size_t(i)]);
    if (key == kKeyBackspace && !code.empty()) {
        code.pop_back();
    } else {
        code.push_back(char(keyMap[uint8_t(key[0])]));
    }
    historyCommit();
}

}  // namespace

void runMenu() {
    menuLastGood = LastGoodPosition{};
    // A held press acts on each row it reaches, but a row that has just
    // acted does not act again while the press stays on it, leaves the
    // picture (failed readings) and comes back: it acts again once the press
    // has acted on another row, or after a good reading with no button down.
    // So a long click saves or reads the file once.
    int8_t actedRow = kNoRowActed;
    while (!programEnding()) {
        drawLevelList();
        drawItems();

        readMouseState(menuLastGood);
        const int8_t row = pickRow();

        WindowEvent event;
        if (popEvent(event) && event.type == kEventClose) {
            endProgram();
            return;
        }

        if (mouseFailed == 0 && mouseButtons == 0) actedRow = kNoRowActed;
        const bool newPick = row >= 0 && row != actedRow;
        switch (newPick ? row : kPickNothing) {
            case kExitRow:
                endProgram();
                return;
            case kContinueRow: {
                const SavedGameReadResult read = readSavedGame();
                reportSavedGameRead(read);
                // The game read is a new start: nothing before it is undone,
                // and the editor's recovery file keeps it. A saved game that
                // cannot be read changes nothing, the history included.
                if (read == SavedGameReadResult::Read) {
                    historyClear();
                    historyNoteUnrecordedChange();
                }
                actedRow = row;
                break;
            }
            case kSaveRow:
                if (editorMode) {
                    if (writePuzzleFile()) historyMarkSaved();
                } else {
                    writeSavedGame();
                }
                actedRow = row;
                break;
            case kHelpRow:
                if (editorMode) {
                    const uint32_t stored = storedChecksum;
                    storedChecksum = levelChecksum();
                    // No undo step, but the recovery file must keep it.
                    if (storedChecksum != stored) historyNoteUnrecordedChange();
                    actedRow = row;
                } else {
                    // The help page waits for this press to end.
                    showHelpPage();
                    if (programEnding()) return;
                }
                break;
            case kPageRow:
                changePage();  // likewise waits for the press to end
                break;
            default:
                break;
        }

        const std::string key = readKey();
        if (key == kKeyEscape) return;
        if (row == kPickRight) {
            rightLatch = kLatchSet;
            return;
        }
        if (newPick && row < kListRows) {
            const int i = kListRows * menuPage + row;
            if (listedLevel(i) != nullptr) {
                selectLevel(levelList[size_t(i)]);
                return;
            }
        }
        if (editorMode) editCode(key);

        flipPages();
    }
}
