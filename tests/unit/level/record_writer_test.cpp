// The writers' number forms and safe file replacement.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "level_test_files.h"

namespace {

std::string floatText(float v) {
    std::string out;
    putFloat(out, v);
    return out;
}

std::string doubleText(double v) {
    std::string out;
    putDouble(out, v);
    return out;
}

TEST(RecordWriter, IntegersAndKeywords) {
    std::string out;
    putKeyword(out, "LVL");
    putInt8(out, -32);
    putInt8(out, 127);
    putUInt16(out, 65535);
    putUInt32Line(out, 4294967295u);
    putLineEnd(out);
    EXPECT_EQ(out, "\"LVL\"\r\n-32,127,65535,4294967295\r\n\r\n");
}

TEST(RecordWriter, CodeBytesAreSigned) {
    std::string out;
    putCodeBytes(out, "\xe0\xe1,\"1");
    EXPECT_EQ(out, "-32,-31,44,34,49,");
}

TEST(RecordWriter, WholeValuesHaveNoPointOrExponent) {
    EXPECT_EQ(floatText(120.0f), "120,");
    EXPECT_EQ(floatText(-5.0f), "-5,");
    EXPECT_EQ(floatText(0.0f), "0,");
    EXPECT_EQ(floatText(-0.0f), "0,");
    EXPECT_EQ(floatText(10000000.0f), "10000000,");
    EXPECT_EQ(floatText(16777216.0f), "16777216,");
    EXPECT_EQ(doubleText(-1.0), "-1,");
    EXPECT_EQ(doubleText(24.0), "24,");
}

TEST(RecordWriter, FractionsReadBackToTheirIntegerPart) {
    EXPECT_EQ(doubleText(-0.5), "-0.5,");
    EXPECT_EQ(floatText(12.75f), "12.75,");
    EXPECT_EQ(floatText(0.1f), "0.1,");
    for (double v : {0.99999999, -0.99999999, 2.9999999999999996, 1234567.5, 3e-9, -7e-30}) {
        std::string text = doubleText(v);
        EXPECT_EQ(text.find('e'), std::string::npos) << text;
        text.pop_back();
        EXPECT_EQ(numberValue(text), static_cast<int32_t>(std::trunc(v))) << text;
    }
    for (float v : {0.99999999f, 4194305.5f, 8388607.5f, 1e-20f}) {
        std::string text = floatText(v);
        EXPECT_EQ(text.find('e'), std::string::npos) << text;
        text.pop_back();
        EXPECT_EQ(numberValue(text), static_cast<int32_t>(std::trunc(v))) << text;
    }
}

TEST(RecordWriter, NonFiniteValuesWriteZero) {
    EXPECT_EQ(floatText(std::numeric_limits<float>::infinity()), "0,");
    EXPECT_EQ(floatText(std::numeric_limits<float>::quiet_NaN()), "0,");
}

TEST(RecordWriter, CodeFromPendingTakesLowBytes) {
    pendingNumbers = {-32, 225, 256 + 49, 0};
    EXPECT_EQ(codeFromPending(), std::string("\xe0\xe1"
                                             "1\0",
                                             4));
    pendingNumbers.clear();
    EXPECT_EQ(codeFromPending(), "");
}

class ReplaceFileTest : public LevelFileTest {};

TEST_F(ReplaceFileTest, WritesBytesUnchanged) {
    const std::string name = dir + "/out.zag";
    const std::string bytes("a\r\nb\0\xff", 6);
    ASSERT_TRUE(replaceFile(name, bytes));
    EXPECT_EQ(readBytes(name), bytes);
    ASSERT_TRUE(replaceFile(name, "new"));
    EXPECT_EQ(readBytes(name), "new");
    // No temporary file is left behind.
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir)) entries += e.exists();
    EXPECT_EQ(entries, 1u);
}

TEST_F(ReplaceFileTest, KeepsTheOldFilesMode) {
    const std::string name = dir + "/out.zag";
    writeBytes(name, "old");
    ASSERT_EQ(chmod(name.c_str(), 0640), 0);
    ASSERT_TRUE(replaceFile(name, "new"));
    struct stat info {};
    ASSERT_EQ(stat(name.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(ReplaceFileTest, TargetIsADirectory) {
    const std::string name = dir + "/taken";
    std::filesystem::create_directory(name);
    writeBytes(name + "/inside", "old");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(replaceFile(name, "new"));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("orvet: could not save \"" + name + "\": ", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_TRUE(std::filesystem::is_directory(name));
    EXPECT_EQ(readBytes(name + "/inside"), "old");
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir)) entries += e.exists();
    EXPECT_EQ(entries, 1u);  // the temporary file was removed
}

TEST_F(ReplaceFileTest, MissingParentDirectory) {
    const std::string name = dir + "/no/such/place.zag";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(replaceFile(name, "new"));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("orvet: could not save \"" + name + "\": ", 0), 0u) << err;
    EXPECT_FALSE(std::filesystem::exists(name));
}

}  // namespace
