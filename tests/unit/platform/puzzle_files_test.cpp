// The listing of puzzle files in the working directory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

class PuzzleFiles : public ::testing::Test {
   protected:
    void SetUp() override {
        char pattern[] = "/tmp/orvet-list-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        char* here = getcwd(nullptr, 0);
        previous = here;
        std::free(here);
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(previous.c_str()), 0);
        std::string command = "rm -rf '" + dir + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    static void touch(const std::string& name) { std::ofstream(name) << "x"; }
    static std::vector<std::string> listAll() {
        std::vector<std::string> names;
        for (std::string n = listFirstPuzzleFile(); !n.empty(); n = listNextPuzzleFile()) {
            names.push_back(n);
            if (names.size() > 100) break;
        }
        return names;
    }
    std::string dir;
    std::string previous;
};

TEST_F(PuzzleFiles, EmptyDirectoryListsNothing) {
    EXPECT_EQ(listFirstPuzzleFile(), "");
    EXPECT_EQ(listNextPuzzleFile(), "");
}

TEST_F(PuzzleFiles, OnlyRegularVisibleZagFiles) {
    touch("a.zag");
    touch("with space.zag");
    touch("\xE8\xE3\xF0\xE0.zag");  // Windows-1251 bytes, kept exactly
    touch("b.ZAG");                 // the suffix is case-sensitive
    touch("c.zag.bak");
    touch("zag");
    touch(".hidden.zag");
    touch(".zag");  // a puzzle with an empty name, not a hidden file
    ASSERT_EQ(mkdir("dir.zag", 0755), 0);
    ASSERT_EQ(symlink("a.zag", "link.zag"), 0);
    ASSERT_EQ(symlink("dir.zag", "dirlink.zag"), 0);
    ASSERT_EQ(symlink("missing", "dangling.zag"), 0);

    std::vector<std::string> names = listAll();
    std::sort(names.begin(), names.end());
    const std::vector<std::string> expected = {".zag", "\xE8\xE3\xF0\xE0.zag", "a.zag", "link.zag",
                                               "with space.zag"};
    std::vector<std::string> sortedExpected = expected;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(names, sortedExpected);
    // After the end, next keeps answering empty.
    EXPECT_EQ(listNextPuzzleFile(), "");
}

// Whatever order the file system keeps them in (creation order, its
// reverse, a hash), the names come sorted by their bytes: upper case before
// lower, Windows-1251 letters after every ASCII one.
TEST_F(PuzzleFiles, NamesComeSortedByTheirBytes) {
    std::vector<std::string> expected;
    for (int i = 1; i <= 9; ++i) expected.push_back("b0" + std::to_string(i) + ".zag");
    for (int i = 9; i >= 1; --i) touch("b0" + std::to_string(i) + ".zag");  // in reverse
    for (int i = 1; i <= 9; ++i) touch("a0" + std::to_string(i) + ".zag");  // and forward
    for (int i = 1; i <= 9; ++i) expected.push_back("a0" + std::to_string(i) + ".zag");
    touch("\xE0.zag");
    touch("Z.zag");
    touch("a.zag");
    touch("a0.zag");
    expected.insert(expected.end(), {"\xE0.zag", "Z.zag", "a.zag", "a0.zag"});
    std::sort(expected.begin(), expected.end(), [](const std::string& x, const std::string& y) {
        return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(),
                                            [](char p, char q) { return uint8_t(p) < uint8_t(q); });
    });
    ASSERT_EQ(expected.front(), "Z.zag");
    ASSERT_EQ(expected.back(), "\xE0.zag");
    EXPECT_EQ(listAll(), expected);
}

TEST_F(PuzzleFiles, FirstStartsASnapshotAgain) {
    touch("one.zag");
    EXPECT_EQ(listFirstPuzzleFile(), "one.zag");
    touch("two.zag");
    EXPECT_EQ(listNextPuzzleFile(), "");  // the snapshot predates two.zag
    EXPECT_EQ(listAll().size(), 2u);
}

}  // namespace
