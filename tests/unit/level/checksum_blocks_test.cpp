// levelChecksum gathers the codes into blocks before the CRC: the result
// must be the CRC of the whole input whatever the codes' lengths, above all
// around the block's size.
#include <gtest/gtest.h>

#include <string>

#include "level/checksum.h"
#include "level/level_set.h"
#include "platform/platform.h"

namespace {

uint32_t crcOfInput() {
    std::string input;
    for (uint16_t entry : levelList) {
        input += ' ';
        if (entry < levels.size()) input += levels[entry].code;
    }
    return crc32Bytes(0, input.data(), input.size());
}

TEST(ChecksumBlocks, CodesOfEveryLengthAroundTheBlock) {
    resetLevelSet();
    const size_t lengths[] = {0, 1, 4093, 4094, 4095, 4096, 4097, 9000, 8, 3000, 1094, 0};
    levels.resize(sizeof lengths / sizeof lengths[0]);
    levelList.clear();
    for (size_t i = 0; i < levels.size(); ++i) {
        levels[i].code.assign(lengths[i], char('a' + i));
        levelList.push_back(uint16_t(i));
    }
    EXPECT_EQ(levelChecksum(), crcOfInput());
    // Every order of a few, so each length follows each fill of the block.
    for (int start = 0; start < 12; ++start) {
        levelList.clear();
        for (int k = 0; k < 12; ++k) levelList.push_back(uint16_t((start + 5 * k) % 12));
        ASSERT_EQ(levelChecksum(), crcOfInput()) << "start " << start;
    }
}

TEST(ChecksumBlocks, ManyShortCodesAndMissingLevels) {
    resetLevelSet();
    levels.resize(5000);
    seedRandom(41);
    levelList.clear();
    for (size_t i = 0; i < levels.size(); ++i) {
        levels[i].code.assign(size_t(randomUnit() * 12), char(0xE0 + i % 32));
        levelList.push_back(uint16_t(randomUnit() * 6000));  // some name no level
    }
    EXPECT_EQ(levelChecksum(), crcOfInput());
}

}  // namespace
