// orvet-script end to end: the game run from scenario scripts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "script_runner.h"

namespace {

// An empty puzzle file: the game shows one level without points.
const char* const kPuzzle = "";

TEST(ScriptTool, StartsDrawsAndCloses) {
    const ScriptRun run = runScript(
        "wait 0.5\n"
        "shot start.png\n"
        "close\n",
        {"x.zag"}, {{"x.zag", kPuzzle}});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("title Orvet: x\n"), std::string::npos) << run.out;
    const size_t ended = run.out.rfind("ended at ");
    ASSERT_NE(ended, std::string::npos) << run.out;
    EXPECT_EQ(run.out.back(), '\n');
    EXPECT_EQ(run.out.find('\n', ended), run.out.size() - 1);  // the last line
    EXPECT_GE(std::stod(run.out.substr(ended + 9)), 0.5);

    Shot shot;
    ASSERT_TRUE(readShot(run.dir + "/start.png", shot));
    EXPECT_EQ(shot.width, 640);
    EXPECT_EQ(shot.height, 480);
    // White background; the empty level's path only marks the top-left corner.
    int white = 0;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) white += shot.at(x, y) == 0xFFFFFFu;
    }
    EXPECT_GT(white, 640 * 480 * 99 / 100);
    EXPECT_EQ(shot.at(320, 240), 0xFFFFFFu);
    EXPECT_EQ(shot.at(639, 479), 0xFFFFFFu);
}

TEST(ScriptTool, MalformedScriptNamesTheLineAndFails) {
    const ScriptRun run = runScript("wait 0.1\nmove 1\n", {"x.zag"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("line 2"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("ended at"), std::string::npos);
}

TEST(ScriptTool, UnreadableScriptFails) {
    ScriptRun run = runScript("");
    const std::string script = run.dir + "/scenario.txt";
    ASSERT_EQ(std::remove(script.c_str()), 0);
    ASSERT_EQ(mkdir(script.c_str(), 0755), 0);  // a directory cannot be read as a script
    run = runScriptIn(run.dir, "");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("cannot read"), std::string::npos) << run.err;
}

TEST(ScriptTool, ScriptWithoutCloseStillEnds) {
    const ScriptRun run = runScript("wait 0.2\nmove 100 100\n", {"x.zag"});
    EXPECT_EQ(run.status, 0) << run.err;
    const size_t ended = run.out.rfind("ended at ");
    ASSERT_NE(ended, std::string::npos) << run.out;
    const double at = std::stod(run.out.substr(ended + 9));
    EXPECT_GE(at, 0.2);
    EXPECT_LT(at, 1.0);
}

// Runs `orvet-script ARGS` in DIR (no scenario put in front) and returns
// its stdout.
std::string runTool(const std::string& dir, const std::string& args, int& status) {
    const std::string command =
        "cd '" + dir + "' && '" ORVET_SCRIPT_BINARY "' " + args + " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return "";
    std::string out;
    char buffer[256];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
    const int waited = pclose(pipe);
    status = WIFEXITED(waited) ? WEXITSTATUS(waited) : -1;
    return out;
}

// --help and --version answer on stdout with status 0, for orvet-script and
// for the game it runs (before any window opens: no title is set), whatever
// follows them; a file that has such a name is still reached as ./--help.
TEST(ScriptTool, HelpAndVersionAnswerAndDashNamesStillOpen) {
    int status = -1;
    std::string out = runTool(".", "--help", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.rfind("Usage: orvet-script SCRIPT [PUZZLE.zag [pravi]]\n", 0), 0u) << out;
    out = runTool(".", "--version x.zag pravi", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, "orvet-script " ORVET_VERSION "\n");

    ScriptRun run = runScript("wait 0.1\n", {"--help", "pravi"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Usage: orvet [PUZZLE.zag [pravi]]\n", 0), 0u) << run.out;
    EXPECT_EQ(run.out.find("title "), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
    run = runScript("wait 0.1\n", {"--version"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("orvet " ORVET_VERSION "\nended at ", 0), 0u) << run.out;

    // A puzzle named --help, opened as ./--help: read without a complaint.
    const std::string puzzle = readFileBytes(ORVET_SOURCE_DIR "/puzzles/01-pocetak.zag");
    ASSERT_FALSE(puzzle.empty());
    run = runScript("wait 0.1\n", {"./--help"}, {{"--help", puzzle}});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("title Orvet: ./--help\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");

    // A scenario named --help runs as ./--help.
    run = runScript("", {}, {{"p.zag", puzzle}, {"--help", "wait 0.1\n"}});
    out = runTool(run.dir, "./--help p.zag", status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(out.find("title Orvet: p\n"), std::string::npos) << out;
}

TEST(ScriptTool, ChooserTitleWithoutAPuzzleName) {
    const ScriptRun run = runScript("wait 0.1\nkey Escape\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("title Orvet: Odaberi zagonetku\n"), 0u) << run.out;
}

}  // namespace
