// Safe replacement of a file: a temporary file beside the target, given the
// old file's owner and mode, flushed to disk and renamed over it, so the old
// file survives any failure. A symbolic
// link is followed to the file it names, and where a temporary file cannot
// serve (a hard-linked file, a device, a folder the user may not write to,
// a name at the file system's length limit, an owner the saver cannot give
// the new file) the file is written in place, with its room reserved first.
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/files.h"

namespace {

// More links in a row than this are taken as a loop, as the kernel does.
constexpr int kMaxLinkHops = 40;

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

bool fail(const std::string& fileName, const char* tempName, int error, const char* note = "") {
    if (tempName != nullptr) ::unlink(tempName);
    std::fprintf(stderr, "orvet: could not save \"%s\": %s%s\n", fileName.c_str(),
                 std::strerror(error), note);
    return false;
}

// The file that fileName finally names, following symbolic links one by one
// (a link that names a missing file gives that file's name, which is then
// created). False with errno set when a link cannot be read or they loop.
bool followLinks(const std::string& fileName, std::string& target) {
    target = fileName;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        if (hop == kMaxLinkHops) break;
        std::vector<char> link(PATH_MAX);
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0) return false;
        if (static_cast<size_t>(n) >= link.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string named(link.data(), static_cast<size_t>(n));
        const size_t slash = target.rfind('/');
        if (named.empty() || named[0] == '/' || slash == std::string::npos) {
            target = named;
        } else {
            target = target.substr(0, slash + 1) + named;  // relative to the link's folder
        }
    }
    errno = ELOOP;
    return false;
}

// Makes room for size bytes in the open regular file before a byte of it
// changes, so that a full disk fails the save with the old contents whole.
// Where the file system cannot reserve space, a write no longer than the old
// contents needs none. False with errno set when the save must not go on.
bool reserveInPlace(int fd, off_t oldSize, size_t size) {
    if (size == 0) return true;
#if defined(__linux__) && defined(FALLOC_FL_KEEP_SIZE)
    // The size stays until the bytes are written: nothing shows zeros.
    const int error = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0 ? 0 : errno;
#else
    const int error = ::posix_fallocate(fd, 0, off_t(size));
#endif
    if (error == 0) return true;
    if ((error == EOPNOTSUPP || error == ENOSYS) && off_t(size) <= oldSize) return true;
    errno = error;
    return false;
}

// Writes the file itself: every hard link sees the new bytes, the owner and
// the inode stay, and a folder the user may not write to does not matter.
// A regular file gets its room reserved first and is cut to the new length
// only after every byte is written; a failure part-way through a write that
// was reserved is still reported as leaving the file incomplete. A pipe with
// no reader fails at once instead of waiting for one, and only a regular file
// is flushed to disk (a device has nothing to flush).
bool writeInPlace(const std::string& fileName, const std::string& target, std::string_view bytes) {
    struct stat info {};
    const bool regular = ::stat(target.c_str(), &info) != 0 || S_ISREG(info.st_mode);
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (regular ? 0 : O_NONBLOCK);
    const int fd = ::open(target.c_str(), flags, 0666);
    if (fd < 0) return fail(fileName, nullptr, errno);
    if (regular) {
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !reserveInPlace(fd, opened.st_size, bytes.size())) {
            const int error = errno;
            ::close(fd);
            return fail(fileName, nullptr, error, "; the file is left as it was");
        }
    }
    if (!writeAll(fd, bytes) || (regular && ::ftruncate(fd, off_t(bytes.size())) != 0) ||
        (regular && ::fsync(fd) != 0)) {
        const int error = errno;
        ::close(fd);
        return fail(fileName, nullptr, error, "; the file may now be incomplete");
    }
    if (::close(fd) != 0) {
        return fail(fileName, nullptr, errno, "; the file may now be incomplete");
    }
    return true;
}

// A hard-linked file, or something other than a file or folder (a device,
// a pipe) that a rename would put a regular file in place of.
bool writesInPlace(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    return !S_ISREG(info.st_mode) || info.st_nlink > 1;
}

// Gives the temporary file the owner and group of the file it replaces, so
// that saving another user's puzzle (as root, or as a member of its group)
// leaves it theirs. False with errno set where that is not allowed.
bool takeOwner(int fd, const std::string& target) {
    struct stat old {};
    struct stat made {};
    if (::stat(target.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return true;
    if (::fstat(fd, &made) != 0) return false;
    if (made.st_uid == old.st_uid && made.st_gid == old.st_gid) return true;
    return ::fchown(fd, old.st_uid, old.st_gid) == 0;
}

// Writes a temporary file beside target, flushes it and renames it over
// target. False, with errno set and the temporary file gone, on a failure
// after the temporary file was made; tempMade tells whether it was, and
// notOwned that it was made but could not take the old file's owner.
bool replaceThroughTemporary(const std::string& fileName, const std::string& target,
                             std::string_view bytes, bool& tempMade, bool& notOwned) {
    const std::string pattern = target + ".tmp-XXXXXX";
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    const int fd = ::mkstemp(tempName.data());
    tempMade = fd >= 0;
    notOwned = false;
    if (fd < 0) return false;
    if (!takeOwner(fd, target)) {
        notOwned = true;
        ::close(fd);
        ::unlink(tempName.data());
        return false;
    }
    if (!writeAll(fd, bytes) || ::fchmod(fd, modeFor(target)) != 0 || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(fileName, tempName.data(), error);
    }
    if (::close(fd) != 0) return fail(fileName, tempName.data(), errno);
    if (::rename(tempName.data(), target.c_str()) != 0) {
        return fail(fileName, tempName.data(), errno);
    }
    return true;
}

}  // namespace

bool replaceFile(const std::string& fileName, std::string_view bytes) {
    std::string target;
    if (!followLinks(fileName, target)) return fail(fileName, nullptr, errno);
    if (writesInPlace(target)) return writeInPlace(fileName, target, bytes);
    bool tempMade = false;
    bool notOwned = false;
    if (replaceThroughTemporary(fileName, target, bytes, tempMade, notOwned)) return true;
    // A file of another owner that the saver may write but not give away is
    // written in place, so it stays theirs.
    if (notOwned) return writeInPlace(fileName, target, bytes);
    if (tempMade) return false;
    // No temporary file beside it because of the folder's permissions or a
    // name too long: the file itself may still be writable. Any other reason
    // (a full disk, no inodes, too many open files) would fail the same way
    // in place, after the old contents were already cut away.
    if (errno == EACCES || errno == EPERM || errno == ENAMETOOLONG) {
        return writeInPlace(fileName, target, bytes);
    }
    return fail(fileName, nullptr, errno);
}

bool createFile(const std::string& fileName, std::string_view bytes, bool& exists) {
    exists = false;
    const int fd =
        ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        exists = errno == EEXIST;
        return exists ? false : fail(fileName, nullptr, errno);
    }
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(fileName, fileName.c_str(), error);
    }
    if (::close(fd) != 0) return fail(fileName, fileName.c_str(), errno);
    return true;
}
