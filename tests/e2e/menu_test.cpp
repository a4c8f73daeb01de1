// The menu end to end: opening and closing it, paging, picking a level, the
// help page, saving and continuing, exit, code typing in the editor and a
// save that cannot be written.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <string>

#include "script_runner.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kLight = 0xCACAFF;  // palette entry 1
constexpr uint32_t kGreen = 0x00AA00;  // palette entry 2

// n levels without a path (one knot at the corner (0, 0)); level i has the
// code of i + 1 eights and one point, а, at (100 + 40i, 150).
std::string puzzle(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += "\"LVL\"\r\n";
        for (int k = 0; k <= i; ++k) text += "56,";
        text += "\"code\"\r\n" + std::to_string(100 + 40 * i) + ",150,-32,\"points\"\r\n\r\n";
    }
    return text + "0\r\n\"END\"\r\n";
}

// A saved game that opens the first n levels in index order.
std::string openingAll(int n) {
    std::string text = "\"SAVEDGAME\"\r\n";
    for (int i = 0; i < n; ++i) text += std::to_string(i) + ",";
    return text + "\"levellist\"\r\n\"END\"\r\n";
}

// A right press and release in the corner, far from every knot.
const char* const kOpenMenu = "move 639 479\npress right\nwait 0.1\nrelease right\nwait 0.1\n";
const char* const kCloseMenu = "click 320 240 right\nwait 0.1\n";

// A left click on the middle of menu row r.
std::string clickRow(int r, int x = 100) {
    return "click " + std::to_string(x) + " " + std::to_string(30 * r + 15) + "\nwait 0.1\n";
}

// Counts the pixels of colour c in screen row r, between its border lines
// (where the hover lines are drawn); kAny counts everything but white.
constexpr uint32_t kAny = 0xFFFFFFFF;
int rowCount(const Shot& shot, int r, uint32_t c = kAny) {
    int n = 0;
    for (int y = 30 * r + 3; y <= 30 * r + 27; ++y) {
        for (int x = 0; x < 640; ++x) {
            const uint32_t p = shot.at(x, y);
            n += c == kAny ? p != kWhite : p == c;
        }
    }
    return n;
}

// How many 25-pixel characters the text in row r spans (0 for none); the
// editor's green cursor bar is not text.
int rowChars(const Shot& shot, int r) {
    int right = -1;
    for (int y = 30 * r + 3; y <= 30 * r + 27; ++y) {
        for (int x = 0; x < 640; ++x) {
            const uint32_t p = shot.at(x, y);
            if (p != kWhite && p != kGreen && x > right) right = x;
        }
    }
    return right < 20 ? 0 : (right - 20) / 25 + 1;
}

// The level's point drawn as a circle outline of radius 3.
bool showsPointAt(const Shot& shot, int x, int y) {
    return shot.at(x, y - 3) == kGreen && shot.at(x, y + 3) == kGreen;
}

// The menu's four items are drawn in rows 12 to 15.
bool showsMenu(const Shot& shot) {
    for (int r = 12; r <= 15; ++r) {
        if (rowCount(shot, r, kBlack) == 0) return false;
    }
    return true;
}

double endedAt(const std::string& out) {
    const size_t at = out.rfind("ended at ");
    return at == std::string::npos ? -1.0 : std::stod(out.substr(at + 9));
}

ScriptRun run(const std::string& script, int levels, bool withSave = false) {
    std::map<std::string, std::string> files = {{"p.zag", puzzle(levels)}};
    if (withSave) files["p.zap"] = openingAll(levels);
    return runScript(script, {"p.zag"}, files);
}

Shot shot(const ScriptRun& r, const std::string& name) {
    Shot s;
    EXPECT_TRUE(readShot(r.dir + "/" + name, s)) << name;
    return s;
}

TEST(Menu, RightPressOpensItAndTheButtonHeldAfterClosingDoesNotReopen) {
    const ScriptRun r = run(std::string("wait 0.1\nmove 639 479\npress right\nwait 0.1\n"
                                        "shot open.png\n"
                                        "release right\nwait 0.1\n"
                                        "move 320 240\npress right\nwait 0.3\n"  // closes it
                                        "shot held.png\n"
                                        "release right\nwait 0.1\n"
                                        "shot released.png\n"
                                        "close\n"),
                            1);
    ASSERT_EQ(r.status, 0) << r.err;

    const Shot open = shot(r, "open.png");
    EXPECT_TRUE(showsMenu(open));
    EXPECT_EQ(rowChars(open, 0), 1);  // level 0's code
    EXPECT_FALSE(showsPointAt(open, 100, 150));

    for (const char* name : {"held.png", "released.png"}) {
        const Shot level = shot(r, name);
        EXPECT_TRUE(showsPointAt(level, 100, 150)) << name;
        for (int row = 12; row <= 15; ++row) EXPECT_EQ(rowCount(level, row), 0) << name;
    }
}

TEST(Menu, EscapeClosesItAndTheGameGoesOn) {
    const ScriptRun r = run(std::string("wait 0.1\n") + kOpenMenu +
                                "shot open.png\n"
                                "key Escape\nwait 0.2\n"
                                "shot level.png\n"
                                "wait 1\nclose\n",
                            1);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(showsMenu(shot(r, "open.png")));
    EXPECT_TRUE(showsPointAt(shot(r, "level.png"), 100, 150));
    // The run ended at the close button, not at the Escape.
    EXPECT_GE(endedAt(r.out), 1.5) << r.out;
}

TEST(Menu, ElevenOpenLevelsShowThePageLineAndItsClicksWrap) {
    const ScriptRun r = run(std::string("wait 0.1\n") + kOpenMenu + clickRow(13) +
                                "shot page1.png\n" + clickRow(11, 500) + "shot page2.png\n" +
                                clickRow(11, 500) + "shot wrapped.png\n" + clickRow(11, 100) +
                                "shot last.png\n"
                                "close\n",
                            11, true);
    ASSERT_EQ(r.status, 0) << r.err;

    // Page 1 lists levels 0 to 9, page 2 level 10 alone.
    for (const char* name : {"page1.png", "wrapped.png"}) {
        const Shot page = shot(r, name);
        for (int row = 0; row < 10; ++row) EXPECT_EQ(rowChars(page, row), row + 1) << name;
        EXPECT_GT(rowCount(page, 11), 0) << name;
    }
    for (const char* name : {"page2.png", "last.png"}) {
        const Shot page = shot(r, name);
        EXPECT_EQ(rowChars(page, 0), 11) << name;
        for (int row = 1; row < 10; ++row) EXPECT_EQ(rowCount(page, row), 0) << name;
    }
    // The page number differs, "страна 1" against "страна 2": its ninth character.
    const Shot one = shot(r, "page1.png");
    const Shot two = shot(r, "page2.png");
    const Shot last = shot(r, "last.png");
    int differing = 0;
    int sameAsTwo = 0;
    for (int y = 335; y <= 355; ++y) {
        for (int x = 420; x < 445; ++x) {
            differing += one.at(x, y) != two.at(x, y);
            sameAsTwo += two.at(x, y) == last.at(x, y);
        }
    }
    EXPECT_GT(differing, 0);
    EXPECT_EQ(sameAsTwo, 21 * 25);
}

TEST(Menu, PickingALevelShowsItAndPutsItFirst) {
    const ScriptRun r = run(std::string("wait 0.1\n") + kOpenMenu + clickRow(13) + clickRow(3) +
                                "move 320 240\nwait 0.1\nshot level.png\n" + kOpenMenu +
                                "shot menu.png\n" + clickRow(14) + kCloseMenu + "close\n",
                            11, true);
    ASSERT_EQ(r.status, 0) << r.err;

    const Shot level = shot(r, "level.png");
    EXPECT_TRUE(showsPointAt(level, 220, 150));  // level 3's point
    EXPECT_FALSE(showsPointAt(level, 100, 150));

    const Shot menu = shot(r, "menu.png");
    EXPECT_EQ(rowChars(menu, 0), 4);  // level 3 first
    EXPECT_EQ(rowChars(menu, 3), 1);  // level 0 where level 3 was
    EXPECT_EQ(rowChars(menu, 4), 5);

    const std::string saved = readFileBytes(r.dir + "/p.zap");
    EXPECT_EQ(saved.find("\"SAVEDGAME\"\r\n3,1,2,0,4,5,6,7,8,9,10,\"levellist\"\r\n"), 0u) << saved;
}

TEST(Menu, HelpPageOpensFromItsRowAndAnyButtonReturns) {
    const ScriptRun r = run(std::string("wait 0.1\n") + kOpenMenu + clickRow(12) +
                                "wait 0.2\nshot help.png\n"
                                "click 320 240 middle\nwait 0.2\n"
                                "shot menu.png\n"
                                "close\n",
                            1);
    ASSERT_EQ(r.status, 0) << r.err;

    const Shot help = shot(r, "help.png");
    EXPECT_EQ(rowChars(help, 0), 15);  // "Споји све тачке"
    EXPECT_EQ(rowCount(help, 6), 0);
    EXPECT_GT(rowCount(help, 15), 0);  // the second line of the last text

    const Shot menu = shot(r, "menu.png");
    EXPECT_TRUE(showsMenu(menu));
    EXPECT_EQ(rowChars(menu, 0), 1);
}

// One level whose point lies far from anything the path below reaches.
const char* const kLako =
    "\"LVL\"\r\n49,\"code\"\r\n600,450,-32,\"points\"\r\n1,\"paths\"\r\n\r\n0\r\n\"END\"\r\n";
const char* const kLakoSaved =
    "\"SAVEDGAME\"\r\n0,\"levellist\"\r\n\"LVL\"\r\n49,\"code\"\r\n0,\"solved\"\r\n"
    "100,100,150,100,500,100,550,100,\"paths\"\r\n\"END\"\r\n";
// The same after the first knot was dragged to (200, 260), its handle along.
const char* const kLakoDragged =
    "\"SAVEDGAME\"\r\n0,\"levellist\"\r\n\"LVL\"\r\n49,\"code\"\r\n0,\"solved\"\r\n"
    "200,260,250,260,500,100,550,100,\"paths\"\r\n\"END\"\r\n";

TEST(Menu, SaveWritesBesideThePuzzleAndContinueReadsItBack) {
    // The puzzle lies in a directory whose name holds a dot.
    ScriptRun r = runScript("", {"none.zag"});
    ASSERT_EQ(mkdir((r.dir + "/igre.v2").c_str(), 0755), 0);
    const std::string drag = std::string("wait 0.1\n") + kOpenMenu + clickRow(13) + kCloseMenu +
                             "move 100 100\npress left\nwait 0.1\n"
                             "move 200 260\nwait 0.1\nrelease left\nwait 0.1\n" +
                             kOpenMenu + clickRow(14) + kCloseMenu + "close\n";
    r = runScriptIn(r.dir, drag, {"igre.v2/lako.zag"},
                    {{"igre.v2/lako.zag", kLako}, {"igre.v2/lako.zap", kLakoSaved}});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileBytes(r.dir + "/igre.v2/lako.zap"), kLakoDragged);
    EXPECT_FALSE(fileExists(r.dir + "/igre.zap"));
    EXPECT_EQ(readFileBytes(r.dir + "/igre.v2/lako.zag"), kLako);

    // A new run starts from a fresh random path; continuing brings the knot back.
    const std::string resume = std::string("wait 0.1\n") + kOpenMenu + clickRow(13) + kCloseMenu +
                               "wait 0.1\nshot resumed.png\nclose\n";
    r = runScriptIn(r.dir, resume, {"igre.v2/lako.zag"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Shot resumed = shot(r, "resumed.png");
    EXPECT_EQ(resumed.at(200, 260), kLight);  // the first knot's marker
    EXPECT_EQ(resumed.at(250, 260), kWhite);  // its handle's
    EXPECT_EQ(resumed.at(248, 258), kBlack);  // the handle marker's outline
    EXPECT_EQ(resumed.at(100, 100), kWhite);
    EXPECT_EQ(readFileBytes(r.dir + "/igre.v2/lako.zap"), kLakoDragged);
}

TEST(Menu, ExitEndsTheRunAtOnceWithoutSaving) {
    const ScriptRun r = run(
        std::string("wait 0.1\n") + kOpenMenu + clickRow(15) + "wait 2\nshot late.png\nclose\n", 1);
    EXPECT_EQ(r.status, 0) << r.err;
    const double ended = endedAt(r.out);
    EXPECT_GT(ended, 0.2) << r.out;
    EXPECT_LT(ended, 0.5) << r.out;
    EXPECT_FALSE(fileExists(r.dir + "/p.zap"));
    EXPECT_FALSE(fileExists(r.dir + "/late.png"));  // the script never got there
}

uint32_t crc(const std::string& bytes) {
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

TEST(Menu, EditorTypesCodesAndColoursTheListByTheChecksum) {
    // Two levels coded 1 and 2.
    const std::string e =
        "\"LVL\"\r\n49,\"code\"\r\n100,150,-32,\"points\"\r\n\r\n"
        "\"LVL\"\r\n50,\"code\"\r\n140,150,-32,\"points\"\r\n\r\n0\r\n\"END\"\r\n";
    const std::string script = std::string("wait 0.1\n") + kOpenMenu +
                               "move 300 15\nwait 0.05\n"
                               "type ab\nwait 0.05\n"  // а and б
                               "key Backspace\nwait 0.05\n"
                               "key [\nwait 0.05\n"  // ш
                               "shot typed.png\n" +
                               clickRow(12) +  // рачунај CRC
                               "shot crc.png\n"
                               "move 300 45\nwait 0.05\n"
                               "key c\nwait 0.05\n"  // ц on level 1
                               "shot edited.png\n" +
                               clickRow(14) + kCloseMenu + "close\n";
    const ScriptRun r = runScript(script, {"e.zag", "pravi"}, {{"e.zag", e}});
    ASSERT_EQ(r.status, 0) << r.err;

    const Shot typed = shot(r, "typed.png");
    EXPECT_EQ(rowChars(typed, 0), 3);
    EXPECT_EQ(rowCount(typed, 0, kLight), 0);
    // The list turns to colour 1 right after the checksum is stored...
    const Shot stored = shot(r, "crc.png");
    for (int row = 0; row <= 1; ++row) {
        EXPECT_GT(rowCount(stored, row, kLight), 0) << row;
        EXPECT_EQ(rowCount(stored, row, kBlack), 0) << row;
    }
    EXPECT_GT(rowCount(stored, 13, kBlack), 0);
    // ...and back to 0 at the next edit, with the cursor bar after ц.
    const Shot edited = shot(r, "edited.png");
    for (int row = 0; row <= 1; ++row) {
        EXPECT_EQ(rowCount(edited, row, kLight), 0) << row;
        EXPECT_GT(rowCount(edited, row, kBlack), 0) << row;
    }
    EXPECT_EQ(edited.at(25 * 2 + 20, 40), kGreen);

    // The stored checksum is that of the codes at the time of the click.
    const std::string written = readFileBytes(r.dir + "/e.zag");
    EXPECT_NE(written.find("\"LVL\"\r\n49,-32,-8,\"code\"\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("\"LVL\"\r\n50,-10,\"code\"\r\n"), std::string::npos) << written;
    const std::string checksumLine =
        "\r\n\r\n" + std::to_string(crc(" 1\xE0\xF8 2")) + "\r\n\"END\"\r\n";
    ASSERT_GE(written.size(), checksumLine.size());
    EXPECT_EQ(written.substr(written.size() - checksumLine.size()), checksumLine) << written;
}

TEST(Menu, FailedSaveLeavesTheTargetAndReportsItOnce) {
    ScriptRun r = runScript("", {"none.zag"});
    ASSERT_EQ(mkdir((r.dir + "/p.zap").c_str(), 0755), 0);
    r = runScriptIn(r.dir,
                    std::string("wait 0.1\n") + kOpenMenu + clickRow(14) + kCloseMenu + "close\n",
                    {"p.zag"}, {{"p.zag", puzzle(1)}});
    EXPECT_EQ(r.status, 0) << r.err;

    struct stat info {};
    ASSERT_EQ(stat((r.dir + "/p.zap").c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    // Nothing left inside it or beside it: no temporary file survives.
    int entries = 0;
    for (const char* d : {"/p.zap", ""}) {
        DIR* dir = opendir((r.dir + d).c_str());
        ASSERT_NE(dir, nullptr);
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != ".." && name.rfind("p.zap.", 0) == 0) ++entries;
            if (*d != '\0' && name != "." && name != "..") ++entries;
        }
        closedir(dir);
    }
    EXPECT_EQ(entries, 0);

    // One line for the one click, naming the file.
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_NE(r.err.find("p.zap"), std::string::npos) << r.err;
}

}  // namespace
