// Runs orvet-script in a scratch directory and reads back what it left.
#include "script_runner.h"

#include <fcntl.h>
#include <png.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace {

bool writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

}  // namespace

uint32_t Shot::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFF;
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return (uint32_t{rgb[i]} << 16) | (uint32_t{rgb[i + 1]} << 8) | rgb[i + 2];
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

bool fileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

ScriptRun runScriptIn(const std::string& dir, const std::string& script,
                      const std::vector<std::string>& args,
                      const std::map<std::string, std::string>& files) {
    ScriptRun run;
    run.dir = dir;
    for (const auto& [name, bytes] : files) writeFileBytes(dir + "/" + name, bytes);
    writeFileBytes(dir + "/scenario.txt", script);

    const std::string outPath = dir + "/.stdout";
    const std::string errPath = dir + "/.stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());

    std::vector<std::string> argvStrings = {ORVET_SCRIPT_BINARY, "scenario.txt"};
    argvStrings.insert(argvStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : argvStrings) argv.push_back(s.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, ORVET_SCRIPT_BINARY, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.err = "cannot start " ORVET_SCRIPT_BINARY;
        return run;
    }
    int waitStatus = 0;
    while (waitpid(pid, &waitStatus, 0) < 0) {
    }
    run.status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    run.out = readFileBytes(outPath);
    run.err = readFileBytes(errPath);
    return run;
}

ScriptRun runScript(const std::string& script, const std::vector<std::string>& args,
                    const std::map<std::string, std::string>& files) {
    char pattern[] = "/tmp/orvet-e2e-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return ScriptRun();
    return runScriptIn(pattern, script, args, files);
}

bool readShot(const std::string& pngPath, Shot& shot) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, pngPath.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    shot.width = static_cast<int>(image.width);
    shot.height = static_cast<int>(image.height);
    shot.rgb = std::move(rgb);
    return true;
}
