// Drawing text: line breaks after every full line and the start position.
#include <string>

#include "text_fixture.h"

namespace {

using Text = TextTest;

TEST_F(Text, FullLineEndsAtTheStartOfTheNextLine) {
    drawText(40, 100, "ABCD", 4);
    expectLastPoint(40, 125);
    drawText(10, 30, "LL", 1);
    expectLastPoint(10, 80);
    EXPECT_TRUE(inked(10, 30) && inked(10, 55));
    drawText(10, 30, "ABCDE", 0);  // no wrapping at all
    expectLastPoint(135, 30);
}

TEST_F(Text, CharacterAfterTwoFullLinesStartsTwoLinesDown) {
    drawText(40, 100, std::string(6, ' ') + 'A', 3);
    expectLastPoint(65, 150);
    const Pixels drawn = ink();
    freshPage();
    setLastPoint(40, 150);
    drawGlyph('A');
    EXPECT_EQ(ink(), drawn);
}

TEST_F(Text, StartsAtItsOwnPositionEvenANegativeOne) {
    setLastPoint(300, 300);
    drawText(-25, 30, std::string_view("L\0L", 3), 99);
    EXPECT_TRUE(inked(25, 30) && inked(25, 10));
    EXPECT_FALSE(inked(0, 30));  // the zero byte is a blank
    EXPECT_FALSE(inked(300, 300));
    expectLastPoint(50, 30);
}

}  // namespace
