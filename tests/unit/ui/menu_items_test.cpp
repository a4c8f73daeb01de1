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

    // A press held on save, then moved to continue and back while still held.
    play(
        "click 100 435\nwait 0.1\nclick 100 435\nwait 0.1\n"
        "move 100 435\npress left\nwait 0.05\nmove 100 405\nwait 0.05\n"
        "move 100 435\nwait 0.05\nrelease left\nwait 0.1\nkey Escape\n");
    testing::internal::CaptureStderr();
    runMenu();
    err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countOf(err, "could not save"), 4) << err;
    EXPECT_TRUE(std::filesystem::is_directory("p.zap"));
}

}  // namespace
