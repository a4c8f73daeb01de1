// A held press acts on each row it reaches, as a press does; the file items
// act once per arrival, however many passes the button stays down on them.
#include <filesystem>

#include "level/saved_game.h"
#include "ui_fixture.h"

namespace {

int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST_F(UiTest, OneClickOnSaveWritesOnceAndEachNewClickAgain) {
    openLevels(1);
    puzzleFileName = "p.zag";
    std::filesystem::create_directory("p.zap");  // every write fails and says so

    // A 50 ms click spans many passes of the menu.
    play("click 100 435\nwait 0.1\nkey Escape\n");
    testing::internal::CaptureStderr();
    runMenu();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countOf(err, "could not save"), 1) << err;

    // A press held on save, then moved to continue and back while still held:
    // save, continue and save again, each once.
    play(
        "click 100 435\nwait 0.1\nclick 100 435\nwait 0.1\n"
        "move 100 435\npress left\nwait 0.05\nmove 100 405\nwait 0.05\n"
        "move 100 435\nwait 0.05\nrelease left\nwait 0.1\nkey Escape\n");
    testing::internal::CaptureStderr();
    runMenu();
    err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countOf(err, "could not save"), 4) << err;
    EXPECT_EQ(countOf(err, "nothing continued"), 1) << err;
    EXPECT_TRUE(std::filesystem::is_directory("p.zap"));
}

// Failed readings (the pointer off the picture or out of the window) do not
// end a press: a row that acted does not act again on the pointer's return,
// but another row the press reaches acts, a level row too; a press outside
// the window does nothing.
TEST_F(UiTest, APressActsOncePerRowItReachesWhereverThePointerGoes) {
    openLevels(2);
    levelList = {1, 0};
    puzzleFileName = "p.zag";
    std::filesystem::create_directory("p.zap");
    play(
        "move 100 435\npress left\nwait 0.05\nleave\nwait 0.05\nmove 100 435\nwait 0.05\n"
        "leave\nwait 0.05\nmove 100 435\nwait 0.05\n"
        "release left\nwait 0.05\nleave\npress left\nwait 0.05\nrelease left\nwait 0.05\n"
        "move 100 405\nwait 0.05\npress left\nwait 0.05\nleave\nwait 0.05\nmove 100 405\n"
        "wait 0.05\nmove 100 315\nwait 0.05\nmove 50 15\nwait 0.1\nkey Escape\n");
    testing::internal::CaptureStderr();
    runMenu();
    const std::string err = testing::internal::GetCapturedStderr();
    // The first press saved once; the second read the saved game once, slid
    // over the empty row 10 and picked level 1 on row 0, closing the menu.
    EXPECT_EQ(countOf(err, "could not save"), 1) << err;
    EXPECT_EQ(countOf(err, "orvet: cannot read \"p.zap\": Is a directory; nothing continued\n"), 1)
        << err;
    EXPECT_FALSE(headlessScriptDone());
    EXPECT_EQ(currentLevel, 1);
}

// A press that starts on a row that does nothing (an empty list row) and
// slides onto the exit item ends the game there and then.
TEST_F(UiTest, APressSlidingOntoExitEndsTheGame) {
    openLevels(1);
    play("move 100 165\npress left\nwait 0.05\nmove 100 465\nwait 0.05\nkey Escape\n");
    runMenu();
    EXPECT_TRUE(programEnding());
}

}  // namespace
