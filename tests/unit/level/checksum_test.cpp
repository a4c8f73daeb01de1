// CRC-32 of the level codes in menu order.
#include "level/checksum.h"

#include <gtest/gtest.h>

#include "level/level_set.h"

namespace {

class ChecksumTest : public testing::Test {
   protected:
    void SetUp() override {
        resetLevelSet();
        levels.resize(3);
    }
};

uint32_t crcOf(const std::string& bytes) {
    return crc32Bytes(0, bytes.data(), bytes.size());
}

TEST(Crc32, CheckValueAndChaining) {
    EXPECT_EQ(crcOf("123456789"), 0xCBF43926u);
    EXPECT_EQ(crcOf(""), 0u);
    EXPECT_EQ(crc32Bytes(crc32Bytes(0, "1234", 4), "56789", 5), 0xCBF43926u);
    EXPECT_EQ(crc32Bytes(0, nullptr, 0), 0u);
}

TEST_F(ChecksumTest, SingleEmptyCodeIsOneSpace) {
    levelList = {0};
    EXPECT_EQ(levelChecksum(), crcOf(" "));
    EXPECT_EQ(levelChecksum(), 0xE96CCF45u);
}

TEST_F(ChecksumTest, CodesInMenuOrder) {
    levels[2].code = "\xe0\xe1";
    levels[0].code = "1";
    levelList = {2, 0};
    EXPECT_EQ(levelChecksum(), crcOf(std::string("\x20\xe0\xe1\x20\x31")));
    levelList = {0, 2};
    EXPECT_NE(levelChecksum(), crcOf(std::string("\x20\xe0\xe1\x20\x31")));
    EXPECT_EQ(levelChecksum(), crcOf(" 1 \xe0\xe1"));
}

TEST_F(ChecksumTest, EmptyListIsZero) {
    levelList.clear();
    EXPECT_EQ(levelChecksum(), 0u);
}

TEST_F(ChecksumTest, EntryNamingNoLevelCountsAsEmptyCode) {
    levels[0].code = "ab";
    levelList = {0, 40000};
    EXPECT_EQ(levelChecksum(), crcOf(" ab "));
}

}  // namespace
