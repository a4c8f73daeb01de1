// Undo and redo, the help key, the author's view and the editor's recovery
// file, end to end through the files and pictures the game leaves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "script_runner.h"

namespace {

// One level, code "1", one point lettered а at (300, 300).
const char* const kPuzzle =
    "\"LVL\"\r\n49,\"code\"\r\n300,300,-32,\"points\"\r\n1,\"paths\"\r\n\r\n0\r\n\"END\"\r\n";

// The same level with a known straight path along y = 100.
const char* const kSaved =
    "\"SAVEDGAME\"\r\n0,\"levellist\"\r\n\"LVL\"\r\n49,\"code\"\r\n0,\"solved\"\r\n"
    "100,100,150,100,500,100,550,100,\"paths\"\r\n\"END\"\r\n";

const char* const kOpenMenu = "move 639 479\npress right\nwait 0.2\nrelease right\nwait 0.2\n";
const char* const kCloseMenu = "click 320 200 right\nwait 0.2\n";
// Continues the saved game from the menu (which starts the history afresh).
const std::string kContinue =
    std::string("wait 0.2\n") + kOpenMenu + "click 100 405\nwait 0.2\n" + kCloseMenu;

// Opens the menu, saves (the game in play mode, the puzzle in the editor) and
// closes the menu.
std::string save() {
    return std::string(kOpenMenu) + "click 100 435\nwait 0.2\n" + kCloseMenu;
}

std::string drag(int fromX, int fromY, int toX, int toY) {
    return "move " + std::to_string(fromX) + " " + std::to_string(fromY) +
           "\npress left\nwait 0.1\nmove " + std::to_string(toX) + " " + std::to_string(toY) +
           "\nwait 0.1\nrelease left\nwait 0.1\n";
}

std::string key(const std::string& name) {
    return "key " + name + "\nwait 0.05\n";
}

// The knots and handles line of the saved game.
std::string pathsOf(const std::string& saved) {
    const size_t end = saved.find(",\"paths\"");
    if (end == std::string::npos) return "";
    const size_t start = saved.rfind('\n', end);
    return saved.substr(start + 1, end - start - 1);
}

// Plays the parts one after another from the continued saved game and
// returns the saved game's path after each part: run i plays parts 0..i, each
// followed by a save, so the file it leaves is the save after part i.
std::vector<std::string> pathsAfterEach(const std::vector<std::string>& parts) {
    std::vector<std::string> paths;
    std::string script = kContinue;
    std::string dir;
    for (const std::string& part : parts) {
        script += part + save();
        const std::map<std::string, std::string> files = {{"p.zag", kPuzzle}, {"p.zap", kSaved}};
        const ScriptRun r = dir.empty() ? runScript(script + "close\n", {"p.zag"}, files)
                                        : runScriptIn(dir, script + "close\n", {"p.zag"}, files);
        EXPECT_EQ(r.status, 0) << r.err;
        dir = r.dir;
        paths.push_back(pathsOf(readFileBytes(r.dir + "/p.zap")));
    }
    return paths;
}

TEST(Undo, DragsAreUndoneAndRedoneOneAtATimeAndANewDragClearsRedo) {
    const std::string start = "100,100,150,100,500,100,550,100";
    const std::string first = "200,200,250,200,500,100,550,100";   // knot 0 moved
    const std::string second = "200,200,250,200,450,150,500,150";  // then knot 1 and its handle
    const std::vector<std::string> paths = pathsAfterEach({
        key("Ctrl+Z"),  // no history yet: nothing happens
        drag(100, 100, 200, 200),
        drag(500, 100, 450, 150),
        key("Ctrl+Z"),
        key("Ctrl+Z"),
        key("Ctrl+Z"),  // nothing left to undo
        key("Ctrl+Y"),
        key("Ctrl+Shift+Z"),
        key("Ctrl+Y"),  // nothing left to redo
        key("Ctrl+Z") + key("Ctrl+Z") + drag(550, 100, 560, 300) + key("Ctrl+Y"),
    });
    ASSERT_EQ(paths.size(), 10u);
    EXPECT_EQ(paths[0], start);
    EXPECT_EQ(paths[1], first);
    EXPECT_EQ(paths[2], second);
    EXPECT_EQ(paths[3], first);
    EXPECT_EQ(paths[4], start);
    EXPECT_EQ(paths[5], start);
    EXPECT_EQ(paths[6], first);
    EXPECT_EQ(paths[7], second);
    EXPECT_EQ(paths[8], second);
    // The new drag (the handle of the last knot) replaced the redo steps.
    EXPECT_EQ(paths[9], "100,100,150,100,500,100,560,300");
}

TEST(Undo, ProgressStaysWhenTheDragThatSolvedALevelIsUndone) {
    // Two levels: solving level 0 (а, and б at the far knot) opens level 1.
    const std::string puzzle =
        "\"LVL\"\r\n49,\"code\"\r\n300,300,-32,500,100,-31,\"points\"\r\n1,\"paths\"\r\n\r\n"
        "\"LVL\"\r\n50,\"code\"\r\n100,100,-31,\"points\"\r\n1,\"paths\"\r\n\r\n0\r\n\"END\"\r\n";
    const std::string script = kContinue +
                               drag(100, 100, 300, 296) +  // solves level 0; the menu opens
                               kCloseMenu +
                               // A flight from the first knot spells а into the code.
                               "move 300 296\npress right\nwait 0.1\nrelease right\nwait 6\n" +
                               key("Ctrl+Z") + key("Ctrl+Z") + save() + "close\n";
    const ScriptRun r = runScript(script, {"p.zag"}, {{"p.zag", puzzle}, {"p.zap", kSaved}});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string saved = readFileBytes(r.dir + "/p.zap");
    EXPECT_EQ(saved.find("\"SAVEDGAME\"\r\n0,1,\"levellist\""), 0u) << saved;  // level 1 open
    // Level 0: solved, and its code spelled by the flight from а on.
    EXPECT_EQ(saved.find("\"LVL\"\r\n-32,"), saved.find("\"LVL\"")) << saved;
    EXPECT_EQ(saved.find("\"code\"\r\n-1,\"solved\""), saved.find("\"code\"")) << saved;
    EXPECT_EQ(pathsOf(saved), "100,100,150,100,500,100,550,100") << saved;
}

// An editor puzzle: two levels, an attractor, a checksum.
const char* const kEditorPuzzle =
    "\"LVL\"\r\n49,\"code\"\r\n200,200,-32,203,202,-31,\"points\"\r\n2,\"paths\"\r\n"
    "400,300,\"attractor\"\r\n\r\n"
    "\"LVL\"\r\n50,\"code\"\r\n300,300,-29,\"points\"\r\n1,\"paths\"\r\n\r\n"
    "7\r\n\"END\"\r\n";

std::string keyAt(int x, int y, const std::string& name) {
    return "move " + std::to_string(x) + " " + std::to_string(y) + "\nwait 0.02\nkey " + name +
           "\nwait 0.02\n";
}

TEST(Undo, EditorStepsUndoneToTheByteAndRedone) {
    // Points, "0", "*", a new path, a drag of the attractor, a level
    // appended and one removed, PageDown (no step) and a code typed in the menu.
    const std::string edits =
        "wait 0.1\n" + keyAt(100, 100, "a") + keyAt(120, 100, "b") + keyAt(201, 201, "0") +
        keyAt(50, 50, "*") + keyAt(320, 240, "4") + drag(50, 50, 80, 60) + key("Insert") +
        keyAt(400, 400, "k") + key("Insert") + key("Delete") + key("PageDown") + kOpenMenu +
        "move 300 45\nwait 0.05\ntype xy\nkey Backspace\nwait 0.05\n" + kCloseMenu;
    const int steps = 13;  // а, б, 0, *, 4, drag, Insert, к, Insert, Delete, x, y, Backspace
    std::string undoAll;
    std::string redoAll;
    for (int i = 0; i < steps + 2; ++i) undoAll += key("Ctrl+Z");
    for (int i = 0; i < steps + 2; ++i) redoAll += key(i % 2 == 0 ? "Ctrl+Y" : "Ctrl+Shift+Z");

    ScriptRun r =
        runScript(edits + save() + "close\n", {"x.zag", "pravi"}, {{"x.zag", kEditorPuzzle}});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string edited = readFileBytes(r.dir + "/x.zag");
    EXPECT_NE(edited, kEditorPuzzle);
    EXPECT_NE(edited.find("4,\"paths\""), std::string::npos) << edited;

    r = runScriptIn(r.dir, edits + undoAll + save() + "close\n", {"x.zag", "pravi"},
                    {{"x.zag", kEditorPuzzle}});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileBytes(r.dir + "/x.zag"), kEditorPuzzle);

    r = runScriptIn(r.dir, edits + undoAll + redoAll + save() + "close\n", {"x.zag", "pravi"},
                    {{"x.zag", kEditorPuzzle}});
    ASSERT_EQ(r.status, 0) << r.err;
    // A new path is random, but a redo brings back the one that was made.
    EXPECT_EQ(readFileBytes(r.dir + "/x.zag"), edited);
}

constexpr uint32_t kAuthorColour = 0xAA00AA;  // palette entry 5
constexpr uint32_t kWhite = 0xFFFFFF;

int countColour(const Shot& shot, uint32_t colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) n += shot.at(x, y) == colour;
    }
    return n;
}

TEST(Undo, AuthorsViewTogglesAndF1OpensTheHelpPage) {
    const std::string script =
        "wait 0.1\nmove 600 400\nwait 0.1\nshot plain.png\n" + key("F2") +
        "wait 0.1\nshot view.png\n" + key("F2") + "wait 0.1\nshot off.png\n" + key("F1") +
        "wait 0.2\nshot help.png\nclick 320 240\nwait 0.2\n"
        "shot back.png\n" +
        key("F2") + kOpenMenu + "wait 0.1\nshot menuview.png\n" + key("Escape") + key("F2") +
        kOpenMenu + "wait 0.1\nshot menuplain.png\n" + key("Escape") + "close\n";
    const ScriptRun r = runScript(script, {"x.zag", "pravi"}, {{"x.zag", kEditorPuzzle}});
    ASSERT_EQ(r.status, 0) << r.err;
    Shot plain, view, off, help, back;
    ASSERT_TRUE(readShot(r.dir + "/plain.png", plain));
    ASSERT_TRUE(readShot(r.dir + "/view.png", view));
    ASSERT_TRUE(readShot(r.dir + "/off.png", off));
    ASSERT_TRUE(readShot(r.dir + "/help.png", help));
    ASSERT_TRUE(readShot(r.dir + "/back.png", back));

    // Nothing in the editor's picture uses the colour before F2.
    EXPECT_EQ(countColour(plain, kAuthorColour, 0, 0, 639, 479), 0);
    // The letter а of the point at (200, 200) in the cell right of it, and
    // "1/2" in the top right corner.
    EXPECT_GT(countColour(view, kAuthorColour, 206, 190, 226, 210), 0);
    EXPECT_GT(countColour(view, kAuthorColour, 540, 0, 639, 30), 0);
    EXPECT_EQ(countColour(view, kAuthorColour, 0, 240, 639, 479), 0);  // no point there
    // Off again: the picture is the untoggled one (the spiral turns with time,
    // so the attractor's square is left out).
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (x >= 385 && x <= 415 && y >= 285 && y <= 315) continue;
            ASSERT_EQ(off.at(x, y), plain.at(x, y)) << x << "," << y;
        }
    }
    // F1: the help page's first line ("Споји све тачке"), then the level again.
    EXPECT_GT(countColour(help, 0x000000, 0, 5, 639, 25), 0);
    EXPECT_EQ(countColour(help, 0x00AA00, 0, 0, 639, 479), 0);  // no point circles
    EXPECT_GT(countColour(back, 0x00AA00, 190, 190, 215, 215), 0);
    EXPECT_EQ(countColour(back, kAuthorColour, 0, 0, 639, 479), 0);
    // The editor's menu with the view on: each level row's number at its
    // right end; with it off, the designed menu alone.
    Shot menuView, menuPlain;
    ASSERT_TRUE(readShot(r.dir + "/menuview.png", menuView));
    ASSERT_TRUE(readShot(r.dir + "/menuplain.png", menuPlain));
    EXPECT_GT(countColour(menuView, kAuthorColour, 605, 0, 639, 29), 0);
    EXPECT_GT(countColour(menuView, kAuthorColour, 605, 30, 639, 59), 0);
    EXPECT_EQ(countColour(menuView, kAuthorColour, 0, 0, 599, 479), 0);
    EXPECT_EQ(countColour(menuView, kAuthorColour, 0, 60, 639, 479), 0);
    EXPECT_EQ(countColour(menuPlain, kAuthorColour, 0, 0, 639, 479), 0);
    EXPECT_GT(countColour(menuPlain, 0x000000, 0, 440, 639, 479), 0);
}

TEST(Undo, RecoveryFileOnlyAfterUnsavedChanges) {
    // An edit, then Escape: x.zag~ holds the edit, x.zag is untouched.
    ScriptRun r = runScript("wait 0.1\n" + keyAt(100, 100, "a") + key("Escape"), {"x.zag", "pravi"},
                            {{"x.zag", kEditorPuzzle}});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileBytes(r.dir + "/x.zag"), kEditorPuzzle);
    const std::string recovered = readFileBytes(r.dir + "/x.zag~");
    EXPECT_NE(recovered.find("200,200,-32,203,202,-31,100,100,-32,\"points\""), std::string::npos)
        << recovered;
    EXPECT_NE(r.err.find("orvet: unsaved changes written to \"x.zag~\"; to take them back: "
                         "mv 'x.zag~' 'x.zag'\n"),
              std::string::npos)
        << r.err;
    // The close button does the same; so does the menu's exit after a new
    // checksum was stored (a change, though no undo step).
    r = runScript("wait 0.1\n" + keyAt(100, 100, "a") + "close\n", {"x.zag", "pravi"},
                  {{"x.zag", kEditorPuzzle}});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileBytes(r.dir + "/x.zag~"), recovered);
    r = runScript(
        std::string("wait 0.1\n") + kOpenMenu + "click 100 385\nwait 0.2\nclick 100 475\n",
        {"x.zag", "pravi"}, {{"x.zag", kEditorPuzzle}});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileBytes(r.dir + "/x.zag"), kEditorPuzzle);
    EXPECT_TRUE(fileExists(r.dir + "/x.zag~"));

    // A "настави" that finds no saved game changes nothing: the edit before it
    // can still be undone, and still counts as unsaved.
    r = runScript("wait 0.1\n" + keyAt(100, 100, "a") + kContinue + key("Escape"),
                  {"x.zag", "pravi"}, {{"x.zag", kEditorPuzzle}});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileBytes(r.dir + "/x.zag~"), recovered);
    r = runScript(
        "wait 0.1\n" + keyAt(100, 100, "a") + kContinue + key("Ctrl+Z") + save() + "close\n",
        {"x.zag", "pravi"}, {{"x.zag", kEditorPuzzle}});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileBytes(r.dir + "/x.zag"), kEditorPuzzle);

    // Nothing of that name is ever replaced: a text editor's backup, a link
    // to the puzzle, a folder and an earlier session's recovery stay as they
    // were, and each session with unsaved changes adds the next free name.
    // An editor started beside them names the newest.
    std::filesystem::remove(r.dir + "/x.zag~");
    std::ofstream(r.dir + "/x.zag~", std::ios::binary) << "my notes\n";
    std::filesystem::create_symlink("x.zag", r.dir + "/x.zag~2");
    std::filesystem::create_directory(r.dir + "/x.zag~3");
    for (const char* name : {"x.zag~4", "x.zag~5"}) {
        r = runScriptIn(r.dir, "wait 0.1\n" + keyAt(100, 100, "a") + key("Escape"),
                        {"x.zag", "pravi"}, {{"x.zag", kEditorPuzzle}});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(readFileBytes(r.dir + "/" + name), recovered) << name;
        EXPECT_NE(r.err.find(std::string("written to \"") + name + "\""), std::string::npos)
            << r.err;
    }
    EXPECT_NE(r.err.find("orvet: \"x.zag~4\" holds unsaved changes of an earlier session; to "
                         "take them back: mv 'x.zag~4' 'x.zag'\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(readFileBytes(r.dir + "/x.zag~"), "my notes\n");
    EXPECT_TRUE(std::filesystem::is_symlink(r.dir + "/x.zag~2"));
    EXPECT_TRUE(std::filesystem::is_directory(r.dir + "/x.zag~3"));
    EXPECT_EQ(std::filesystem::hard_link_count(r.dir + "/x.zag"), 1u);
    EXPECT_EQ(readFileBytes(r.dir + "/x.zag"), kEditorPuzzle);
    EXPECT_FALSE(fileExists(r.dir + "/x.zag~6"));
    for (const auto& entry : std::filesystem::directory_iterator(r.dir)) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos);
    }

    // The chooser does not offer the recovery file.
    r = runScriptIn(r.dir, "wait 0.2\nshot chooser.png\nclose\n", {}, {{"x.zag", ""}});
    ASSERT_EQ(r.status, 0) << r.err;
    Shot chooser;
    ASSERT_TRUE(readShot(r.dir + "/chooser.png", chooser));
    EXPECT_GT(countColour(chooser, 0x000000, 0, 0, 639, 29), 0);   // x
    EXPECT_EQ(countColour(chooser, 0x000000, 0, 30, 639, 59), 0);  // nothing after it

    // No change, a change undone, a change saved, or play: nothing is written.
    const std::string quiet[] = {
        "wait 0.1\n" + key("PageUp") + key("F2") + "close\n",
        "wait 0.1\n" + keyAt(100, 100, "a") + key("Ctrl+Z") + kOpenMenu + "click 100 475\n",
        "wait 0.1\n" + keyAt(100, 100, "a") + save() + key("Escape"),
    };
    for (const std::string& script : quiet) {
        r = runScript(script, {"x.zag", "pravi"}, {{"x.zag", kEditorPuzzle}});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_FALSE(fileExists(r.dir + "/x.zag~")) << script;
        EXPECT_EQ(r.err.find("unsaved"), std::string::npos) << r.err;
    }
    r = runScript(kContinue + drag(100, 100, 200, 200) + key("Escape"), {"p.zag"},
                  {{"p.zag", kPuzzle}, {"p.zap", kSaved}});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(fileExists(r.dir + "/p.zag~"));
}

}  // namespace
