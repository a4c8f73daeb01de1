// The keyboard character map.
#include "text/key_map.h"

#include <cstring>
#include <set>

#include "text_fixture.h"

namespace {

TEST(KeyMap, LatinLettersAndFivePunctuationKeysGiveCyrillic) {
    buildKeyMap();
    const int cases[][2] = {{'q', 154}, {'z', 190}, {'a', 224},  {'x', 159},
                            {'w', 156}, {'j', 188}, {'[', 248},  {'\\', 230},
                            {']', 144}, {';', 247}, {'\'', 158}, {'A', 'A'}};
    for (const auto& c : cases) EXPECT_EQ(keyMap[c[0]], c[1]) << static_cast<char>(c[0]);
    int changed = 0;
    for (int i = 0; i < 256; ++i) changed += keyMap[i] != i;
    EXPECT_EQ(changed, 31);  // a..z and the five keys; all else is itself
}

TEST(KeyMap, TypedLettersAreDistinctAndAllButDzeHaveAGlyph) {
    buildKeyMap();
    std::set<int> letters;
    for (int c = 'a'; c <= 'z'; ++c) {
        letters.insert(keyMap[c]);
        EXPECT_EQ(std::strcmp(glyphTable[keyMap[c]], "br25") == 0, c == 'z')
            << static_cast<char>(c);
    }
    EXPECT_EQ(letters.size(), 26u);
}

}  // namespace
