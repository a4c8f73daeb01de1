// Playing a level end to end: continuing a saved game from the menu, dragging
// a knot onto a point, the solved level's menu and saving.
#include <gtest/gtest.h>

#include <string>

#include "script_runner.h"

namespace {

// One level, code "1", one point lettered а at (300, 300).
const char* const kPuzzle =
    "\"LVL\"\r\n49,\"code\"\r\n300,300,-32,\"points\"\r\n1,\"paths\"\r\n\r\n0\r\n\"END\"\r\n";

// The same level with a known straight path along y = 100.
const char* const kSaved =
    "\"SAVEDGAME\"\r\n0,\"levellist\"\r\n\"LVL\"\r\n49,\"code\"\r\n0,\"solved\"\r\n"
    "100,100,150,100,500,100,550,100,\"paths\"\r\n\"END\"\r\n";

// Opens the menu with a right press in the corner (no knot can lie within
// 5 px of it), continues the saved game and closes the menu.
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

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGreen = 0x00AA00;  // palette entry 2: a touched point's disc

TEST(Play, DraggingAKnotOntoThePointSolvesTheLevel) {
    const std::string script = std::string(kContinue) +
                               "shot before.png\n"
                               "move 100 100\n"
                               "press left\n"
                               "wait 0.1\n"
                               "move 200 200\n"
                               "wait 0.1\n"
                               "move 300 296\n"  // the knot 4 px above the point
                               "wait 0.2\n"
                               "release left\n"
                               "wait 0.2\n"
                               "click 100 435\n"  // the solved level's menu: save
                               "wait 0.2\n"
                               "click 320 200 right\n"
                               "wait 0.2\n"
                               "shot after.png\n"
                               "close\n";
    const ScriptRun run = runScript(script, {"p.zag"}, {{"p.zag", kPuzzle}, {"p.zap", kSaved}});
    ASSERT_EQ(run.status, 0) << run.err;

    Shot before;
    ASSERT_TRUE(readShot(run.dir + "/before.png", before));
    EXPECT_EQ(before.at(300, 300), kWhite);  // an outline only
    EXPECT_NE(before.at(100, 100), kWhite);  // the continued knot's marker

    Shot after;
    ASSERT_TRUE(readShot(run.dir + "/after.png", after));
    EXPECT_EQ(after.at(300, 300), kGreen);
    EXPECT_NE(after.at(300, 296), kWhite);  // the knot where it was dropped
    EXPECT_EQ(after.at(100, 100), kWhite);

    // The menu that the solved level opened saved the game: solved, with the
    // knot and its handle moved together.
    const std::string saved = readFileBytes(run.dir + "/p.zap");
    EXPECT_NE(saved.find("-1,\"solved\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("300,296,350,296,500,100,550,100,\"paths\""), std::string::npos) << saved;
}

TEST(Play, EscapeEndsWithoutSaving) {
    const std::string script = std::string(kContinue) +
                               "move 100 100\n"
                               "press left\n"
                               "wait 0.1\n"
                               "move 300 296\n"
                               "wait 0.1\n"
                               "release left\n"
                               "wait 0.1\n"
                               "key Escape\n"  // closes the solved level's menu
                               "wait 0.1\n"
                               "key Escape\n"  // ends the game
                               "wait 0.1\n";
    const ScriptRun run = runScript(script, {"p.zag"}, {{"p.zag", kPuzzle}, {"p.zap", kSaved}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFileBytes(run.dir + "/p.zap"), kSaved);
    const size_t ended = run.out.rfind("ended at ");
    ASSERT_NE(ended, std::string::npos) << run.out;
    // Ended by the second Escape, not by the close button after the script.
    EXPECT_LT(std::stod(run.out.substr(ended + 9)), 2.0);
}

}  // namespace
