// Field reading on awkward bytes, and the number rule.
#include <gtest/gtest.h>

#include <vector>

#include "level_test_files.h"

namespace {

class FieldReaderTest : public LevelFileTest {
   protected:
    // Every field of a file holding exactly these bytes.
    std::vector<std::string> fieldsOf(const std::string& bytes) {
        const std::string name = dir + "/fields.txt";
        writeBytes(name, bytes);
        FieldReader r;
        EXPECT_TRUE(openFields(r, name));
        std::vector<std::string> fields;
        while (readField(r)) fields.push_back(r.field);
        EXPECT_TRUE(fieldsAtEnd(r));
        closeFields(r);
        return fields;
    }
};

using Fields = std::vector<std::string>;

TEST_F(FieldReaderTest, CommasAndEveryKindOfLineEnd) {
    EXPECT_EQ(fieldsOf("1,2,\"code\"\r\n"), (Fields{"1", "2", "code"}));
    EXPECT_EQ(fieldsOf("a\rb\nc\r\nd"), (Fields{"a", "b", "c", "d"}));
    // CR LF is one line end; CR CR is two, the second an empty line.
    EXPECT_EQ(fieldsOf("a\r\n\r\rb"), (Fields{"a", "", "", "b"}));
}

TEST_F(FieldReaderTest, EmptyLineIsOneEmptyField) {
    EXPECT_EQ(fieldsOf("\r\n0\r\n"), (Fields{"", "0"}));
    EXPECT_EQ(fieldsOf("   \r\nx"), (Fields{"", "x"}));
}

TEST_F(FieldReaderTest, BlanksBeforeSkippedInsideKept) {
    EXPECT_EQ(fieldsOf(" \t a b \t,x"), (Fields{"a b \t", "x"}));
}

TEST_F(FieldReaderTest, QuotedFields) {
    // A comma inside quotes belongs to the field; blanks after the closing
    // quote are skipped and one comma or line end consumed.
    EXPECT_EQ(fieldsOf("\"a,b\"  ,\"c\"\t\r\nd"), (Fields{"a,b", "c", "d"}));
    // Any other character after the quote begins the next field.
    EXPECT_EQ(fieldsOf("\"ab\"cd,e"), (Fields{"ab", "cd", "e"}));
    // A quote after the first character is ordinary.
    EXPECT_EQ(fieldsOf("ab\"c\",d"), (Fields{"ab\"c\"", "d"}));
    // A line end ends a quoted field even before its closing quote.
    // What follows is an unquoted field, so its quote is kept.
    EXPECT_EQ(fieldsOf("\"ab\r\ncd\""), (Fields{"ab", "cd\""}));
}

TEST_F(FieldReaderTest, UnclosedQuoteEndsAtEndOfFile) {
    EXPECT_EQ(fieldsOf("1,\"never closed"), (Fields{"1", "never closed"}));
}

TEST_F(FieldReaderTest, NulBytesAreOrdinary) {
    const std::string bytes("a\0b,\0\r\n", 7);
    const Fields fields = fieldsOf(bytes);
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0], std::string("a\0b", 3));
    EXPECT_EQ(fields[1], std::string("\0", 1));
}

TEST_F(FieldReaderTest, CrLfSplitAcrossBlocks) {
    // The block is 64 KiB: put the CR as its last byte and the LF first in
    // the next one. Split so, the pair must still be one line end.
    const size_t block = 64 * 1024;
    std::string bytes(block - 1, 'x');
    bytes[100] = ',';
    bytes += "\r\n5\r\n";
    const Fields fields = fieldsOf(bytes);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0], std::string(100, 'x'));
    EXPECT_EQ(fields[1].size(), 4096u);
    EXPECT_EQ(fields[2], "5");
}

TEST_F(FieldReaderTest, OverlongFieldIsCut) {
    std::string bytes(200000, '7');
    bytes += ",8";
    const Fields fields = fieldsOf(bytes);
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0], std::string(4096, '7'));
    EXPECT_EQ(fields[1], "8");
    std::string quoted = "\"" + std::string(5000, 'q') + "\",1";
    EXPECT_EQ(fieldsOf(quoted), (Fields{std::string(4096, 'q'), "1"}));
}

TEST_F(FieldReaderTest, EmptyFileHasNoField) {
    EXPECT_TRUE(fieldsOf("").empty());
}

TEST_F(FieldReaderTest, MissingFileOrDirectoryCannotBeOpened) {
    FieldReader r;
    EXPECT_FALSE(openFields(r, dir + "/absent"));
    EXPECT_FALSE(readField(r));
    EXPECT_TRUE(r.field.empty());
    EXPECT_FALSE(openFields(r, dir));
    EXPECT_FALSE(readField(r));
    closeFields(r);
}

TEST(NumberRule, Decimal) {
    EXPECT_EQ(numberValue("120"), 120);
    EXPECT_EQ(numberValue("  -32"), -32);
    EXPECT_EQ(numberValue("+7"), 7);
    EXPECT_EQ(numberValue(" \t 5"), 5);
    EXPECT_EQ(numberValue("- 5"), 0);
    EXPECT_EQ(numberValue("12.7"), 12);
    EXPECT_EQ(numberValue("-0.5"), 0);
    EXPECT_EQ(numberValue("1e5"), 1);
    EXPECT_EQ(numberValue("code"), 0);
    EXPECT_EQ(numberValue(""), 0);
    EXPECT_EQ(numberValue("-"), 0);
    EXPECT_EQ(numberValue("42abc"), 42);
}

TEST(NumberRule, Prefixes) {
    EXPECT_EQ(numberValue("&HfF"), 255);
    EXPECT_EQ(numberValue("&h10g"), 16);
    EXPECT_EQ(numberValue("&B101"), 5);
    EXPECT_EQ(numberValue("&b102"), 2);
    EXPECT_EQ(numberValue("&O17"), 15);
    EXPECT_EQ(numberValue("&o8"), 0);
    EXPECT_EQ(numberValue("  &H10"), 16);
    EXPECT_EQ(numberValue("&HFFFFFFFF"), -1);
    // No sign after a prefix, and "&" alone is no number.
    EXPECT_EQ(numberValue("&H-1"), 0);
    EXPECT_EQ(numberValue("&"), 0);
    EXPECT_EQ(numberValue("&X12"), 0);
}

TEST(NumberRule, WrapsModulo2To32) {
    EXPECT_EQ(numberValue("4294967295"), -1);
    EXPECT_EQ(static_cast<uint32_t>(numberValue("4294967295")), 4294967295u);
    EXPECT_EQ(numberValue("4294967296"), 0);
    EXPECT_EQ(numberValue("4294967297"), 1);
    EXPECT_EQ(numberValue("-2147483648"), INT32_MIN);
    EXPECT_EQ(numberValue("2147483648"), INT32_MIN);
    EXPECT_EQ(numberValue("&H123456789"), 0x23456789);
    // Far too many digits: still no overflow, just the value modulo 2^32.
    EXPECT_EQ(numberValue(std::string(5000, '9')), static_cast<int32_t>(0xffffffffu));
}

}  // namespace
