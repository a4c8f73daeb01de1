// The editor's safety net: unsaved changes go to a new recovery file beside
// the puzzle when the editor ends (NAME~, else NAME~2, NAME~3, ...), and an
// editor started beside one says how to take it back.

#include <cstdio>
#include <string>

#include "app/game.h"
#include "level/edit_history.h"
#include "level/level_set.h"
#include "level/puzzle_file.h"
#include "platform/files.h"

namespace {

// Recovery names tried before giving up: an ending never loops for long.
constexpr int kMaxRecoveryFiles = 1000;

std::string recoveryName(int n) {
    return puzzleFileName + "~" + (n > 1 ? std::to_string(n) : std::string());
}

// The name quoted for a shell command the author may paste.
std::string shellQuoted(const std::string& name) {
    std::string quoted = "'";
    for (const char c : name) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string takeBackHint(const std::string& name) {
    return "to take them back: mv " + shellQuoted(name) + " " + shellQuoted(puzzleFileName);
}

}  // namespace

void writeRecoveryFile() {
    // Without a name (no puzzle file to start from) there is no "beside".
    if (!editorMode || puzzleFileName.empty() || !historyChangedSinceSave()) return;
    // Nothing there is ever replaced: an earlier session's recovery, or a
    // text editor's backup of the same name, stays as it is.
    for (int n = 1; n <= kMaxRecoveryFiles; ++n) {
        const std::string name = recoveryName(n);
        bool exists = false;
        if (writeNewPuzzleFile(name, exists)) {
            std::fprintf(stderr, "orvet: unsaved changes written to \"%s\"; %s\n", name.c_str(),
                         takeBackHint(name).c_str());
            return;
        }
        if (!exists) return;  // the failure has been reported
    }
    std::fprintf(stderr, "orvet: unsaved changes lost: \"%s\" to \"%s\" are all taken\n",
                 recoveryName(1).c_str(), recoveryName(kMaxRecoveryFiles).c_str());
}

void reportRecoveryFile() {
    if (!editorMode || puzzleFileName.empty()) return;
    std::string newest;
    struct timespec newestTime {};
    for (int n = 1; n <= kMaxRecoveryFiles; ++n) {
        const std::string name = recoveryName(n);
        // The game writes only plain files: a link of such a name is not one.
        struct timespec t {};
        if (!plainFileModified(name, t)) continue;
        if (newest.empty() || t.tv_sec > newestTime.tv_sec ||
            (t.tv_sec == newestTime.tv_sec && t.tv_nsec >= newestTime.tv_nsec)) {
            newest = name;
            newestTime = t;
        }
    }
    if (newest.empty()) return;
    std::fprintf(stderr, "orvet: \"%s\" holds unsaved changes of an earlier session; %s\n",
                 newest.c_str(), takeBackHint(newest).c_str());
}
