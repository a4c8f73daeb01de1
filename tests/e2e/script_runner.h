// Runs orvet-script scenarios in a fresh directory and reads back what they
// left: stdout, stderr, exit status, files and PNG shots.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ScriptRun {
    int status = -1;  // exit status of orvet-script (-1 if it did not exit normally)
    std::string out;  // stdout
    std::string err;  // stderr
    std::string dir;  // the working directory it ran in (kept for inspection)
};

// Makes a new temporary directory, writes the given files into it (name ->
// bytes), writes the script as "scenario.txt" and runs
// `orvet-script scenario.txt args...` there.
ScriptRun runScript(const std::string& script, const std::vector<std::string>& args = {},
                    const std::map<std::string, std::string>& files = {});
// Runs again in an existing directory (files are added or replaced first).
ScriptRun runScriptIn(const std::string& dir, const std::string& script,
                      const std::vector<std::string>& args = {},
                      const std::map<std::string, std::string>& files = {});

struct Shot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // width * height * 3
    // RGB at (x, y) packed as 0xRRGGBB.
    uint32_t at(int x, int y) const;
};

bool readShot(const std::string& pngPath, Shot& shot);
std::string readFileBytes(const std::string& path);
bool fileExists(const std::string& path);
