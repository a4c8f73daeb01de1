// The listing of puzzle files ("*.zag") in the working directory, sorted
// by their bytes.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "platform/platform.h"

namespace {

std::vector<std::string> listing;
size_t nextIndex = 0;

bool isPuzzleName(const std::string& name) {
    static const std::string suffix = ".zag";
    if (name.size() < suffix.size()) return false;
    if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
    // Hidden files are left out, except one named just ".zag": that is a
    // puzzle with an empty name, not a hidden file.
    return name[0] != '.' || name == suffix;
}

bool isRegularFile(const std::string& name) {
    struct stat info;
    return stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string listFirstPuzzleFile() {
    listing.clear();
    nextIndex = 0;
    DIR* dir = opendir(".");
    if (dir != nullptr) {
        while (const dirent* entry = readdir(dir)) {
            std::string name(entry->d_name);
            if (isPuzzleName(name) && isRegularFile(name)) listing.push_back(std::move(name));
        }
        closedir(dir);
    }
    // Names come in the order the file system stores them; they are handed
    // on sorted by their bytes, so a pack lists in the same order everywhere.
    std::sort(listing.begin(), listing.end());
    return listNextPuzzleFile();
}

std::string listNextPuzzleFile() {
    if (nextIndex >= listing.size()) return std::string();
    return listing[nextIndex++];
}
