// The solver end to end: orvet-solve's saved game for each bundled puzzle,
// continued in the game, solves every level the moment it is shown; an
// impossible level is not found; the editor's F3 undoes to the very same
// puzzle; play's F3 moves exactly one item.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "script_runner.h"

#ifdef ORVET_SOLVE_BINARY

namespace {

const std::string kPackDir = std::string(ORVET_SOURCE_DIR) + "/puzzles";

struct SolveRun {
    int status = -1;
    std::string out;
    std::string dir;
};

// Runs `orvet-solve args` in a new directory holding p.zag.
SolveRun runSolve(const std::string& puzzle, const std::string& args) {
    SolveRun run;
    char pattern[] = "/tmp/orvet-solve-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (dir == nullptr) return run;
    run.dir = dir;
    std::FILE* f = std::fopen((run.dir + "/p.zag").c_str(), "wb");
    if (f == nullptr) return run;
    std::fwrite(puzzle.data(), 1, puzzle.size(), f);
    std::fclose(f);
    const std::string command =
        "cd '" + run.dir + "' && '" ORVET_SOLVE_BINARY "' " + args + " p.zag >out.txt 2>&1";
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readFileBytes(run.dir + "/out.txt");
    return run;
}

size_t countOf(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// The numbers of the first "paths" record of a saved game, and of its
// "attractor" record when there is one.
std::vector<long> recordNumbers(const std::string& saved, const std::string& keyword) {
    std::vector<long> numbers;
    const size_t end = saved.find("\"" + keyword + "\"");
    if (end == std::string::npos) return numbers;
    const size_t start = saved.rfind('\n', end);
    std::string text = saved.substr(start + 1, end - start - 1);
    size_t at = 0;
    while (at < text.size()) {
        const size_t comma = text.find(',', at);
        if (comma == std::string::npos) break;
        numbers.push_back(std::stol(text.substr(at, comma - at)));
        at = comma + 1;
    }
    return numbers;
}

// Opens the menu with a right press in the corner.
const char* const kOpenMenu = "move 639 479\npress right\nwait 0.2\nrelease right\nwait 0.2\n";
const char* const kContinue = "click 100 405\nwait 0.2\nclick 320 200 right\nwait 0.3\n";
const char* const kSave = "click 100 435\nwait 0.2\n";

TEST(Solve, OrvetSolvesTheBundledPackAndTheGameShowsEachLevelSolved) {
    for (const char* name : {"01-pocetak.zag", "02-krivine.zag", "03-privlacenje.zag"}) {
        const std::string puzzle = readFileBytes(kPackDir + "/" + name);
        ASSERT_FALSE(puzzle.empty()) << name;
        const SolveRun solved = runSolve(puzzle, "");
        ASSERT_EQ(solved.status, 0) << name << "\n" << solved.out;
        const size_t count = countOf(puzzle, "\"LVL\"");
        EXPECT_EQ(countOf(solved.out, ": found in "), count) << solved.out;
        const std::string zap = readFileBytes(solved.dir + "/p.zap");
        ASSERT_FALSE(zap.empty());

        // A second run keeps the saved game the first one wrote.
        const SolveRun again = [&] {
            SolveRun r;
            const std::string command =
                "cd '" + solved.dir + "' && '" ORVET_SOLVE_BINARY "' p.zag >again.txt 2>&1";
            const int raw = std::system(command.c_str());
            r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
            return r;
        }();
        EXPECT_EQ(again.status, 2);
        EXPECT_EQ(readFileBytes(solved.dir + "/p.zap"), zap);

        // Continued, level 0 is solved as it is shown and its menu opens;
        // each solved level opens the next, which the row of its number
        // (the list keeps the newest level last) shows, solved at once.
        std::string script = std::string("wait 0.2\n") + kOpenMenu + kContinue;
        for (size_t k = 1; k < count; ++k) {
            script += "click 100 " + std::to_string(30 * k + 15) + "\nwait 0.3\n";
        }
        script += std::string(kSave) + "close\n";
        const ScriptRun run = runScript(script, {"p.zag"}, {{"p.zag", puzzle}, {"p.zap", zap}});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string played = readFileBytes(run.dir + "/p.zap");
        EXPECT_EQ(countOf(played, "-1,\"solved\""), count) << name << "\n" << played;
    }
}

TEST(Solve, AnImpossibleLevelIsNotFoundAndNothingIsWritten) {
    // One segment cannot pass twelve points spread over the page.
    std::string points;
    for (int i = 0; i < 12; ++i) {
        points += std::to_string(40 + (i * 197) % 560) + "," +
                  std::to_string(40 + (i * 131) % 400) + ",-32,";
    }
    const std::string puzzle =
        "\"LVL\"\r\n49,\"code\"\r\n" + points + "\"points\"\r\n1,\"paths\"\r\n\r\n0\r\n\"END\"\r\n";
    const SolveRun run = runSolve(puzzle, "--seconds 1");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("level 1: not found in "), std::string::npos) << run.out;
    EXPECT_FALSE(fileExists(run.dir + "/p.zap"));
}

// The shots match outside 60 pixels around (cx, cy), where the attractor's
// spiral turns with time.
bool sameShot(const std::string& a, const std::string& b, int cx, int cy) {
    Shot x, y;
    if (!readShot(a, x) || !readShot(b, y) || x.width != y.width || x.height != y.height) {
        return false;
    }
    for (int py = 0; py < x.height; ++py) {
        for (int px = 0; px < x.width; ++px) {
            if (std::abs(px - cx) <= 60 && std::abs(py - cy) <= 60) continue;
            if (x.at(px, py) != y.at(px, py)) return false;
        }
    }
    return true;
}

TEST(Solve, EditorF3PutsAPathInPlaceAndCtrlZGivesThePuzzleBack) {
    // Three points, an attractor and a path of two segments.
    const std::string puzzle =
        "\"LVL\"\r\n49,\"code\"\r\n100,300,-32,300,200,-31,500,320,-22,\"points\"\r\n"
        "2,\"paths\"\r\n320,420,\"attractor\"\r\n\r\n0\r\n\"END\"\r\n";
    const std::string save =
        std::string(kOpenMenu) + "click 100 435\nwait 0.2\nclick 320 200 right\nwait 0.2\n";
    const ScriptRun plain =
        runScript("wait 0.2\n" + save + "close\n", {"e.zag", "pravi"}, {{"e.zag", puzzle}});
    ASSERT_EQ(plain.status, 0) << plain.err;
    const ScriptRun run = runScript(
        "wait 0.2\nshot before.png\nkey F3\nwait 0.2\nshot solved.png\n"
        "key Ctrl+Z\nwait 0.2\nshot undone.png\n" +
            save + "close\n",
        {"e.zag", "pravi"}, {{"e.zag", puzzle}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("level 1 solved in "), std::string::npos) << run.err;
    EXPECT_EQ(readFileBytes(run.dir + "/e.zag"), readFileBytes(plain.dir + "/e.zag"));
    EXPECT_FALSE(sameShot(run.dir + "/before.png", run.dir + "/solved.png", 320, 420));
    EXPECT_TRUE(sameShot(run.dir + "/before.png", run.dir + "/undone.png", 320, 420));
}

TEST(Solve, PlayF3MovesExactlyOneItemTowardsASolution) {
    const std::string puzzle = readFileBytes(kPackDir + "/03-privlacenje.zag");
    ASSERT_FALSE(puzzle.empty());
    // The level's path as it starts, then after one hint (the same virtual
    // times, so the same random path).
    const std::string before = std::string("wait 0.2\n") + kOpenMenu + kSave + "close\n";
    const std::string after =
        std::string("wait 0.2\nkey F3\nwait 0.2\n") + kOpenMenu + kSave + "close\n";
    const ScriptRun a = runScript(before, {"p.zag"}, {{"p.zag", puzzle}});
    const ScriptRun b = runScript(after, {"p.zag"}, {{"p.zag", puzzle}});
    ASSERT_EQ(a.status, 0) << a.err;
    ASSERT_EQ(b.status, 0) << b.err;
    const std::string savedA = readFileBytes(a.dir + "/p.zap");
    const std::string savedB = readFileBytes(b.dir + "/p.zap");
    // No count of hints: the saved game has the designed records only.
    EXPECT_EQ(countOf(savedA, "\""), countOf(savedB, "\""));
    std::vector<long> slotsA = recordNumbers(savedA, "paths");
    std::vector<long> slotsB = recordNumbers(savedB, "paths");
    const std::vector<long> attractorA = recordNumbers(savedA, "attractor");
    const std::vector<long> attractorB = recordNumbers(savedB, "attractor");
    ASSERT_EQ(slotsA.size(), slotsB.size());
    ASSERT_EQ(attractorA.size(), 2u);
    ASSERT_EQ(attractorB.size(), 2u);
    std::vector<size_t> moved;  // slots that changed
    for (size_t i = 0; i + 1 < slotsA.size(); i += 2) {
        if (slotsA[i] != slotsB[i] || slotsA[i + 1] != slotsB[i + 1]) moved.push_back(i / 2);
    }
    const bool attractorMoved = attractorA != attractorB;
    if (attractorMoved) {
        EXPECT_TRUE(moved.empty());
    } else if (moved.size() == 1) {
        EXPECT_EQ(moved[0] % 2, 1u);  // a handle alone
    } else {
        // A knot with its handle, by the same offset, as a drag moves them.
        ASSERT_EQ(moved.size(), 2u);
        EXPECT_EQ(moved[0] % 2, 0u);
        EXPECT_EQ(moved[1], moved[0] + 1);
        const size_t k = 2 * moved[0];
        EXPECT_EQ(slotsB[k] - slotsA[k], slotsB[k + 2] - slotsA[k + 2]);
        EXPECT_EQ(slotsB[k + 1] - slotsA[k + 1], slotsB[k + 3] - slotsA[k + 3]);
    }
}

}  // namespace

#endif
