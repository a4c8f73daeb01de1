// `orvet --share` and `orvet --open-link`: the link made from a puzzle file
// and a link's puzzle stored by the page's rules (src/level/share_link.h).
#include "app/share_command.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "level/puzzle_file.h"
#include "level/share_link.h"

namespace {

bool readWholeFile(const std::string& name, std::string& out) {
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) return false;
    out.clear();
    char block[4096];
    size_t n = 0;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0) out.append(block, n);
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

// The page's address: ORVET_SHARE_URL from the environment, else the
// build's default, without a fragment of its own.
std::string shareBase() {
    const char* env = std::getenv("ORVET_SHARE_URL");
    std::string base = env != nullptr && env[0] != '\0' ? env : ORVET_SHARE_URL;
    const size_t hash = base.find('#');
    if (hash != std::string::npos) base.resize(hash);
    return base;
}

// The QR code through qrencode where it is installed.
void printQrCode(const std::string& link) {
    if (std::system("command -v qrencode >/dev/null 2>&1") != 0) {
        std::fputs("orvet: no QR code: qrencode is not installed\n", stderr);
        return;
    }
    std::fflush(stdout);
    std::FILE* pipe = popen("qrencode -t UTF8 -o -", "w");
    if (pipe == nullptr) return;
    std::fwrite(link.data(), 1, link.size(), pipe);
    pclose(pipe);
}

int shareCommand(int argc, char** argv) {
    std::string file;
    bool qr = false;
    int files = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--qr") == 0) {
            qr = true;
        } else {
            file = argv[i];
            ++files;
        }
    }
    if (files != 1) {
        std::fputs("orvet: usage: orvet --share [--qr] PUZZLE.zag\n", stderr);
        return 2;
    }
    std::string bytes;
    if (!readWholeFile(file, bytes)) {
        std::fprintf(stderr, "orvet: cannot read \"%s\": %s\n", file.c_str(), std::strerror(errno));
        return 1;
    }
    if (!isPuzzleBytes(bytes)) {
        std::fprintf(stderr,
                     "orvet: \"%s\" is not a puzzle file (it does not begin with \"LVL\")\n",
                     file.c_str());
        return 1;
    }
    const size_t slash = file.rfind('/');
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    const std::string link = shareBase() + linkFragment(name, bytes);
    std::printf("%s\n", link.c_str());
    if (qr) printQrCode(link);
    return 0;
}

int openLinkCommand(int argc, char** argv, std::string& fileToOpen) {
    if (argc != 3) {
        std::fputs("orvet: usage: orvet --open-link LINK\n", stderr);
        return 2;
    }
    DecodedLink decoded;
    const LinkError error = decodeLink(argv[2], decoded);
    if (error != LinkError::None) {
        std::fprintf(stderr, "orvet: nothing stored: %s\n", linkErrorText(error));
        return 1;
    }
    std::string stored;
    const StoreResult result = storeLinkedPuzzle("", decoded.name, decoded.bytes, stored);
    if (result == StoreResult::Failed) {
        std::fprintf(stderr, "orvet: nothing stored: no free name for \"%s\"\n",
                     decoded.name.c_str());
        return 1;
    }
    if (result == StoreResult::AlreadyThere) {
        std::fprintf(stderr, "orvet: the link's puzzle is already here as \"%s\"\n",
                     stored.c_str());
    } else if (stored != decoded.name) {
        std::fprintf(stderr, "orvet: stored the link's puzzle as \"%s\" (another \"%s\" is here)\n",
                     stored.c_str(), decoded.name.c_str());
    } else {
        std::fprintf(stderr, "orvet: stored the link's puzzle as \"%s\"\n", stored.c_str());
    }
    if (decoded.nameChanged) {
        std::fputs("orvet: the name the link gave was not a safe file name\n", stderr);
    }
    if (stored[0] == '-') {
        std::fprintf(stderr, "orvet: open it again with: orvet ./%s\n", stored.c_str());
    }
    fileToOpen = stored;
    return -1;
}

}  // namespace

int runShareOption(int argc, char** argv, std::string& fileToOpen) {
    if (argc > 1 && std::strcmp(argv[1], "--share") == 0) return shareCommand(argc, argv);
    return openLinkCommand(argc, argv, fileToOpen);
}
