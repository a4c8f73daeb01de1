// The puzzle file chooser: the working directory's ".zag" files, thirteen to
// a page, picked with the mouse.
#include "ui/chooser.h"

#include <algorithm>
#include <string>
#include <vector>

#include "level/level_set.h"
#include "platform/cp1251.h"
#include "platform/mouse_state.h"
#include "platform/page_flip.h"
#include "platform/platform.h"
#include "text/stroke_font.h"
#include "ui/row_pick.h"
#include "ui/ui_texts.h"

int16_t chooserPage = 0;

namespace {

constexpr int kNamesPerPage = 13;
constexpr int kPageRow = 14;
constexpr int kExitRow = 15;
// More names than pages can count are left out.
constexpr size_t kMaxNames = 65536;

std::vector<std::string> listPuzzleFiles() {
    std::vector<std::string> names;
    names.push_back(listFirstPuzzleFile());
    if (names[0].empty()) return names;
    while (names.size() < kMaxNames) {
        std::string next = listNextPuzzleFile();
        if (next.empty()) break;
        names.push_back(std::move(next));
    }
    return names;
}

// The name as listed: without its last four characters (".zag").
std::string shownName(const std::string& name) {
    if (name.size() < 4) return {};
    return displayFileName(std::string_view(name).substr(0, name.size() - 4));
}

void drawChooserPage(const std::vector<std::string>& names) {
    clearPage();
    const int lastIndex = int(names.size()) - 1;
    const int first = kNamesPerPage * chooserPage;
    const int last = std::min(lastIndex, first + kNamesPerPage - 1);
    for (int i = std::max(first, 0); i <= last; ++i) {
        drawText(20, int16_t(30 * (i % kNamesPerPage) + 25), shownName(names[size_t(i)]), 99);
    }
    if (lastIndex > kNamesPerPage - 1) {
        const std::string page = std::string(kPageWord) + std::to_string(chooserPage + 1);
        drawText(245, 445, page, 16);
        drawText(20, 445, "-", 16);
        drawText(620, 445, "+", 16);
    }
    drawText(20, 475, kExitItem, 16);
}

}  // namespace

void chooseFile() {
    std::vector<std::string> names = listPuzzleFiles();
    if (names.size() == 1) {
        puzzleFileName = names[0];
        return;
    }

    const int lastIndex = int(names.size()) - 1;
    LastGoodPosition lastGood;
    while (!programEnding()) {
        drawChooserPage(names);

        readMouseState(lastGood);
        const int8_t row = pickRow();

        WindowEvent event;
        if (popEvent(event) && event.type == kEventClose) {
            endProgram();
            return;
        }
        if (row == kExitRow) {
            endProgram();
            return;
        }
        if (row == kPageRow) {
            const int lastPage = lastIndex / kNamesPerPage;
            int page = chooserPage + (mouseX < 320 ? -1 : 1);
            if (page > lastPage) page = 0;
            if (page < 0) page = lastPage;
            chooserPage = int16_t(page);
            waitForRelease();
        }

        if (readKey() == kKeyEscape) {
            endProgram();
            return;
        }

        if (row >= 0 && row < kNamesPerPage) {
            const int i = kNamesPerPage * chooserPage + row;
            if (i >= 0 && i <= lastIndex) {
                puzzleFileName = names[size_t(i)];
                return;
            }
        }

        flipPages();
    }
}
