// Scratch directory and file helpers shared by the fuzz targets.
#include "fuzz_files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

std::string dirName;

void removeScratch() {
    if (dirName.empty()) return;
    if (DIR* dir = opendir(dirName.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") unlink((dirName + "/" + name).c_str());
        }
        closedir(dir);
    }
    rmdir(dirName.c_str());
}

}  // namespace

const std::string& scratchDir() {
    if (!dirName.empty()) return dirName;
    // ORVET_FUZZ_TMP first (the fuzz script's own directory), then memory.
    struct stat info {};
    const char* base = std::getenv("ORVET_FUZZ_TMP");
    if ((base == nullptr || *base == '\0') && stat("/dev/shm", &info) == 0 &&
        S_ISDIR(info.st_mode)) {
        base = "/dev/shm";
    }
    if (base == nullptr || *base == '\0') base = std::getenv("TMPDIR");
    if (base == nullptr || *base == '\0') base = "/tmp";
    std::string pattern = std::string(base) + "/orvet-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) fuzzFail("cannot make a scratch directory");
    dirName = pattern;
    std::atexit(removeScratch);
    return dirName;
}

std::string scratchPath(const std::string& name) {
    return scratchDir() + "/" + name;
}

void writeScratchFile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) fuzzFail("cannot create a scratch file");
    const bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !ok) fuzzFail("cannot write a scratch file");
}

void writeScratchFile(const std::string& path, const std::string& bytes) {
    writeScratchFile(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string readScratchFile(const std::string& path) {
    std::string bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}

void fuzzFail(const char* what, long detail) {
    std::fprintf(stderr, "fuzz check failed: %s (%ld)\n", what, detail);
    std::fflush(stderr);
    removeScratch();
    std::abort();
}
