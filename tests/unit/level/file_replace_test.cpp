// Saving where the file really is: through symbolic links, to hard-linked
// files, beside a name at the length limit and in a folder the user may not
// write to.
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <iterator>

#include "level_test_files.h"

namespace {

namespace fs = std::filesystem;

class SaveTargetTest : public LevelFileTest {
   protected:
    size_t entries(const std::string& folder) const {
        return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
};

TEST_F(SaveTargetTest, SymbolicLinksAreFollowedAndKept) {
    fs::create_directory(dir + "/shared");
    fs::create_directory(dir + "/pack");
    const std::string real = dir + "/shared/lako.zag";
    writeBytes(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    // A relative link to a relative link: each is read from its own folder.
    fs::create_symlink("../shared/lako.zag", dir + "/pack/middle.zag");
    fs::create_symlink("middle.zag", dir + "/pack/lako.zag");
    const std::string name = dir + "/pack/lako.zag";

    ASSERT_TRUE(replaceFile(name, "new"));
    EXPECT_TRUE(fs::is_symlink(name));
    EXPECT_TRUE(fs::is_symlink(dir + "/pack/middle.zag"));
    EXPECT_EQ(fs::read_symlink(name), "middle.zag");
    EXPECT_EQ(readBytes(real), "new");
    struct stat info {};
    ASSERT_EQ(stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(entries(dir + "/shared"), 1u);  // no temporary file left anywhere
    EXPECT_EQ(entries(dir + "/pack"), 2u);

    // A link to a file not made yet creates that file; the link stays.
    fs::create_symlink(dir + "/shared/new.zag", dir + "/pack/new.zag");
    ASSERT_TRUE(replaceFile(dir + "/pack/new.zag", "made"));
    EXPECT_TRUE(fs::is_symlink(dir + "/pack/new.zag"));
    EXPECT_EQ(readBytes(dir + "/shared/new.zag"), "made");

    // Links that loop fail with one line and change nothing.
    fs::create_symlink("b.zag", dir + "/a.zag");
    fs::create_symlink("a.zag", dir + "/b.zag");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(replaceFile(dir + "/a.zag", "new"));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("orvet: could not save \"" + dir + "/a.zag\": ", 0), 0u) << err;
    EXPECT_TRUE(fs::is_symlink(dir + "/a.zag"));
    EXPECT_TRUE(fs::is_symlink(dir + "/b.zag"));
}

TEST_F(SaveTargetTest, HardLinkedFilesLongNamesAndDevicesAreWrittenInPlace) {
    const std::string name = dir + "/puzzle.zag";
    writeBytes(name, "old old old");
    ASSERT_EQ(chmod(name.c_str(), 0604), 0);
    fs::create_hard_link(name, dir + "/other.zag");
    ASSERT_TRUE(replaceFile(name, "new"));
    EXPECT_EQ(readBytes(name), "new");  // shorter than before: no old tail left
    EXPECT_EQ(readBytes(dir + "/other.zag"), "new");
    EXPECT_EQ(fs::hard_link_count(name), 2u);
    struct stat info {};
    ASSERT_EQ(stat(name.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
    EXPECT_EQ(entries(dir), 2u);

    // A name a few bytes under the limit leaves no room for the temporary
    // file's suffix: created, then replaced, in place.
    const long limit = pathconf(dir.c_str(), _PC_NAME_MAX);
    ASSERT_GT(limit, 20);
    const std::string longName = dir + "/" + std::string(size_t(limit) - 6, 'x') + ".zag";
    testing::internal::CaptureStderr();
    EXPECT_TRUE(replaceFile(longName, "first"));
    EXPECT_TRUE(replaceFile(longName, "second"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(readBytes(longName), "second");
    EXPECT_EQ(entries(dir), 3u);

    // A write in place that fails part-way says the file may be incomplete
    // (a link to a device that is always full).
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    fs::create_symlink("/dev/full", dir + "/full.zag");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(replaceFile(dir + "/full.zag", "new"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "orvet: could not save \"" + dir +
                  "/full.zag\": No space left on device; the file may now be incomplete\n");
    EXPECT_TRUE(fs::is_symlink(dir + "/full.zag"));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(SaveTargetTest, NothingIsCutAwayThatCannotBeWrittenAgain) {
    // A device takes the bytes and the save succeeds (a device has nothing to
    // flush); a pipe with no reader fails at once rather than waiting.
    testing::internal::CaptureStderr();
    EXPECT_TRUE(replaceFile("/dev/null", "bytes"));
    const std::string pipe = dir + "/pipe.zag";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(replaceFile(pipe, "bytes"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "orvet: could not save \"" + pipe + "\": No such device or address\n");

    // A file system with no room for a temporary file: the save fails and the
    // old file stays whole, where writing in place would have cut it short.
    const std::string small = dir + "/small";
    fs::create_directory(small);
    if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k,nr_inodes=3") != 0) {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    const std::string name = small + "/puzzle.zag";
    writeBytes(name, "old contents");
    for (int i = 0; i < 16; ++i) {
        const std::string filler = small + "/filler" + std::to_string(i);
        const int fd = open(filler.c_str(), O_WRONLY | O_CREAT, 0600);
        if (fd < 0) break;
        close(fd);
    }
    testing::internal::CaptureStderr();
    EXPECT_FALSE(replaceFile(name, "new contents, longer than the old"));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(readBytes(name), "old contents");
    umount2(small.c_str(), MNT_DETACH);
    EXPECT_EQ(err.find("incomplete"), std::string::npos) << err;
    EXPECT_EQ(err.rfind("orvet: could not save \"" + name + "\": ", 0), 0u) << err;
}

// Runs body in a child process as an unprivileged user (nobody when the test
// runs as root); returns the child's status, or -1 when privileges cannot be
// dropped or the user may still write to the folder.
int asUnprivileged(const std::string& folder, const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            if (nobody == nullptr || setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
                setuid(nobody->pw_uid) != 0) {
                _exit(100);
            }
        }
        if (access(folder.c_str(), W_OK) == 0) _exit(101);
        _exit(body());
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return 102;
    const int code = WEXITSTATUS(status);
    return code == 100 || code == 101 ? -1 : code;
}

TEST_F(SaveTargetTest, WritableFileInAFolderTheUserMayNotWriteTo) {
    const std::string folder = dir + "/class";
    fs::create_directory(folder);
    const std::string open = folder + "/open.zag";
    const std::string locked = folder + "/locked.zag";
    writeBytes(open, "old");
    writeBytes(locked, "old");
    ASSERT_EQ(chmod(open.c_str(), 0666), 0);
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);

    // Exit status: 1 when the writable file did not save, 2 when the locked
    // one or the new one did.
    testing::internal::CaptureStderr();
    const int status = asUnprivileged(folder, [&] {
        if (!replaceFile(open, "new")) return 1;
        if (replaceFile(locked, "new") || replaceFile(folder + "/new.zag", "new")) return 2;
        return 0;
    });
    const std::string err = testing::internal::GetCapturedStderr();
    chmod(folder.c_str(), 0755);
    if (status < 0) GTEST_SKIP() << "cannot run as a user without write permission on the folder";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readBytes(open), "new");
    EXPECT_EQ(readBytes(locked), "old");
    EXPECT_FALSE(fs::exists(folder + "/new.zag"));
    EXPECT_EQ(entries(folder), 2u);
    struct stat info {};
    ASSERT_EQ(stat(open.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666u);
    // The two refusals say so, one line each; the fallback itself is silent.
    EXPECT_EQ(err, "orvet: could not save \"" + locked +
                       "\": Permission denied\n"
                       "orvet: could not save \"" +
                       folder + "/new.zag\": Permission denied\n");
}

// Writing in place reserves the room first: on a full disk the save fails
// with every name of the file whole, and a shorter puzzle still saves.
TEST_F(SaveTargetTest, InPlaceWritesNeverCutTheOldFileFirst) {
    const std::string small = dir + "/tiny";
    fs::create_directory(small);
    if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=16k") != 0) {
        GTEST_SKIP() << "cannot mount a small file system here (needs root)";
    }
    const std::string name = small + "/puzzle.zag";
    const std::string old(3000, 'o');
    writeBytes(name, old);
    fs::create_hard_link(name, small + "/link.zag");
    testing::internal::CaptureStderr();
    const bool grew = replaceFile(name, std::string(40000, 'n'));
    const std::string err = testing::internal::GetCapturedStderr();
    const std::string afterGrow = readBytes(small + "/link.zag");
    const std::string nameAfterGrow = readBytes(name);
    const bool shrank = replaceFile(name, "new");
    const std::string afterShrink = readBytes(name);
    const auto links = fs::hard_link_count(name);
    umount2(small.c_str(), MNT_DETACH);
    EXPECT_FALSE(grew);
    EXPECT_EQ(err, "orvet: could not save \"" + name +
                       "\": No space left on device; the file is left as it was\n");
    EXPECT_EQ(afterGrow, old);
    EXPECT_EQ(nameAfterGrow, old);
    EXPECT_TRUE(shrank);
    EXPECT_EQ(afterShrink, "new");
    EXPECT_EQ(links, 2u);
}

// A save keeps the file's owner and group: the temporary file takes them
// where the saver may give them (root), and where it may not (a member of
// the file's group), the file is written in place and stays theirs.
TEST_F(SaveTargetTest, AnotherUsersFileStaysTheirs) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to make another user's file";
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) GTEST_SKIP() << "no user nobody";
    const uid_t owner = 1000;
    const gid_t group = 1234;
    const std::string folder = dir + "/team";
    fs::create_directory(folder);
    ASSERT_EQ(chown(folder.c_str(), 0, group), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0775), 0);
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    const std::string name = folder + "/shared.zag";
    writeBytes(name, "old");
    ASSERT_EQ(chown(name.c_str(), owner, group), 0);
    ASSERT_EQ(chmod(name.c_str(), 0664), 0);

    ASSERT_TRUE(replaceFile(name, "by root"));
    struct stat info {};
    ASSERT_EQ(stat(name.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_mode & 07777, 0664u);
    EXPECT_EQ(readBytes(name), "by root");

    const pid_t pid = fork();
    if (pid == 0) {
        const gid_t groups[] = {group};
        if (setgroups(1, groups) != 0 || setgid(nobody->pw_gid) != 0 ||
            setuid(nobody->pw_uid) != 0) {
            _exit(100);
        }
        _exit(replaceFile(name, "by a member") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(stat(name.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(readBytes(name), "by a member");
    EXPECT_EQ(entries(folder), 1u);
}

}  // namespace
