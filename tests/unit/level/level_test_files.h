// Test helpers for the level tests: a fresh temporary directory, exact-byte
// file writing and reading, and a level set reset between tests.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "level/level_set.h"
#include "level/text_records.h"
#include "platform/files.h"

inline std::string makeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvet-level-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    return pattern;
}

inline void writeBytes(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every test starts from the level set that start-up creates, in play mode,
// with the puzzle file named inside its own temporary directory.
class LevelFileTest : public testing::Test {
   protected:
    void SetUp() override {
        dir = makeTempDir();
        resetLevelSet();
        editorMode = false;
        levelSolvedHook = nullptr;
        pendingNumbers.clear();
        puzzleFileName = dir + "/puzzle.zag";
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
        puzzleFileName.clear();
        editorMode = false;
    }
    std::string dir;
};

inline Vector vec(float x, float y, int8_t flag = 0) {
    Vector v;
    v.x = x;
    v.y = y;
    v.flag = flag;
    return v;
}
