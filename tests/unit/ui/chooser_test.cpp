// The puzzle file chooser over the scratch directory's ".zag" files.
#include "ui_fixture.h"

TEST_F(UiTest, ZeroOrOneFileIsChosenWithoutShowing) {
    touch("notes.txt");
    puzzleFileName = "stale";
    chooseFile();
    EXPECT_EQ(puzzleFileName, "");
    touch("only.zag");
    queueKey("\x1b");  // would end the program if the chooser showed
    chooseFile();
    EXPECT_EQ(puzzleFileName, "only.zag");
    EXPECT_EQ(drawPage, 0);
    EXPECT_FALSE(programEnding());
}

TEST_F(UiTest, TwoFilesShowOnePageAndAClickChoosesTheFirstListed) {
    touch("b1.zag");
    touch("b2.zag");
    headlessSetMouse(100, 15, 1);
    chooseFile();
    EXPECT_EQ(puzzleFileName, listing()[0]);
    EXPECT_GT(rowInk(workPage(), 1), 0);
    EXPECT_EQ(rowInk(workPage(), 2), 0);
    EXPECT_EQ(rowInk(workPage(), 14), 0);
}

TEST_F(UiTest, FourteenFilesPageBothWays) {
    for (int i = 0; i < 14; ++i) touch("f" + std::to_string(100 + i) + ".zag");
    const std::vector<std::string> names = listing();
    play("click 400 430\nwait 0.1\nclick 100 15\n");  // right half: page 2, one name
    chooseFile();
    EXPECT_EQ(puzzleFileName, names[13]);
    EXPECT_EQ(rowInk(workPage(), 1), 0);
    EXPECT_TRUE(showsPageLine(14, 2));

    chooserPage = 0;
    play("click 100 430\nwait 0.1\nclick 100 15\n");  // left half from page 1: the last
    chooseFile();
    EXPECT_EQ(puzzleFileName, names[13]);
    play("click 400 430\nwait 0.1\nclick 100 45\n");  // past the last: back to page 1
    chooseFile();
    EXPECT_EQ(puzzleFileName, names[1]);
    EXPECT_TRUE(showsPageLine(14, 1));
}

TEST_F(UiTest, NamesLoseTheirExtensionOnlyOnScreen) {
    touch("ab.zag");
    touch(".zag");
    const bool abFirst = listing()[0] == "ab.zag";
    headlessSetMouse(100, abFirst ? 45 : 15, 1);  // the empty-named file's row
    chooseFile();
    EXPECT_EQ(puzzleFileName, ".zag");
    EXPECT_EQ(rowInk(workPage(), abFirst ? 1 : 0), 0);
    const int abRow = abFirst ? 0 : 1;
    const std::vector<uint8_t> shown = rowPixels(workPage(), abRow);
    clearPage();
    drawText(20, int16_t(30 * abRow + 25), "ab", 99);
    EXPECT_EQ(rowPixels(workPage(), abRow), shown);

    headlessSetMouse(100, 30 * abRow + 15, 1);
    chooseFile();
    EXPECT_EQ(puzzleFileName, "ab.zag");
}

TEST_F(UiTest, ChooserEndsOnExitEscapeOrCloseAndIgnoresOtherClicks) {
    touch("a.zag");
    touch("b.zag");
    // Right button on a name, then row 13 and an empty row: nothing; Escape ends.
    play(
        "move 100 15\npress right\nwait 0.01\nrelease right\nmove 100 400\npress left\n"
        "wait 0.01\nmove 100 100\nwait 0.01\nkey Escape\n");
    chooseFile();
    EXPECT_TRUE(programEnding());
    EXPECT_EQ(puzzleFileName, "");

    resetDisplayState();
    headlessSetMouse(100, 465, 1);
    chooseFile();
    EXPECT_TRUE(programEnding());

    resetDisplayState();
    headlessSetMouse(100, 15, 1);
    queueCloseRequest();
    chooseFile();
    EXPECT_TRUE(programEnding());
    EXPECT_EQ(puzzleFileName, "");
}
