// The glyph table: its sharing, the metrics every glyph keeps, and the
// letters that must look alike or apart.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include "text_fixture.h"

namespace {

using Glyphs = TextTest;

bool isBlankGlyph(int b) {
    return std::strcmp(glyphTable[b], "br25") == 0;
}

TEST_F(Glyphs, FiftyFiveGlyphsServeOneHundredTwentyFourBytes) {
    std::set<std::string> distinct;
    int own = 0;
    for (int b = 0; b < 256; ++b) {
        ASSERT_NE(glyphTable[b], nullptr) << b;
        if (!isBlankGlyph(b)) ++own, distinct.insert(glyphTable[b]);
    }
    EXPECT_EQ(own, 124);
    EXPECT_EQ(distinct.size(), 55u);
    for (int b : {32, 44, 46, 201, 217, 218, 223, 190}) EXPECT_TRUE(isBlankGlyph(b)) << b;
}

TEST_F(Glyphs, EveryGlyphAdvancesTwentyFiveAndStaysInItsCell) {
    for (int b = 0; b < 256; ++b) {
        freshPage();
        setLastPoint(100, 200);
        drawGlyph(static_cast<uint8_t>(b));
        EXPECT_EQ(lastPointX(), 125.0f) << b;
        EXPECT_EQ(lastPointY(), 200.0f) << b;
        const Pixels drawn = ink();
        EXPECT_EQ(drawn.empty(), isBlankGlyph(b)) << b;
        for (const auto& [x, y] : drawn) {
            EXPECT_TRUE(x >= 100 && x <= 120 && y >= 180 && y <= 200)
                << b << " at " << x << "," << y;
        }
    }
}

TEST_F(Glyphs, LettersOfOneShapeLookTheSame) {
    drawText(100, 200, "\x41\xE0\xC0", 99);  // A, а, А
    const Pixels first = ink(100, 180, 25, 21);
    EXPECT_EQ(ink(125, 180, 25, 21), first);
    EXPECT_EQ(ink(150, 180, 25, 21), first);
    freshPage();
    drawText(100, 200, "3\xC7", 99);  // 3, З
    EXPECT_EQ(ink(125, 180, 25, 21), ink(100, 180, 25, 21));
}

TEST_F(Glyphs, ZeroIsTheLetterOWithASlash) {
    drawText(100, 200, "0O", 99);
    const Pixels zero = ink(100, 180, 25, 21);
    for (const auto& p : ink(125, 180, 25, 21)) {
        EXPECT_TRUE(std::find(zero.begin(), zero.end(), p) != zero.end());
    }
    EXPECT_TRUE(inked(115, 190));  // the middle of the slash
    EXPECT_FALSE(inked(140, 190));
}

// FNV-1a, 64 bits: the pins below change with any byte that goes in.
struct Fnv {
    uint64_t value = 14695981039346656037ull;
    void add(uint8_t byte) { value = (value ^ byte) * 1099511628211ull; }
    void add(int32_t n) {
        for (int i = 0; i < 4; ++i) add(uint8_t(uint32_t(n) >> (8 * i)));
    }
};

// The whole table pinned, so a typo inside a glyph that keeps its width and
// its cell cannot pass: once as the strings themselves, once as what each
// glyph draws (every inked pixel, in page order) and where it leaves the pen.
TEST_F(Glyphs, EveryGlyphsStrokesArePinned) {
    Fnv strings;
    Fnv drawn;
    for (int b = 0; b < 256; ++b) {
        for (const char* c = glyphTable[b]; *c != '\0'; ++c) strings.add(uint8_t(*c));
        strings.add(uint8_t(0));

        freshPage();
        setLastPoint(100, 200);
        drawGlyph(static_cast<uint8_t>(b));
        drawn.add(int32_t(b));
        for (const auto& [x, y] : ink(95, 175, 35, 30)) {
            drawn.add(int32_t(x));
            drawn.add(int32_t(y));
        }
        drawn.add(int32_t(lastPointX()));
        drawn.add(int32_t(lastPointY()));
    }
    EXPECT_EQ(strings.value, 0xd0a155fb728ee45cull);  // the font's own table, byte for byte
    EXPECT_EQ(drawn.value, 0x3a7f4e7d20190b79ull);
}

}  // namespace
