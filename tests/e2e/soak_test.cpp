// A long session: hundreds of drags, flights, menu openings, saves and
// continues in one run. The saved game must come out whole and in the state
// the last drag left, and a run twice as long must not need more memory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "script_runner.h"

extern char** environ;

namespace {

// One level with two points far below anything the path reaches, so no drag
// solves it; an attractor above the path keeps the spiral turning.
const char* const kPuzzle =
    "\"LVL\"\r\n49,\"code\"\r\n20,470,-32,620,470,-31,\"points\"\r\n1,\"paths\"\r\n"
    "320,20,\"attractor\"\r\n\r\n0\r\n\"END\"\r\n";

// The known path the session starts from: knots at (100, 100) and (500, 100).
const char* const kSaved =
    "\"SAVEDGAME\"\r\n0,\"levellist\"\r\n\"LVL\"\r\n49,\"code\"\r\n0,\"solved\"\r\n"
    "100,100,150,100,500,100,550,100,\"paths\"\r\n320,20,\"attractor\"\r\n\"END\"\r\n";

// The first knot's two places; its handle stays 50 px to its right.
constexpr int kAx = 100, kAy = 100;
constexpr int kBx = 100, kBy = 160;

// Opens the menu away from the knots, runs the given menu clicks and closes
// it with a right click.
std::string inMenu(const std::string& clicks) {
    return "move 639 479\npress right\nwait 0.02\nrelease right\nwait 0.02\n" + clicks +
           "click 320 200 right\nwait 0.02\n";
}

// Drag the knot from one place to the other, fly the path from it, then save
// and continue from the menu.
std::string cycle(int fromX, int fromY, int toX, int toY) {
    const auto at = [](int x, int y) { return std::to_string(x) + " " + std::to_string(y); };
    return "move " + at(fromX, fromY) + "\npress left\nwait 0.02\nmove " + at(toX, toY) +
           "\nwait 0.02\nrelease left\nwait 0.02\n"
           "press right\nwait 0.02\nrelease right\nwait 5.2\n" +
           inMenu("click 100 435\nwait 0.02\nclick 100 405\nwait 0.02\n");
}

std::string soakScript(int cycles) {
    std::string script = inMenu("click 100 405\nwait 0.02\n");  // continue: the known path
    for (int i = 0; i < cycles; ++i) {
        script += i % 2 == 0 ? cycle(kAx, kAy, kBx, kBy) : cycle(kBx, kBy, kAx, kAy);
    }
    return script + "close\n";
}

struct SoakRun {
    int status = -1;
    long maxRssKb = 0;  // this child's own peak
    std::string saved;  // the .zap it left
    std::string err;
};

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Runs orvet-script on the soak script in a new directory and takes the
// child's own peak memory from wait4.
SoakRun runSoak(int cycles) {
    SoakRun run;
    char pattern[] = "/tmp/orvet-soak-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return run;
    const std::string dir = pattern;
    writeBytes(dir + "/p.zag", kPuzzle);
    writeBytes(dir + "/p.zap", kSaved);
    writeBytes(dir + "/scenario.txt", soakScript(cycles));

    // Under AddressSanitizer freed memory waits in a quarantine that grows
    // with the work done; keep it small so peaks compare live memory.
    std::vector<std::string> envStrings;
    bool asanSet = false;
    for (char** e = environ; *e != nullptr; ++e) {
        std::string entry = *e;
        if (entry.rfind("ASAN_OPTIONS=", 0) == 0) {
            entry += ":quarantine_size_mb=1:thread_local_quarantine_size_kb=64";
            asanSet = true;
        }
        envStrings.push_back(entry);
    }
    if (!asanSet) {
        envStrings.push_back(
            "ASAN_OPTIONS=quarantine_size_mb=1:thread_local_quarantine_size_kb=64");
    }
    std::vector<char*> env;
    for (std::string& s : envStrings) env.push_back(s.data());
    env.push_back(nullptr);

    const std::string errPath = dir + "/.stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    std::vector<std::string> argStrings = {ORVET_SCRIPT_BINARY, "scenario.txt", "p.zag"};
    std::vector<char*> argv;
    for (std::string& s : argStrings) argv.push_back(s.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, ORVET_SCRIPT_BINARY, &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return run;
    int waitStatus = 0;
    struct rusage usage {};
    while (wait4(pid, &waitStatus, 0, &usage) < 0) {
    }
    run.status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    run.maxRssKb = usage.ru_maxrss;
    run.saved = readFileBytes(dir + "/p.zap");
    run.err = readFileBytes(errPath);
    return run;
}

bool framedSave(const std::string& saved) {
    const std::string end = "\"END\"\r\n";
    return saved.rfind("\"SAVEDGAME\"\r\n", 0) == 0 && saved.size() >= end.size() &&
           saved.compare(saved.size() - end.size(), end.size(), end) == 0;
}

// The path line of the saved game with the first knot at (x, y).
std::string pathLine(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(x + 50) + "," +
           std::to_string(y) + ",500,100,550,100,\"paths\"\r\n";
}

TEST(Soak, SavesStayWholeAndMemoryStaysFlat) {
    constexpr int kCycles = 101;  // odd: the knot ends at B, away from where it began
    const SoakRun shorter = runSoak(kCycles);
    ASSERT_EQ(shorter.status, 0) << shorter.err;
    const SoakRun longer = runSoak(2 * kCycles + 1);
    ASSERT_EQ(longer.status, 0) << longer.err;

    for (const SoakRun* run : {&shorter, &longer}) {
        EXPECT_TRUE(framedSave(run->saved)) << run->saved;
        // Every save and continue carried the knot: after an odd number of
        // drags it lies at B with its handle beside it; the rest is as it was.
        EXPECT_NE(run->saved.find(pathLine(kBx, kBy)), std::string::npos) << run->saved;
        EXPECT_NE(run->saved.find("0,\"levellist\"\r\n"), std::string::npos) << run->saved;
        EXPECT_NE(run->saved.find("0,\"solved\"\r\n"), std::string::npos) << run->saved;
        EXPECT_NE(run->saved.find("320,20,\"attractor\"\r\n"), std::string::npos) << run->saved;
    }

    ASSERT_GT(shorter.maxRssKb, 0);
    EXPECT_LT(longer.maxRssKb, shorter.maxRssKb * 12 / 10 + 2048)
        << "peak " << shorter.maxRssKb << " KB after " << kCycles << " cycles, " << longer.maxRssKb
        << " KB after " << 2 * kCycles + 1;
}

}  // namespace
