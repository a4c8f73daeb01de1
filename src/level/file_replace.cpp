// Safe replacement of a file: a temporary file beside the target, flushed to
// disk and renamed over it, so the old file survives any failure.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "level/text_records.h"

namespace {

bool writeAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The mode a newly created file would get, or the existing target's mode.
mode_t modeFor(const std::string& fileName) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        return info.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool fail(const std::string& fileName, const char* tempName, int error) {
    if (tempName != nullptr) ::unlink(tempName);
    std::fprintf(stderr, "orvet: could not save \"%s\": %s\n", fileName.c_str(),
                 std::strerror(error));
    return false;
}

}  // namespace

bool replaceFile(const std::string& fileName, std::string_view bytes) {
    const std::string pattern = fileName + ".tmp-XXXXXX";
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) return fail(fileName, nullptr, errno);
    if (!writeAll(fd, bytes) || ::fchmod(fd, modeFor(fileName)) != 0 || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(fileName, tempName.data(), error);
    }
    if (::close(fd) != 0) return fail(fileName, tempName.data(), errno);
    if (::rename(tempName.data(), fileName.c_str()) != 0) {
        return fail(fileName, tempName.data(), errno);
    }
    return true;
}
