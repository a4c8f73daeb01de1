// pickRow's answers and latches, waitForRelease, and the fixed texts.
#include "ui/ui_texts.h"
#include "ui_fixture.h"

namespace {
int8_t pickAt(int y, int buttons, int failed = 0) {
    mouseX = 100;
    mouseY = y;
    mouseButtons = buttons;
    mouseFailed = failed;
    return pickRow();
}
}  // namespace

TEST_F(UiTest, PickRowAnswers) {
    clearPage();
    EXPECT_EQ(pickAt(95, 1), 3);
    EXPECT_EQ(pickAt(479, 3), 15);  // the left button wins
    EXPECT_EQ(pickAt(95, 2), -1);
    EXPECT_EQ(pickAt(95, 1, -1), -2);  // failed reading
    EXPECT_EQ(rowInk(workPage(), 2) + rowInk(workPage(), 3), 0);
    EXPECT_EQ(pickAt(95, 4), -2);  // no left or right: hover lines around row 3
    EXPECT_EQ(pixelAt(workPage(), 0, 90), 0);
    EXPECT_EQ(pixelAt(workPage(), 639, 120), 0);
    EXPECT_EQ(rowInk(workPage(), 3), 0);
}

TEST_F(UiTest, LatchesHoldUntilNoButtonIsDown) {
    leftLatch = 255;
    EXPECT_EQ(pickAt(95, 1), -2);
    EXPECT_EQ(pickAt(95, 2), -3);
    EXPECT_EQ(pickAt(95, -1, -1), -2);
    EXPECT_EQ(leftLatch, 255);
    rightLatch = 255;
    EXPECT_EQ(pickAt(95, 0), -2);
    EXPECT_EQ(leftLatch + rightLatch, 0);
    EXPECT_EQ(pickAt(95, 1), 3);
}

TEST_F(UiTest, WaitForReleaseNeedsAGoodReadingWithoutButtons) {
    play("move 100 100\npress left\nwait 0.02\nleave\nwait 0.02\nrelease left\nmove 200 50\n");
    waitForRelease();
    EXPECT_GE(headlessNow(), 0.04);
    EXPECT_EQ(mouseX, 200);
    headlessSetMouse(100, 100, 1);  // held for good: only the program's end stops it
    endProgram();
    waitForRelease();
    EXPECT_EQ(mouseButtons, 1);
}

TEST_F(UiTest, CloseButtonEndsTheWaitForRelease) {
    // Held down outside the window: only the close button can end the wait.
    play("move 100 100\npress left\nwait 0.02\nleave\nwait 0.5\nclose\n");
    waitForRelease();
    EXPECT_TRUE(programEnding());
    EXPECT_GE(headlessNow(), 0.5);
}

TEST(UiTexts, AreTheCyrillicWordsInWindows1251) {
    EXPECT_EQ(cp1251ToUtf8(kPageWord), "страна ");
    EXPECT_EQ(cp1251ToUtf8(kHelpItem), "помоћ");
    EXPECT_EQ(cp1251ToUtf8(kChecksumItem), "рачунај CRC");
    EXPECT_EQ(cp1251ToUtf8(kContinueItem), "настави");
    EXPECT_EQ(cp1251ToUtf8(kSaveItem), "запамти");
    EXPECT_EQ(cp1251ToUtf8(kExitItem), "изађи");
    const char* const help[kHelpLineCount] = {"Споји све тачке",
                                              "Притисни десним на линију за прелетање",
                                              "Прелети ван тачака да вратиш наслов",
                                              "У изборнику",
                                              "Десно дугме отвара и затвара изборник",
                                              "Одабери наслов да видиш ниво",
                                              "Било које дугме затвара ову страну"};
    for (int i = 0; i < kHelpLineCount; ++i) {
        const HelpLine& line = kHelpLines[i];
        EXPECT_EQ(cp1251ToUtf8(line.text), help[i]);
        if (line.text.size() > line.perLine) {  // the break falls between two words
            EXPECT_EQ(line.text[line.perLine - 1], ' ') << i;
            EXPECT_NE(line.text[line.perLine], ' ') << i;
        }
    }
}
