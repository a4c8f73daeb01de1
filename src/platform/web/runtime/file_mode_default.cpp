// Emscripten 3.1.6 starts a program with the file-creation mask 0777, so a
// file the game creates (a new puzzle, a first saved game) would get no
// permissions at all, and the browser's file system then refuses to read it
// back. Both WebAssembly programs start with the usual 022 instead, as a
// desktop session does.
#include <sys/stat.h>

namespace {

struct FileModeDefault {
    FileModeDefault() { umask(022); }
};

const FileModeDefault fileModeDefault;

}  // namespace
