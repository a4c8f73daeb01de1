// UTF-8 <-> Windows-1251.
#include "platform/cp1251.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, SerbianCyrillicBothWays) {
    // The Serbian letters outside the Russian alphabet and their capitals.
    const struct {
        const char* utf8;
        unsigned char byte;
    } letters[] = {
        {"ђ", 0x90}, {"ћ", 0x9E}, {"љ", 0x9A}, {"њ", 0x9C}, {"џ", 0x9F}, {"ј", 0xBC},
        {"Ђ", 0x80}, {"Ћ", 0x8E}, {"Љ", 0x8A}, {"Њ", 0x8C}, {"Џ", 0x8F}, {"Ј", 0xA3},
        {"А", 0xC0}, {"Я", 0xDF}, {"а", 0xE0}, {"я", 0xFF}, {"ш", 0xF8}, {"Ж", 0xC6},
    };
    for (const auto& l : letters) {
        const auto bytes = utf8ToCp1251(l.utf8);
        ASSERT_TRUE(bytes.has_value()) << l.utf8;
        EXPECT_EQ(*bytes, std::string(1, static_cast<char>(l.byte))) << l.utf8;
        EXPECT_EQ(cp1251ToUtf8(*bytes), l.utf8);
    }
}

TEST(Cp1251, WholeTextsAndAscii) {
    EXPECT_EQ(utf8ToCp1251("Orvet: Đ"), std::nullopt);  // Latin Đ has no byte
    EXPECT_EQ(*utf8ToCp1251("Наставак 1"), "\xCD\xE0\xF1\xF2\xE0\xE2\xE0\xEA 1");
    EXPECT_EQ(cp1251ToUtf8("\xCD\xE0\xF1\xF2\xE0\xE2\xE0\xEA 1"), "Наставак 1");
    EXPECT_EQ(*utf8ToCp1251(""), "");
    // Embedded zero bytes pass through.
    EXPECT_EQ(*utf8ToCp1251(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1251, CharactersWithoutAByteAreRejected) {
    EXPECT_EQ(utf8ToCp1251("ℕ"), std::nullopt);
    EXPECT_EQ(utf8ToCp1251("😀"), std::nullopt);
    EXPECT_EQ(utf8ToCp1251("дa中"), std::nullopt);
}

TEST(Cp1251, MalformedUtf8IsRejected) {
    EXPECT_EQ(utf8ToCp1251("\xD0"), std::nullopt);          // cut short
    EXPECT_EQ(utf8ToCp1251("\xC0\xB1"), std::nullopt);      // overlong '1'
    EXPECT_EQ(utf8ToCp1251("\xED\xA0\x80"), std::nullopt);  // surrogate
    EXPECT_EQ(utf8ToCp1251("\xFF"), std::nullopt);
    EXPECT_EQ(utf8ToCp1251("\xD0\x41"), std::nullopt);  // bad continuation
}

TEST(Cp1251, EveryByteGivesACharacterOrQuestionMark) {
    EXPECT_EQ(cp1251ToUtf8("\x98"), "?");
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string utf8 = cp1251ToUtf8(one);
        ASSERT_FALSE(utf8.empty()) << b;
        if (b == 0x98) continue;
        // Each byte that has a character converts back to itself.
        const auto back = utf8ToCp1251(utf8);
        ASSERT_TRUE(back.has_value()) << b;
        EXPECT_EQ(*back, one) << b;
    }
}

}  // namespace

TEST(Cp1251, FileNamesAreShownInTheGamesCodePage) {
    EXPECT_EQ(displayFileName("levels"), "levels");
    // A UTF-8 Cyrillic name shows as its Windows-1251 letters.
    EXPECT_EQ(displayFileName("\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0 1"), "\xE8\xE3\xF0\xE0 1");
    // Bytes that are not UTF-8, or characters the code page lacks, stay as they are.
    EXPECT_EQ(displayFileName("\xE8\xE3\xF0\xE0"), "\xE8\xE3\xF0\xE0");
    EXPECT_EQ(displayFileName("\xE4\xB8\xAD.zag"), "\xE4\xB8\xAD.zag");
}
