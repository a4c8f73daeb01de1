// The menu: closing, ending the program, paging, picking, code typing, the
// list colour and the help page.
#include "level/checksum.h"
#include "ui_fixture.h"

TEST_F(UiTest, MenuClosesOnEscapeOrRightClickAndEndsOnExitOrClose) {
    openLevels(2);
    queueKey("\x1b");
    runMenu();
    EXPECT_EQ(readKey(), "");  // used up by the menu
    EXPECT_EQ(rightLatch, 0);

    headlessSetMouse(50, 45, 2);  // over a level: the right button only closes
    runMenu();
    EXPECT_EQ(rightLatch, 255);
    EXPECT_EQ(currentLevel, 0);
    EXPECT_FALSE(programEnding());

    rightLatch = 0;  // as after a pass with no button down
    headlessSetMouse(100, 465, 1);
    runMenu();
    EXPECT_TRUE(programEnding());

    resetDisplayState();
    headlessSetMouse(50, 45, 1);  // the close event wins over this pass's pick
    queueCloseRequest();
    runMenu();
    EXPECT_TRUE(programEnding());
    EXPECT_EQ(currentLevel, 0);
}

TEST_F(UiTest, PageLineFromElevenEntriesAndItsClicksWrap) {
    openLevels(10);
    queueKey("\x1b");
    runMenu();
    EXPECT_GT(rowInk(workPage(), 9), 0);
    EXPECT_EQ(rowInk(workPage(), 11), 0);

    openLevels(11);
    queueKey("\x1b");
    runMenu();
    EXPECT_TRUE(showsPageLine(11, 1));

    play("click 400 340\nwait 0.1\nkey Escape\n");  // right half: page 2, one entry
    runMenu();
    EXPECT_EQ(menuPage, 1);
    EXPECT_GT(rowInk(workPage(), 0), 0);
    EXPECT_EQ(rowInk(workPage(), 1), 0);
    EXPECT_TRUE(showsPageLine(11, 2));
    play("click 400 340\nwait 0.1\nkey Escape\n");  // one page per held click: wraps
    runMenu();
    EXPECT_EQ(menuPage, 0);
    play("click 20 340\nwait 0.1\nkey Escape\n");  // left half from page 1: the last
    runMenu();
    EXPECT_EQ(menuPage, 1);

    openLevels(21);  // three pages: a held click still moves one page
    play("click 20 340\nwait 0.1\nkey Escape\n");
    runMenu();
    EXPECT_EQ(menuPage, 0);
}

// Two clicks handed over back to back (a busy game reads a batch of clicks in
// turn): the page row's wait for release ends the first press, so the second
// is a new one.
TEST_F(UiTest, BackToBackClicksOnThePageRowEachMoveAPage) {
    openLevels(31);
    play(
        "press left\nmove 400 340\nwait 0.05\nrelease left\nwait 0.002\npress left\n"
        "wait 0.05\nrelease left\nwait 0.1\nkey Escape\n");
    runMenu();
    EXPECT_EQ(menuPage, 2);
}

TEST_F(UiTest, PickingALevelSelectsItAndPutsItFirst) {
    openLevels(12);
    menuPage = 1;
    headlessSetMouse(50, 45, 1);  // row 1 of page 2: entry 11
    runMenu();
    EXPECT_EQ(currentLevel, 11);
    EXPECT_EQ(levelList[0], 11);
    EXPECT_EQ(levelList[11], 0);
}

TEST_F(UiTest, EntriesWithoutALevelAreNeitherDrawnNorPicked) {
    openLevels(2);
    levelList.push_back(7);         // names no level
    for (int y : {75, 135, 310}) {  // that entry's row, an empty row, row 10
        play("move 50 " + std::to_string(y) + "\npress left\nwait 0.02\nkey Escape\n");
        runMenu();
        EXPECT_EQ(currentLevel, 0) << y;
        EXPECT_EQ(levelList, (std::vector<uint16_t>{0, 1, 7}));
    }
    EXPECT_EQ(rowInk(visiblePage(), 2), 0);
}

TEST_F(UiTest, EditorTypesIntoTheCodeUnderThePointer) {
    editorMode = true;
    openLevels(2);
    levelList.push_back(9);
    const auto typeAt = [](int y, std::initializer_list<const char*> keys) {
        headlessSetMouse(100, y, 0);
        for (const char* k : keys) queueKey(k);
        queueKey("\x1b");
        runMenu();
    };
    typeAt(40, {"a", "[", "A", "\xFFH", "\r"});
    EXPECT_EQ(levels[1].code, std::string("L1\xE0\xF8\x41\xFF\r"));
    typeAt(40, {"\b", "\b"});
    EXPECT_EQ(levels[1].code, "L1\xE0\xF8\x41");
    for (int y : {70, 100, 310, 340}) typeAt(y, {"a"});  // no level, empty, rows 10, 11
    EXPECT_EQ(levels[0].code, "L0");
    EXPECT_EQ(levels[1].code, "L1\xE0\xF8\x41");

    // The pass shown before Escape drew the bar after the fifth character.
    play("move 100 40\nwait 0.01\nkey Escape\n");
    runMenu();
    EXPECT_EQ(pixelAt(visiblePage(), 25 * 5 + 20, 30), 2);
    EXPECT_EQ(pixelAt(visiblePage(), 25 * 5 + 20, 55), 2);

    editorMode = false;  // play takes no typing
    typeAt(40, {"a"});
    EXPECT_EQ(levels[1].code, "L1\xE0\xF8\x41");
}

TEST_F(UiTest, ListColourFollowsTheChecksum) {
    editorMode = true;
    openLevels(2);
    storedChecksum = levelChecksum() + 1;
    play("click 100 370\nwait 0.1\nkey Escape\n");  // "рачунај CRC"
    runMenu();
    EXPECT_EQ(storedChecksum, levelChecksum());
    EXPECT_TRUE(rowInkIs(workPage(), 0, 1));
    EXPECT_TRUE(rowInkIs(workPage(), 13, 0));

    headlessSetMouse(100, 15, 0);  // the first code edit turns it back
    queueKey("b");
    queueKey("\x1b");
    runMenu();
    EXPECT_TRUE(rowInkIs(workPage(), 0, 0));
    EXPECT_TRUE(rowInkIs(workPage(), 1, 0));
}

TEST_F(UiTest, HelpRowOpensTheHelpPageUntilAButtonOrEscape) {
    openLevels(2);
    // The click on level 1 is taken by the help page, not by the list.
    play("click 100 370\nwait 0.1\nclick 50 45\nwait 0.1\nkey Escape\n");
    runMenu();
    EXPECT_FALSE(programEnding());
    EXPECT_TRUE(headlessScriptDone());
    EXPECT_EQ(currentLevel, 0);

    headlessSetMouse(300, 200, 0);
    queueKey("\x1b");
    showHelpPage();
    EXPECT_EQ(readKey(), "");
    const int page = visiblePage();  // shown at once, lines broken at their counts
    EXPECT_GT(rowInk(page, 0), 0);
    EXPECT_GT(rowInk(page, 3), 0);   // second line of the second text (baseline 110)
    EXPECT_EQ(rowInk(page, 6), 0);   // rows 180..209 are blank
    EXPECT_GT(rowInk(page, 15), 0);  // "ову страну" at 470

    queueCloseRequest();
    showHelpPage();
    EXPECT_TRUE(programEnding());
}
