// Start-up, the main loop and the editor's key dispatch.
#include "app/game.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "text/key_map.h"

namespace {

class GameTest : public AppTest {
   protected:
    void SetUp() override {
        AppTest::SetUp();
        char pattern[] = "/tmp/orvet-app-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        oldDir_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }

    void TearDown() override {
        std::filesystem::current_path(oldDir_);
        std::filesystem::remove_all(dir_);
        AppTest::TearDown();
    }

    static void writeFile(const std::string& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }

    // Runs the game with the given arguments after program name.
    static int run(std::vector<std::string> args) {
        args.insert(args.begin(), "orvet");
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        return runGame(static_cast<int>(args.size()), argv.data());
    }

    // Runs with stderr captured.
    static int runCapturing(std::vector<std::string> args, std::string& err) {
        ::testing::internal::CaptureStderr();
        const int status = run(std::move(args));
        err = ::testing::internal::GetCapturedStderr();
        return status;
    }

    std::filesystem::path dir_;
    std::filesystem::path oldDir_;
};

// Two levels: codes "1" and "2", two points each, one segment.
const char* const kTwoLevels =
    "\"LVL\"\r\n49,\"code\"\r\n120,200,-32,300,250,-31,\"points\"\r\n1,\"paths\"\r\n\r\n"
    "\"LVL\"\r\n50,\"code\"\r\n100,100,-32,500,400,-31,\"points\"\r\n2,\"paths\"\r\n\r\n"
    "0\r\n\"END\"\r\n";

TEST_F(GameTest, CapitalPraviSelectsEditorAndTitleDropsZag) {
    queueKey("\x1B");
    std::string err;
    EXPECT_EQ(runCapturing({"x.zag", "PRAVI"}, err), 0);
    EXPECT_TRUE(editorMode);
    EXPECT_EQ(windowTitle(), "Orvet: x");
    EXPECT_EQ(err, "orvet: \"x.zag\" does not exist yet; starting a new puzzle\n");
}

TEST_F(GameTest, SuffixTestIsCaseSensitive) {
    queueKey("\x1B");
    std::string err;
    EXPECT_EQ(runCapturing({"levels.ZAG"}, err), 0);
    EXPECT_FALSE(editorMode);
    EXPECT_EQ(windowTitle(), "Orvet: levels.ZAG");
    EXPECT_EQ(err, "orvet: puzzle \"levels.ZAG\" not found; showing an empty level\n");
    // One empty level, as start-up made it.
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(thisLevel().lastPoint, -1);
    EXPECT_EQ(levelList, std::vector<uint16_t>{0});
}

TEST_F(GameTest, CyrillicFileNameShowsInTheTitle) {
    queueKey("\x1B");
    std::string err;
    EXPECT_EQ(runCapturing({"\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0.zag"}, err), 0);
    // игра in Windows-1251, as every text the window shows.
    EXPECT_EQ(windowTitle(), "Orvet: \xE8\xE3\xF0\xE0");
}

TEST_F(GameTest, OtherSecondArgumentsMeanPlay) {
    queueKey("\x1B");
    std::string err;
    run({"x.zag", "pravim"});
    EXPECT_FALSE(editorMode);
    queueKey("\x1B");
    runCapturing({"x.zag", "PrAvI", "extra"}, err);
    EXPECT_TRUE(editorMode);
}

TEST_F(GameTest, FileWithoutLvlIsReported) {
    writeFile("notes.zag", "hello\r\n");
    queueKey("\x1B");
    std::string err;
    EXPECT_EQ(runCapturing({"notes.zag"}, err), 0);
    EXPECT_EQ(err,
              "orvet: \"notes.zag\" is not a puzzle file (it does not begin with \"LVL\"); "
              "showing an empty level\n");
    EXPECT_EQ(windowTitle(), "Orvet: notes");
}

TEST_F(GameTest, UnreadableFileIsReportedWithItsReason) {
    std::filesystem::create_directory("dir.zag");
    queueKey("\x1B");
    std::string err;
    EXPECT_EQ(runCapturing({"dir.zag"}, err), 0);
    EXPECT_EQ(err, "orvet: cannot read \"dir.zag\": Is a directory; showing an empty level\n");
    EXPECT_EQ(windowTitle(), "Orvet: dir");
    EXPECT_EQ(thisLevel().lastPoint, -1);
}

TEST_F(GameTest, PuzzleLoadsQuietlyAndOpensOnlyLevelZeroInPlay) {
    writeFile("two.zag", kTwoLevels);
    queueKey("\x1B");
    std::string err;
    EXPECT_EQ(runCapturing({"two.zag"}, err), 0);
    EXPECT_EQ(err, "");
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levelList, std::vector<uint16_t>{0});
    EXPECT_EQ(currentLevel, 0);
    EXPECT_EQ(thisLevel().code, "1");
}

TEST_F(GameTest, EditorOpensEveryLevel) {
    writeFile("two.zag", kTwoLevels);
    queueKey("\x1B");
    EXPECT_EQ(run({"two.zag", "pravi"}), 0);
    EXPECT_EQ(lastLevel, 1);
    EXPECT_EQ((levelList), (std::vector<uint16_t>{0, 1}));
    EXPECT_EQ(currentLevel, 0);
}

TEST_F(GameTest, EscapeEndsAfterThatPassFrameIsDrawn) {
    writeFile("two.zag", kTwoLevels);
    queueKey("\x1B");
    const uint8_t pageBefore = drawPage;
    EXPECT_EQ(run({"two.zag"}), 0);
    // Exactly one frame: one flip of the pages.
    EXPECT_NE(drawPage, pageBefore);
    EXPECT_FALSE(programEnding());
}

TEST_F(GameTest, CloseButtonEndsAtTheEndOfThePass) {
    writeFile("two.zag", kTwoLevels);
    queueCloseRequest();
    const uint8_t pageBefore = drawPage;
    EXPECT_EQ(run({"two.zag", "pravi"}), 0);
    EXPECT_NE(drawPage, pageBefore);
    // The close button's key reached the editor as a two-byte key: no point.
    EXPECT_EQ(levels[0].lastPoint, 1);
}

TEST_F(GameTest, PlayModeIgnoresEditorKeys) {
    for (const char* key : {"0", "*", "5", "a", "\xFFR", "\xFFS", "\xFFI", "\xFFQ", "\x1B"}) {
        queueKey(key);
    }
    std::string err;
    EXPECT_EQ(runCapturing({"new.zag"}, err), 0);
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(thisLevel().lastPoint, -1);
    EXPECT_EQ(thisLevel().attractor.flag, 0);
    EXPECT_EQ(thisLevel().paths.lastSlot, 0);
}

TEST_F(GameTest, EditorKeysReachTheLevelThroughTheLoop) {
    for (const char* key : {"*", "5", "a", "\xFFR", "\x1B"}) queueKey(key);
    headlessSetMouse(40, 60, 0);
    std::string err;
    EXPECT_EQ(runCapturing({"new.zag", "pravi"}, err), 0);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].attractor.flag, -1);
    EXPECT_EQ(levels[0].paths.lastSlot, 11);
    ASSERT_EQ(levels[0].lastPoint, 0);
    EXPECT_EQ(static_cast<uint8_t>(levels[0].points[0].flag), keyMap[static_cast<uint8_t>('a')]);
    EXPECT_EQ(currentLevel, 1);
}

TEST_F(GameTest, PointerPositionIsReadAtTheEndOfEachPass) {
    // The first key arrives only after a few passes, so the mouse has been read.
    std::string error;
    ASSERT_TRUE(
        headlessLoadScript("move 40 60\nwait 0.05\nkey *\nleave\nwait 0.05\nkey Escape\n", error))
        << error;
    std::string err;
    EXPECT_EQ(runCapturing({"new.zag", "pravi"}, err), 0);
    EXPECT_FLOAT_EQ(thisLevel().attractor.x, 40);
    EXPECT_FLOAT_EQ(thisLevel().attractor.y, 60);
    // Outside the window the last good position stays, the buttons read -1.
    EXPECT_EQ(mouseX, 40);
    EXPECT_EQ(mouseY, 60);
    EXPECT_EQ(mouseButtons, -1);
}

TEST_F(GameTest, WithoutArgumentsTheChooserRunsFirst) {
    writeFile("a.zag", kTwoLevels);
    writeFile("b.zag", kTwoLevels);
    queueKey("\x1B");  // read by the chooser, which ends the program
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(windowTitle(), "Orvet: Odaberi zagonetku");
    EXPECT_EQ(levels.size(), 1u);
}

TEST_F(GameTest, ChosenFileIsReadAndNamesTheWindow) {
    writeFile("only.zag", kTwoLevels);  // a single file is taken without asking
    queueKey("\x1B");
    std::string err;
    EXPECT_EQ(runCapturing({}, err), 0);
    EXPECT_EQ(puzzleFileName, "only.zag");
    EXPECT_EQ(windowTitle(), "Orvet: only");
    EXPECT_EQ(levels.size(), 2u);
    EXPECT_EQ(err, "");
}

TEST_F(GameTest, LevelSolvedHookReleasesTheGrab) {
    queueKey("\x1B");
    std::string err;
    runCapturing({"new.zag"}, err);
    ASSERT_NE(levelSolvedHook, nullptr);
    grabTarget = 3;
    queueKey("\x1B");  // closes the menu the hook opens
    levelSolvedHook();
    EXPECT_EQ(grabTarget, -1);
    EXPECT_EQ(readKey(), "");
}

class EditorKeyTest : public AppTest {
   protected:
    void SetUp() override {
        AppTest::SetUp();
        editorMode = true;
        buildKeyMap();
        // Three levels, level 1 current.
        levels.resize(3);
        for (Level& level : levels) level.setPointCount(0);
        lastLevel = 2;
        rebuildLevelList();
        selectLevel(1);
    }
};

TEST_F(EditorKeyTest, InsertThenDeleteRebuildTheList) {
    dispatchEditorKey("\xFFR");
    ASSERT_EQ(levels.size(), 4u);
    EXPECT_EQ((levelList), (std::vector<uint16_t>{3, 1, 2, 0}));
    EXPECT_EQ(currentLevel, 3);
    EXPECT_EQ(thisLevel().code, "3");

    dispatchEditorKey("\xFFS");
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_EQ((levelList), (std::vector<uint16_t>{2, 1, 0}));
    EXPECT_EQ(currentLevel, 2);
}

TEST_F(EditorKeyTest, PagingStopsAtBothEnds) {
    dispatchEditorKey("\xFFQ");  // Page Down: 1 -> 0
    EXPECT_EQ(currentLevel, 0);
    const std::vector<uint16_t> listAtZero = levelList;
    dispatchEditorKey("\xFFQ");
    EXPECT_EQ(currentLevel, 0);
    EXPECT_EQ(levelList, listAtZero);

    dispatchEditorKey("\xFFI");
    dispatchEditorKey("\xFFI");
    EXPECT_EQ(currentLevel, 2);
    const std::vector<uint16_t> listAtLast = levelList;
    dispatchEditorKey("\xFFI");
    EXPECT_EQ(currentLevel, 2);
    EXPECT_EQ(levelList, listAtLast);
}

TEST_F(EditorKeyTest, ZeroDeletesAndDigitsMakePaths) {
    mouseX = 200;
    mouseY = 150;
    dispatchEditorKey("k");
    dispatchEditorKey("*");
    ASSERT_EQ(thisLevel().lastPoint, 0);
    EXPECT_EQ(thisLevel().attractor.flag, -1);

    dispatchEditorKey("0");  // not a path of 0 segments: deletes
    EXPECT_EQ(thisLevel().lastPoint, -1);
    EXPECT_EQ(thisLevel().attractor.flag, 0);

    dispatchEditorKey("7");
    EXPECT_EQ(thisLevel().paths.lastSlot, 15);
    dispatchEditorKey("9");
    EXPECT_EQ(thisLevel().paths.lastSlot, 19);
}

TEST_F(EditorKeyTest, EverySingleByteAddsAMappedPoint) {
    mouseX = 320;
    mouseY = 240;
    const std::vector<std::string> keys = {"k", " ", "\r", "\b", "\xEA", "\xFF"};
    for (const std::string& key : keys) dispatchEditorKey(key);
    ASSERT_EQ(thisLevel().lastPoint, static_cast<int>(keys.size()) - 1);
    for (size_t i = 0; i < keys.size(); ++i) {
        const Vector& p = thisLevel().points[i];
        EXPECT_FLOAT_EQ(p.x, 320);
        EXPECT_FLOAT_EQ(p.y, 240);
        EXPECT_EQ(static_cast<uint8_t>(p.flag), keyMap[static_cast<uint8_t>(keys[i][0])]);
    }
    EXPECT_EQ(static_cast<uint8_t>(thisLevel().points[0].flag), 0xEA);  // k gives к
}

TEST_F(EditorKeyTest, OtherKeysDoNothing) {
    mouseX = 320;
    mouseY = 240;
    for (const char* key : {"", "\xFFH", "\xFFk", "\xFF;", "ab"}) dispatchEditorKey(key);
    EXPECT_EQ(thisLevel().lastPoint, -1);
    EXPECT_EQ(levels.size(), 3u);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(thisLevel().paths.lastSlot, 0);
}

}  // namespace
