// The listing of puzzle files in the working directory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

TEST_F(PuzzleFiles, FirstStartsASnapshotAgain) {
    touch("one.zag");
    EXPECT_EQ(listFirstPuzzleFile(), "one.zag");
    touch("two.zag");
    EXPECT_EQ(listNextPuzzleFile(), "");  // the snapshot predates two.zag
    EXPECT_EQ(listAll().size(), 2u);
}

}  // namespace
