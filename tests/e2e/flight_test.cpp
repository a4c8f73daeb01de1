// A flight end to end: a right press on a knot flies the path for 5 s per
// segment while the word at (200, 200) grows letter by letter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script_runner.h"

namespace {

// Points к, у and ћ along y = 400, away from where the word is drawn.
const char* const kPuzzle =
    "\"LVL\"\r\n49,\"code\"\r\n160,400,-22,340,400,-13,520,400,-98,\"points\"\r\n"
    "2,\"paths\"\r\n\r\n0\r\n\"END\"\r\n";

// Two segments along y = 400: (100, 400) to (400, 400) to (600, 400).
const char* const kSaved =
    "\"SAVEDGAME\"\r\n0,\"levellist\"\r\n\"LVL\"\r\n49,\"code\"\r\n0,\"solved\"\r\n"
    "100,400,200,400,400,400,500,400,600,400,650,400,\"paths\"\r\n\"END\"\r\n";

const char* const kContinue =
    "wait 0.2\n"
    "move 639 479\n"
    "press right\n"
    "wait 0.2\n"
    "release right\n"
    "wait 0.2\n"
    "click 100 405\n"
    "wait 0.2\n"
    "click 320 200 right\n"
    "wait 0.2\n";

// Pixels of the word's area that are not the white background.
int inkAroundWord(const Shot& shot) {
    int ink = 0;
    for (int y = 150; y <= 215; ++y) {
        for (int x = 190; x <= 460; ++x) ink += shot.at(x, y) != 0xFFFFFFu;
    }
    return ink;
}

TEST(Flight, RightPressOnAKnotSpellsTheWordForTenSeconds) {
    // The flight starts at about 1.05 s: shots each second, then one after it.
    std::string script = std::string(kContinue) +
                         "move 100 400\n"
                         "click 100 400 right\n";
    for (int i = 1; i <= 9; ++i) script += "wait 1\nshot f" + std::to_string(i) + ".png\n";
    script += "wait 1.5\nshot end.png\nclose\n";
    const ScriptRun run = runScript(script, {"p.zag"}, {{"p.zag", kPuzzle}, {"p.zap", kSaved}});
    ASSERT_EQ(run.status, 0) << run.err;

    std::vector<int> ink;
    for (int i = 1; i <= 9; ++i) {
        Shot shot;
        ASSERT_TRUE(readShot(run.dir + "/f" + std::to_string(i) + ".png", shot)) << i;
        ink.push_back(inkAroundWord(shot));
    }
    // Each shot holds the word so far: it never shrinks, and it grows through
    // one, two and three letters.
    int distinct = 1;
    for (size_t i = 1; i < ink.size(); ++i) {
        EXPECT_GE(ink[i], ink[i - 1]) << "shot " << i + 1;
        if (ink[i] != ink[i - 1]) ++distinct;
    }
    EXPECT_GT(ink.front(), 0);  // к is passed within the first second
    EXPECT_EQ(distinct, 3);

    // After about ten seconds the main loop draws the scene again: no word.
    Shot end;
    ASSERT_TRUE(readShot(run.dir + "/end.png", end));
    EXPECT_EQ(inkAroundWord(end), 0);
}

TEST(Flight, EscapeStopsTheFlightAndTheGameGoesOn) {
    const std::string script = std::string(kContinue) +
                               "click 100 400 right\n"
                               "wait 2\n"
                               "key Escape\n"
                               "wait 0.5\n"
                               "shot after.png\n"
                               "close\n";
    const ScriptRun run = runScript(script, {"p.zag"}, {{"p.zag", kPuzzle}, {"p.zap", kSaved}});
    ASSERT_EQ(run.status, 0) << run.err;
    Shot after;
    ASSERT_TRUE(readShot(run.dir + "/after.png", after));
    EXPECT_EQ(inkAroundWord(after), 0);  // the scene, not a flight frame
    const size_t ended = run.out.rfind("ended at ");
    ASSERT_NE(ended, std::string::npos) << run.out;
    // The close button after the script ended the game, well before a
    // whole flight would have.
    EXPECT_LT(std::stod(run.out.substr(ended + 9)), 5.0);
}

TEST(Flight, CloseButtonDuringTheFlightEndsTheGame) {
    const std::string script = std::string(kContinue) +
                               "click 100 400 right\n"
                               "wait 3\n"
                               "close\n";
    const ScriptRun run = runScript(script, {"p.zag"}, {{"p.zag", kPuzzle}, {"p.zap", kSaved}});
    ASSERT_EQ(run.status, 0) << run.err;
    const size_t ended = run.out.rfind("ended at ");
    ASSERT_NE(ended, std::string::npos) << run.out;
    const double at = std::stod(run.out.substr(ended + 9));
    // The close button came 3 s into a 10 s flight.
    EXPECT_GT(at, 4.25);
    EXPECT_LT(at, 4.4);
}

}  // namespace
