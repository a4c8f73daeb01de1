// The editor end to end: a two-level puzzle authored from nothing, written,
// and then played; and the editing keys reshaping an existing puzzle through
// the real main loop.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "script_runner.h"

namespace {

constexpr uint32_t kGreen = 0x00AA00;  // palette entry 2: a level point's circle

// A key typed with the pointer at (x, y): the loop uses the position read at
// the end of the pass before the key, so the move comes first.
std::string keyAt(int x, int y, const std::string& key) {
    return "move " + std::to_string(x) + " " + std::to_string(y) + "\nwait 0.02\nkey " + key +
           "\nwait 0.02\n";
}

const char* const kOpenMenu = "move 639 479\npress right\nwait 0.1\nrelease right\nwait 0.1\n";
const char* const kCloseMenu = "click 320 240 right\nwait 0.1\n";

std::string clickRow(int r) {
    return "click 100 " + std::to_string(30 * r + 15) + "\nwait 0.1\n";
}

// A level point's circle outline of radius 3, seen at its top or bottom.
bool showsPointAt(const Shot& shot, int x, int y) {
    return shot.at(x, y - 3) == kGreen || shot.at(x, y + 3) == kGreen;
}

uint32_t crc(const std::string& bytes) {
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

// The bytes of a code as the puzzle file writes them: signed, comma after each.
std::string codeNumbers(const std::string& code) {
    std::string text;
    for (char c : code) text += std::to_string(static_cast<int8_t>(c)) + ",";
    return text;
}

TEST(Editor, AuthorsATwoLevelPuzzleFromNothingAndItPlays) {
    const std::string author =
        "wait 0.1\n" +
        // Level 0: а, б, к, the attractor and a path of three segments.
        keyAt(100, 100, "a") + keyAt(200, 150, "b") + keyAt(300, 120, "k") + keyAt(320, 300, "*") +
        keyAt(320, 300, "3") +
        // Level 1, coded 1 on insertion: м and ш and a path of two segments.
        keyAt(320, 240, "Insert") + keyAt(150, 350, "m") + keyAt(450, 380, "[") +
        keyAt(450, 380, "2") +
        // The menu lists level 1 first (it was selected last), then level 0.
        kOpenMenu + "move 300 15\nwait 0.05\nkey Backspace\nwait 0.02\ntype dva\nwait 0.05\n" +
        "move 300 45\nwait 0.05\ntype jedan\nwait 0.05\n" + clickRow(12) + clickRow(14) +
        kCloseMenu + "close\n";
    ScriptRun r = runScript(author, {"new.zag", "pravi"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("title Orvet: new\n"), std::string::npos) << r.out;

    const std::string code0 = "\xBC\xE5\xE4\xE0\xED";  // један
    const std::string code1 = "\xE4\xE2\xE0";          // два
    // The checksum follows the menu's order: level 1, then level 0.
    const std::string expected = "\"LVL\"\r\n" + codeNumbers(code0) +
                                 "\"code\"\r\n"
                                 "100,100,-32,200,150,-31,300,120,-22,\"points\"\r\n"
                                 "3,\"paths\"\r\n"
                                 "320,300,\"attractor\"\r\n"
                                 "\r\n"
                                 "\"LVL\"\r\n" +
                                 codeNumbers(code1) +
                                 "\"code\"\r\n"
                                 "150,350,-20,450,380,-8,\"points\"\r\n"
                                 "2,\"paths\"\r\n"
                                 "\r\n" +
                                 std::to_string(crc(" " + code1 + " " + code0)) +
                                 "\r\n"
                                 "\"END\"\r\n";
    EXPECT_EQ(readFileBytes(r.dir + "/new.zag"), expected);
    EXPECT_NE(crc(" " + code1 + " " + code0), crc(" " + code0 + " " + code1));

    // Played: the first level shows the typed points. Its menu lists level 0
    // alone, and the author's checksum covers both codes, so the list is
    // drawn in colour 0.
    r = runScriptIn(r.dir,
                    "wait 0.2\nshot level.png\n" + std::string(kOpenMenu) + "shot menu.png\n" +
                        kCloseMenu + "close\n",
                    {"new.zag"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("title Orvet: Odaberi zagonetku\ntitle Orvet: new\n"), 0u) << r.out;
    Shot level;
    ASSERT_TRUE(readShot(r.dir + "/level.png", level));
    EXPECT_TRUE(showsPointAt(level, 100, 100));
    EXPECT_TRUE(showsPointAt(level, 200, 150));
    EXPECT_TRUE(showsPointAt(level, 300, 120));
    EXPECT_FALSE(showsPointAt(level, 150, 350));  // level 1's points are not shown
    EXPECT_FALSE(showsPointAt(level, 450, 380));
    Shot menu;
    ASSERT_TRUE(readShot(r.dir + "/menu.png", menu));
    int black = 0;
    int light = 0;
    for (int y = 3; y <= 27; ++y) {
        for (int x = 0; x < 640; ++x) {
            black += menu.at(x, y) == 0x000000u;
            light += menu.at(x, y) == 0xCACAFFu;
        }
    }
    EXPECT_GT(black, 0);
    EXPECT_EQ(light, 0);
}

// Level 0 with two points within 5 px of each other, a third and an
// attractor; levels 1 and 2 with one point each.
const char* const kPuzzle =
    "\"LVL\"\r\n49,\"code\"\r\n200,200,-32,203,202,-31,100,400,-30,\"points\"\r\n1,\"paths\"\r\n"
    "400,300,\"attractor\"\r\n\r\n"
    "\"LVL\"\r\n50,\"code\"\r\n300,300,-29,\"points\"\r\n1,\"paths\"\r\n\r\n"
    "\"LVL\"\r\n51,\"code\"\r\n500,100,-28,\"points\"\r\n1,\"paths\"\r\n\r\n"
    "7\r\n\"END\"\r\n";

TEST(Editor, KeysThroughTheLoopReshapeAnExistingPuzzle) {
    const std::string script =
        "wait 0.1\n" + keyAt(201, 201, "0") +              // а and б, both under the pointer
        keyAt(400, 300, "0") +                             // the attractor alone
        "move 100 400\nwait 0.02\ntype kk\nwait 0.05\n" +  // two к on top of в
        "shot zero.png\nkey PageUp\nwait 0.05\nshot one.png\n"
        "key PageUp\nwait 0.02\nkey PageUp\nwait 0.05\nshot two.png\n"
        // Delete takes the last level whichever is shown, and never the only one.
        "key Delete\nwait 0.02\nkey Delete\nwait 0.02\nkey Delete\nwait 0.05\n"
        "shot left.png\n" +
        kOpenMenu + clickRow(14) + kCloseMenu + "close\n";
    const ScriptRun r = runScript(script, {"x.zag", "pravi"}, {{"x.zag", kPuzzle}});
    ASSERT_EQ(r.status, 0) << r.err;

    Shot shot;
    ASSERT_TRUE(readShot(r.dir + "/zero.png", shot));
    EXPECT_TRUE(showsPointAt(shot, 100, 400));
    EXPECT_FALSE(showsPointAt(shot, 200, 200));
    EXPECT_FALSE(showsPointAt(shot, 203, 202));
    ASSERT_TRUE(readShot(r.dir + "/one.png", shot));
    EXPECT_TRUE(showsPointAt(shot, 300, 300));
    EXPECT_FALSE(showsPointAt(shot, 100, 400));
    ASSERT_TRUE(readShot(r.dir + "/two.png", shot));
    EXPECT_TRUE(showsPointAt(shot, 500, 100));  // Page Up stops at the last level
    ASSERT_TRUE(readShot(r.dir + "/left.png", shot));
    EXPECT_TRUE(showsPointAt(shot, 100, 400));

    // One level is left: its three points in one place, no attractor, the
    // stored checksum kept.
    EXPECT_EQ(readFileBytes(r.dir + "/x.zag"),
              "\"LVL\"\r\n49,\"code\"\r\n100,400,-30,100,400,-22,100,400,-22,\"points\"\r\n"
              "1,\"paths\"\r\n\r\n7\r\n\"END\"\r\n");
}

}  // namespace
