// orvet-script: runs the game on the headless host from a scenario script.
//
//   orvet-script SCRIPT [ARG1 [ARG2]]
//   orvet-script --help | --version
//
// The game runs as `orvet ARG1 ARG2` would in the current directory. stdout
// gets "title <text>" each time the window title is set and "ended at <s>"
// when the game ends. Exit status: the game's, 2 for an unreadable or
// malformed script, 3 when the game ignores the close button.
#include <cstdio>
#include <string>

#include "app/game.h"
#include "platform/cp1251.h"
#include "platform/headless/headless.h"
#include "platform/host.h"

namespace {

const char* const kUsage =
    "Usage: orvet-script SCRIPT [PUZZLE.zag [pravi]]\n"
    "       orvet-script --help | --version\n"
    "\n"
    "Runs the game headless, as `orvet PUZZLE.zag pravi` would in the current\n"
    "directory, driven by the commands in SCRIPT on a virtual clock. stdout gets\n"
    "\"title TEXT\" each time the window title is set and \"ended at SECONDS\" last.\n"
    "Exit status: the game's; 2 for an unreadable or malformed script; 3 when the\n"
    "game ignores the close button. Run a script named --help as ./--help.\n"
    "The game's own options work after SCRIPT too: `orvet-script SCRIPT\n"
    "--open-link LINK` stores the link's puzzle and plays it headless.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "The script commands are described in orvet-script(6).\n";

void printTitle(const std::string& cp1251Title) {
    std::printf("title %s\n", cp1251ToUtf8(cp1251Title).c_str());
    std::fflush(stdout);
}

bool readWholeFile(const char* path, std::string& text) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc >= 2 && std::string(argv[1]) == "--version") {
        std::printf("orvet-script %s\n", ORVET_VERSION);
        return 0;
    }
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: orvet-script SCRIPT [ARG1 [ARG2]]\n");
        return 2;
    }
    std::string text;
    if (!readWholeFile(argv[1], text)) {
        std::fprintf(stderr, "orvet-script: cannot read %s\n", argv[1]);
        return 2;
    }
    headlessReset();
    clearInputQueues();
    resetDisplayState();
    std::string error;
    if (!headlessLoadScript(text, error)) {
        std::fprintf(stderr, "orvet-script: %s: %s\n", argv[1], error.c_str());
        return 2;
    }
    headlessOnTitle(printTitle);
    headlessCloseWhenDone(true);

    std::string program = "orvet";
    char* gameArgv[4] = {program.data(), nullptr, nullptr, nullptr};
    int gameArgc = 1;
    for (int i = 2; i < argc; ++i) gameArgv[gameArgc++] = argv[i];
    const int status = runGame(gameArgc, gameArgv);

    std::printf("ended at %.3f\n", headlessNow());
    std::fflush(stdout);
    return status;
}
