// The command line: the options, the usage text and what the arguments ask
// the run to open.
#include <cstdio>
#include <string>

#include "app/share_command.h"
#include "app/startup.h"

namespace {

std::string asciiLower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

// What `orvet --help` prints. A puzzle file with one of the option names is
// opened by another spelling of its path (./--help).
const char* const kUsage =
    "Usage: orvet [PUZZLE.zag [pravi]]\n"
    "       orvet --share [--qr] PUZZLE.zag\n"
    "       orvet --open-link LINK\n"
    "       orvet --help | --version\n"
    "\n"
    "Orvet is a puzzle game about one curved path: drag its knots, handles and\n"
    "the attractor until the curve touches every lettered point.\n"
    "\n"
    "Without PUZZLE.zag the game lists the *.zag files of the current directory\n"
    "to choose from. A second argument pravi (any case) starts the puzzle editor;\n"
    "a puzzle that does not exist yet gives one empty level, which the editor\n"
    "takes as the start of a new puzzle. Open a puzzle named --help as ./--help.\n"
    "\n"
    "  --share      print a link that holds the puzzle (on the page's address,\n"
    "               ORVET_SHARE_URL or \"" ORVET_SHARE_URL
    "\"); --qr also prints\n"
    "               it as a QR code where qrencode is installed\n"
    "  --open-link  store the link's puzzle here (NAME.zag, or NAME-2.zag ... when\n"
    "               a different NAME.zag is here) and open it\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "The keys and the file formats are described in orvet(6).\n";

}  // namespace

int parseCommandLine(int argc, char** argv, CommandLine& line) {
    std::string arg1 = argc > 1 && argv[1] != nullptr ? argv[1] : "";
    std::string arg2 = argc > 2 && argv[2] != nullptr ? argv[2] : "";

    // The two options answer on stdout before anything else is set up, so
    // they work without a window system.
    if (arg1 == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (arg1 == "--version") {
        std::printf("orvet %s\n", ORVET_VERSION);
        return 0;
    }
#ifndef __EMSCRIPTEN__
    if (arg1 == "--share" || arg1 == "--open-link") {
        const int status = runShareOption(argc, argv, arg1);
        if (status >= 0) return status;
        arg2.clear();
    }
#endif
    line.puzzleFile = arg1;
    line.editor = asciiLower(arg2) == "pravi";
    return -1;
}
