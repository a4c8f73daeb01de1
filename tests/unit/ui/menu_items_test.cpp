// The menu's file items act once per press, however many passes the button
// stays down over them.
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
    // the press is spent on its first row.
    play(
        "click 100 435\nwait 0.1\nclick 100 435\nwait 0.1\n"
        "move 100 435\npress left\nwait 0.05\nmove 100 405\nwait 0.05\n"
        "move 100 435\nwait 0.05\nrelease left\nwait 0.1\nkey Escape\n");
    testing::internal::CaptureStderr();
    runMenu();
    err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countOf(err, "could not save"), 3) << err;
    EXPECT_TRUE(std::filesystem::is_directory("p.zap"));
}

// Failed readings (the pointer off the picture or out of the window) do not
// end a press: it stays spent until a good reading shows no button down,
// wherever the pointer went, and then the next press acts again.
TEST_F(UiTest, APressStaysOneActionWhereverThePointerGoes) {
    openLevels(2);
    levelList = {1, 0};
    puzzleFileName = "p.zag";
    std::filesystem::create_directory("p.zap");
    play(
        "move 100 435\npress left\nwait 0.05\nleave\nwait 0.05\nmove 100 435\nwait 0.05\n"
        "move 50 15\nwait 0.05\nleave\nwait 0.05\nmove 100 435\nwait 0.05\n"
        "release left\nwait 0.05\nleave\npress left\nwait 0.05\nrelease left\nwait 0.05\n"
        "move 100 435\nwait 0.05\npress left\nwait 0.05\nrelease left\nwait 0.1\n"
        "click 100 405\nwait 0.1\nkey Escape\n");
    testing::internal::CaptureStderr();
    runMenu();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(headlessScriptDone());
    // The held press saved once and did not pick level 1 on its way; the
    // press and release outside the window did nothing; the last click saved.
    EXPECT_EQ(countOf(err, "could not save"), 2) << err;
    // Continue says once why it read nothing (the saved game is a folder).
    EXPECT_EQ(countOf(err, "orvet: cannot read \"p.zap\": Is a directory; nothing continued\n"), 1)
        << err;
    EXPECT_EQ(currentLevel, 0);
    EXPECT_EQ(levelList, (std::vector<uint16_t>{1, 0}));
}

}  // namespace
