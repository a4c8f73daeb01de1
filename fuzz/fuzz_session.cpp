// A whole game session driven by arbitrary input: the bytes become a scenario
// of pointer moves, buttons, keys and waits that the headless host plays while
// the real main loop runs, in play or editor mode, with or without the
// chooser. The session always ends: the scenario ends with the buttons up and
// the close button, and the headless host stops a game that ignores it (a
// crash here).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/game.h"
#include "fuzz_files.h"
#include "level/level_set.h"
#include "level_invariants.h"
#include "platform/headless/headless.h"
#include "platform/host.h"

namespace {

// Two levels: level 0 with three points and an attractor, level 1 with one.
const char* const kPuzzle =
    "\"LVL\"\r\n49,\"code\"\r\n300,300,-32,200,150,-31,450,320,97,\"points\"\r\n2,\"paths\"\r\n"
    "320,240,\"attractor\"\r\n\r\n"
    "\"LVL\"\r\n50,\"code\"\r\n100,100,98,\"points\"\r\n1,\"paths\"\r\n\r\n"
    "0\r\n\"END\"\r\n";

// Known knots: level 0 along y = 100 (knots at x 100 and 500), level 1 open.
const char* const kSaved =
    "\"SAVEDGAME\"\r\n0,1,\"levellist\"\r\n\"LVL\"\r\n49,\"code\"\r\n0,\"solved\"\r\n"
    "100,100,150,100,500,100,550,100,\"paths\"\r\n320,240,\"attractor\"\r\n"
    "\"LVL\"\r\n50,\"code\"\r\n0,\"solved\"\r\n200,200,210,230,\"paths\"\r\n\"END\"\r\n";

const char* const kKeyNames[] = {
    "Escape", "Enter",  "Backspace", "Tab",    "Space",  "Up", "Down", "Left", "Right", "Home",
    "End",    "PageUp", "PageDown",  "Insert", "Delete", "F1", "F2",   "F3",   "F4",    "F5",
    "F6",     "F7",     "F8",        "F9",     "F10",    "0",  "1",    "2",    "3",     "4",
    "5",      "6",      "7",         "8",      "9",      "a",  "s",    "+",    "-"};
constexpr int kKeyCount = sizeof kKeyNames / sizeof kKeyNames[0];
// The editing keys, for key bytes from kFirstEditingKeyByte up; the bytes
// below keep naming the keys above as they always have.
const char* const kEditingKeyNames[] = {"Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z"};
constexpr int kFirstEditingKeyByte = 234;

const char* keyNameOf(uint8_t b) {
    if (b >= kFirstEditingKeyByte) return kEditingKeyNames[(b - kFirstEditingKeyByte) % 3];
    return kKeyNames[b % kKeyCount];
}

constexpr int kMaxCommands = 400;
constexpr int kMaxWaitMillis = 4000;  // the whole scenario's waiting

std::string startDir;

struct Bytes {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    bool more() const { return pos < size; }
    uint8_t next() { return pos < size ? data[pos++] : 0; }
};

// -2..642 and -2..482: the page and a little beyond.
int xOf(uint8_t b) {
    return b * 645 / 255 - 2;
}
int yOf(uint8_t b) {
    return b * 485 / 255 - 2;
}

std::string scenarioOf(Bytes& in) {
    std::string s;
    int waited = 0;
    for (int n = 0; n < kMaxCommands && in.more(); ++n) {
        const uint8_t op = in.next() % 12;
        switch (op) {
            case 0: {
                const int x = xOf(in.next());
                s += "move " + std::to_string(x) + " " + std::to_string(yOf(in.next())) + "\n";
                break;
            }
            case 1:
                s += "press left\n";
                break;
            case 2:
                s += "release left\n";
                break;
            case 3:
                s += "press right\n";
                break;
            case 4:
                s += "release right\n";
                break;
            case 5:
                s += in.next() % 2 == 0 ? "press middle\n" : "release middle\n";
                break;
            case 6:
            case 7: {
                const int x = xOf(in.next());
                s += "click " + std::to_string(x) + " " + std::to_string(yOf(in.next())) +
                     (op == 6 ? " left\n" : " right\n");
                waited += 100;
                break;
            }
            case 8:
                s += std::string("key ") + keyNameOf(in.next()) + "\n";
                break;
            case 9:
                s += "byte " + std::to_string(in.next()) + "\n";
                break;
            case 10: {
                const int millis = 1 + in.next();
                if (waited + millis > kMaxWaitMillis) break;
                waited += millis;
                char text[32];
                std::snprintf(text, sizeof text, "wait %.3f\n", millis / 1000.0);
                s += text;
                break;
            }
            default:
                s += "leave\n";
                break;
        }
        if (waited >= kMaxWaitMillis) break;
    }
    // A player lets go of the buttons, inside the window, before closing it:
    // the waits for release (menu, help page, chooser) take no window events
    // and would otherwise hold the close button off for as long as a button
    // stays down.
    s += "move 320 240\nrelease left\nrelease right\nrelease middle\nwait 0.01\nclose\n";
    return s;
}

bool framed(const std::string& bytes, const char* first) {
    const std::string end = "\"END\"\r\n";
    return bytes.rfind(first, 0) == 0 && bytes.size() >= end.size() &&
           bytes.compare(bytes.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd) == nullptr) fuzzFail("no working directory");
    startDir = cwd;
    scratchDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in{data, size};
    const uint8_t mode = in.next();
    const bool editor = (mode & 1) != 0;
    const bool chooser = (mode & 2) != 0;
    const bool withSave = (mode & 4) == 0;

    writeScratchFile(scratchPath("p.zag"), kPuzzle);
    unlink(scratchPath("p.zag~").c_str());
    if (withSave) {
        writeScratchFile(scratchPath("p.zap"), kSaved);
    } else {
        unlink(scratchPath("p.zap").c_str());
    }

    // A fresh process's state.
    headlessReset();
    // 20 ms a read: the same scenario in a twentieth of the passes.
    headlessSetReadStep(0.02);
    clearInputQueues();
    resetDisplayState();
    resetGameState();

    std::string error;
    if (!headlessLoadScript(scenarioOf(in), error)) fuzzFail(error.c_str());
    headlessCloseWhenDone(true);

    std::string program = "orvet";
    std::string file = chooser ? "" : "p.zag";
    std::string word = "pravi";
    char* argv[] = {program.data(), file.data(), editor ? word.data() : nullptr, nullptr};
    if (chdir(scratchDir().c_str()) != 0) fuzzFail("cannot enter the scratch directory");
    const int status = runGame(editor ? 3 : 2, argv);
    if (chdir(startDir.c_str()) != 0) fuzzFail("cannot leave the scratch directory");

    if (status != 0) fuzzFail("the game ended with a status other than 0", status);
    checkLevelSet();
    if (!framed(readScratchFile(scratchPath("p.zag")), "\"LVL\"\r\n")) {
        fuzzFail("the puzzle file is damaged");
    }
    // The editor's recovery file, when the session left one, is a whole puzzle.
    if (access(scratchPath("p.zag~").c_str(), F_OK) == 0) {
        if (!editor) fuzzFail("a recovery file outside the editor");
        if (!framed(readScratchFile(scratchPath("p.zag~")), "\"LVL\"\r\n")) {
            fuzzFail("the recovery file is damaged");
        }
    }
    if (withSave || access(scratchPath("p.zap").c_str(), F_OK) == 0) {
        if (!framed(readScratchFile(scratchPath("p.zap")), "\"SAVEDGAME\"\r\n")) {
            fuzzFail("the saved game is damaged");
        }
    }
    return 0;
}
