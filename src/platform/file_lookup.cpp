// Looking at files before they are read: probing, opening for reading and
// a plain file's modification time.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"

FileProbe probeFile(const std::string& fileName) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) == 0) return FileProbe::Present;
    return errno == ENOENT || errno == ENOTDIR ? FileProbe::Missing : FileProbe::Unreadable;
}

std::FILE* openFileForReading(const std::string& fileName) {
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr) return nullptr;
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

bool plainFileModified(const std::string& fileName, struct timespec& modified) {
    struct stat info {};
    if (::lstat(fileName.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    modified = info.st_mtim;
    return true;
}

bool readPlainFile(const std::string& name, size_t limit, std::string& out) {
    const int fd = ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    out.clear();
    char block[4096];
    while (ok && out.size() <= limit) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        out.append(block, static_cast<size_t>(n));
    }
    ::close(fd);
    return ok;
}
