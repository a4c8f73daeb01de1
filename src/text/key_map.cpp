// The keyboard character map: a to z and five punctuation keys give the
// Serbian Cyrillic letters of a Latin keyboard layout; every other byte is
// itself.

#include "text/key_map.h"

uint8_t keyMap[256];

namespace {

// Windows-1251 letters for a..z: а б ц д е ф г х и ј к л м н о п љ р с т у в
// њ џ з ѕ.
constexpr uint8_t kLetters[26] = {0xE0, 0xE1, 0xF6, 0xE4, 0xE5, 0xF4, 0xE3, 0xF5, 0xE8,
                                  0xBC, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0x9A, 0xF0,
                                  0xF1, 0xF2, 0xF3, 0xE2, 0x9C, 0x9F, 0xE7, 0xBE};

}  // namespace

void buildKeyMap() {
    for (int i = 0; i < 256; ++i) keyMap[i] = static_cast<uint8_t>(i);
    for (int i = 0; i < 26; ++i) keyMap['a' + i] = kLetters[i];
    keyMap[static_cast<uint8_t>('[')] = 0xF8;   // ш
    keyMap[static_cast<uint8_t>('\\')] = 0xE6;  // ж
    keyMap[static_cast<uint8_t>(']')] = 0x90;   // ђ
    keyMap[static_cast<uint8_t>(';')] = 0xF7;   // ч
    keyMap[static_cast<uint8_t>('\'')] = 0x9E;  // ћ
}
