// The puzzle file chooser end to end: started without a file name in a
// directory with two puzzles.
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "script_runner.h"

namespace {

const char* const kOne = "\"LVL\"\r\n49,\"code\"\r\n100,150,-32,\"points\"\r\n\r\n0\r\n\"END\"\r\n";
const char* const kOther =
    "\"LVL\"\r\n50,\"code\"\r\n500,300,-31,\"points\"\r\n\r\n0\r\n\"END\"\r\n";

// The puzzle names in the order the chooser shows them: the directory's,
// sorted by their bytes.
std::vector<std::string> listedPuzzles(const std::string& dir) {
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (d == nullptr) return names;
    while (const dirent* entry = readdir(d)) {
        const std::string name = entry->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".zag") == 0) {
            names.push_back(name);
        }
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

// How many 25-pixel characters the text in row r spans (0 for none).
int rowChars(const Shot& shot, int r) {
    int right = -1;
    for (int y = 30 * r + 3; y <= 30 * r + 27; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (shot.at(x, y) != 0xFFFFFFu && x > right) right = x;
        }
    }
    return right < 20 ? 0 : (right - 20) / 25 + 1;
}

TEST(Chooser, ShowsBothNamesAndAClickOnTheFirstRowOpensIt) {
    const ScriptRun r = runScript(
        "wait 0.1\nmove 320 300\nwait 0.1\nshot chooser.png\n"
        "click 100 15\nwait 0.2\nshot level.png\nclose\n",
        {}, {{"a.zag", kOne}, {"dugacko.zag", kOther}});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> names = listedPuzzles(r.dir);
    ASSERT_EQ(names.size(), 2u);

    // Each row holds a name without ".zag": one and seven characters.
    Shot chooser;
    ASSERT_TRUE(readShot(r.dir + "/chooser.png", chooser));
    EXPECT_EQ(rowChars(chooser, 0), static_cast<int>(names[0].size()) - 4);
    EXPECT_EQ(rowChars(chooser, 1), static_cast<int>(names[1].size()) - 4);
    for (int row = 2; row <= 14; ++row) EXPECT_EQ(rowChars(chooser, row), 0) << row;
    EXPECT_EQ(rowChars(chooser, 15), 5);  // "изађи"

    const std::string first = names[0].substr(0, names[0].size() - 4);
    EXPECT_EQ(r.out.find("title Orvet: Odaberi zagonetku\ntitle Orvet: " + first + "\n"), 0u)
        << r.out;
    // The chosen puzzle's level is shown: its one point's circle.
    Shot level;
    ASSERT_TRUE(readShot(r.dir + "/level.png", level));
    const bool isA = names[0] == "a.zag";
    EXPECT_EQ(level.at(isA ? 100 : 500, isA ? 147 : 297), 0x00AA00u);
    EXPECT_EQ(level.at(isA ? 500 : 100, isA ? 297 : 147), 0xFFFFFFu);
}

TEST(Chooser, EscapeEndsBeforeAnyPuzzleIsRead) {
    const ScriptRun r = runScript("wait 0.2\nkey Escape\nwait 2\nclose\n", {},
                                  {{"a.zag", kOne}, {"dugacko.zag", kOther}});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string title = "title Orvet: Odaberi zagonetku\n";
    ASSERT_EQ(r.out.compare(0, title.size(), title), 0) << r.out;
    // The next line is the end: no puzzle title, and before the script's close.
    const std::string rest = r.out.substr(title.size());
    ASSERT_EQ(rest.rfind("ended at ", 0), 0u) << r.out;
    EXPECT_LT(std::stod(rest.substr(9)), 1.0);
    EXPECT_EQ(rest.find('\n'), rest.size() - 1);
}

}  // namespace
