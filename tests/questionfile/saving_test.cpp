// Saving never destroys the previous file: failures leave it byte for byte and leave
// no temporary file behind, and only a regular file is ever replaced.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <future>
#include <sched.h>
#include <string_view>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "errors.h"
#include "filestreams.h"
#include "safefilewriter.h"
#include "testutil.h"

namespace {

const tMirolaFType kWriters[] = {ftTXT, ftRAF, ftWRAF};

// The new file is written unnamed where the file system allows it and under a
// temporary name elsewhere; failures must clean up after both.
enum TNewFile { nfUnnamed, nfNamed };
const TNewFile kNewFiles[] = {nfUnnamed, nfNamed};

class THooksInForce {
public:
    explicit THooksInForce(TSafeFileWriter::TTestHooks hooks) { TSafeFileWriter::TestHooks = hooks; }
    explicit THooksInForce(TNewFile newFile) { TSafeFileWriter::TestHooks.namedOnly = newFile == nfNamed; }
    ~THooksInForce() { TSafeFileWriter::TestHooks = {}; }
    THooksInForce(const THooksInForce &) = delete;
    THooksInForce &operator=(const THooksInForce &) = delete;
};

TEST(Saving, FailuresLeaveTheOldFileAndNoTemporaryFile)
{
    TScratchDir dir;
    TMirolaFile doc = MakeDocument(3);
    WriteBytes(dir.Path("datei.mfd"), "alt");
    for (const TNewFile newFile : kNewFiles) {
        const THooksInForce hooks(newFile);
        for (const tMirolaFType type : kWriters) {
            SCOPED_TRACE(testing::Message() << "new file " << newFile << ", writer " << type);
            EXPECT_EQ(SaveError(doc, dir.Path("fehlt/x.mfd"), type), "Ungültiger Dateiname");
            EXPECT_EQ(SaveError(doc, dir.Path("datei.mfd/x.mfd"), type), "Ungültiger Dateiname");
            EXPECT_EQ(SaveError(doc, dir.Root(), type), "Dateizugriff verweigert");
        }
    }
    EXPECT_EQ(ReadBytes(dir.Path("datei.mfd")), "alt");
    EXPECT_EQ(ListFolder(dir.Root()), "datei.mfd;");
}

// The disk fills up after the new file has taken part of the bytes.
TEST(Saving, RunningOutOfSpaceLeavesTheOldFileAndNoTemporaryFile)
{
    TScratchDir dir;
    TMirolaFile doc = MakeDocument(3);  // well over 100 bytes in every format
    WriteBytes(dir.Path("datei.mfd"), "alt");
    for (const TNewFile newFile : kNewFiles) {
        const THooksInForce hooks(
            {.writeErrno = ENOSPC, .writeLimit = 100, .namedOnly = newFile == nfNamed, .calls = {}});
        for (const tMirolaFType type : kWriters) {
            SCOPED_TRACE(testing::Message() << "new file " << newFile << ", writer " << type);
            EXPECT_EQ(SaveError(doc, dir.Path("datei.mfd"), type), "Zu wenig Speicherplatz");
            EXPECT_EQ(SaveError(doc, dir.Path("neu.mfd"), type), "Zu wenig Speicherplatz");
            EXPECT_EQ(ReadBytes(dir.Path("datei.mfd")), "alt");
            EXPECT_EQ(ListFolder(dir.Root()), "datei.mfd;");
        }
    }
}

// Every writer must refuse each target, without blocking. A writer that opens a FIFO
// waits for a reader; opening the read end of `fifo` then frees it, so a fault fails
// the test instead of hanging it.
void ExpectEachSaveRefused(const std::vector<std::string> &targets, const std::string &fifo = {})
{
    TMirolaFile doc = MakeDocument(3);  // fits into a pipe's buffer, so a freed writer ends
    for (const std::string &target : targets) {
        for (const tMirolaFType type : kWriters) {
            SCOPED_TRACE(target + ", writer " + std::to_string(type));
            auto save = std::async(std::launch::async, [&] { return SaveError(doc, target, type); });
            int reader = -1;
            if (save.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
                ADD_FAILURE() << "the save blocked";
                reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
            }
            EXPECT_EQ(save.get(), "Dateizugriff verweigert");
            if (reader >= 0)
                ::close(reader);
        }
    }
}

// Looking at a FIFO or a socket must not block or write into it, also behind a link.
TEST(Saving, OnlyARegularFileIsReplacedAndNothingBlocks)
{
    TScratchDir dir;
    const std::string fifo = dir.Path("fifo.mfd");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    ASSERT_EQ(::symlink("fifo.mfd", dir.Path("l.mfd").c_str()), 0);
    const std::string socketPath = dir.Path("s.mfd");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(sock);

    ExpectEachSaveRefused({fifo, dir.Path("l.mfd"), socketPath}, fifo);
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(ListFolder(dir.Root()), "fifo.mfd;l.mfd;s.mfd;");
}

// A device would take the bytes in place of a file; the node stays, also behind a link.
TEST(Saving, ADeviceIsNeverReplaced)
{
    TScratchDir dir;
    if (!MakeZeroDevice(dir.Path("z.mfd")))
        GTEST_SKIP() << "only root may make the device node that stands for a device here";
    ASSERT_EQ(::symlink("z.mfd", dir.Path("l.mfd").c_str()), 0);
    ExpectEachSaveRefused({dir.Path("z.mfd"), dir.Path("l.mfd")});
    struct stat st {};
    ASSERT_EQ(::lstat(dir.Path("z.mfd").c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(ListFolder(dir.Root()), "l.mfd;z.mfd;");
}

// A write that fails halfway, after the temporary file has taken part of the bytes:
// a file size limit for the child alone stands in for a full disk.
TEST(Saving, AWriteFailingHalfwayRemovesItsTemporaryFile)
{
    TScratchDir dir;
    WriteBytes(dir.Path("alt.mfd"), "alter Inhalt");
    const std::string result = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG instead of ending the child
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return std::string("setrlimit failed");
        TMirolaFile doc = MakeMixedDocument(2000);  // far more than 4 KiB in every format
        std::string report;
        for (const TNewFile newFile : kNewFiles) {
            const THooksInForce hooks(newFile);
            for (const tMirolaFType type : kWriters)
                report += (SaveError(doc, dir.Path("alt.mfd"), type).empty() ? "saved|" : "failed|") +
                          ReadBytes(dir.Path("alt.mfd")) + "|" + ListFolder(dir.Root()) + "\n";
        }
        return report;
    });
    const std::string once = "failed|alter Inhalt|alt.mfd;\n";
    EXPECT_EQ(result, once + once + once + once + once + once);
}

// The last step fails: the target turned into a folder while the file was written, so
// the temporary file cannot take its place.
TEST(Saving, AFailedReplaceRemovesTheTemporaryFile)
{
    for (const TNewFile newFile : kNewFiles) {
        SCOPED_TRACE(testing::Message() << "new file " << newFile);
        const THooksInForce hooks(newFile);
        TScratchDir dir;
        const std::string target = dir.Path("ziel.mfd");
        WriteBytes(target, "alt");
        try {
            TSafeFileWriter file(target);
            file.Write("neu");
            ASSERT_EQ(std::remove(target.c_str()), 0);
            ASSERT_EQ(::mkdir(target.c_str(), 0755), 0);
            WriteBytes(target + "/drin", "x");
            file.Commit();
            ADD_FAILURE() << "the temporary file replaced a folder";
        } catch (const EMirolaError &e) {
            EXPECT_EQ(e.Message(), "Dateizugriff verweigert");
        }
        EXPECT_EQ(ListFolder(dir.Root()), "ziel.mfd;");
        EXPECT_EQ(ListFolder(target), "drin;");
    }
}

// A save killed while the new file is half written: nothing of it may stay in the folder.
TEST(Saving, AKilledSaveLeavesNothingBehind)
{
    TScratchDir dir;
    const int probe = ::open(dir.Root().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (probe < 0)
        GTEST_SKIP() << "the file system of " << dir.Root() << " has no unnamed files";
    ::close(probe);
    WriteBytes(dir.Path("alt.mfd"), "alter Inhalt");
    int halfway[2];
    ASSERT_EQ(::pipe(halfway), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(halfway[0]);
        try {
            TSafeFileWriter file(dir.Path("alt.mfd"));
            file.Write(std::string(1 << 20, 'x'));  // more than the writer buffers
            [[maybe_unused]] auto told = ::write(halfway[1], "w", 1);
            ::pause();
        } catch (...) {
        }
        ::_exit(1);
    }
    ::close(halfway[1]);
    char told = 0;
    const bool wrote = ::read(halfway[0], &told, 1) == 1;
    ::close(halfway[0]);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(wrote) << "the child failed before it wrote";
    EXPECT_EQ(ListFolder(dir.Root()), "alt.mfd;");
    EXPECT_EQ(ReadBytes(dir.Path("alt.mfd")), "alter Inhalt");
}

// Syncing the folder after the rename needs the folder opened, which a folder that may
// be written but not read refuses; the save itself has succeeded and must say so.
TEST(Saving, AFolderThatCannotBeReadStillTakesTheSave)
{
    TScratchDir dir;
    const std::string folder = dir.Path("einwurf");
    ::mkdir(folder.c_str(), 0755);
    ::chmod(dir.Root().c_str(), 0755);
    ::chmod(folder.c_str(), 0333);
    // Permissions do not bind the superuser, so the save runs as an ordinary user.
    const std::string result = InChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return std::string("cannot drop privileges");
        TMirolaFile doc = MakeDocument(2);
        std::string report;
        for (const tMirolaFType type : kWriters)
            report += SaveError(doc, folder + "/neu" + std::to_string(type), type) + ";";
        return report;
    });
    EXPECT_EQ(result, ";;;");
    TMirolaFile doc = MakeDocument(2);
    for (const tMirolaFType type : kWriters)
        EXPECT_EQ(ReadBytes(folder + "/neu" + std::to_string(type)), doc.SaveToString(type)) << type;
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(ListFolder(folder), "neu0;neu1;neu2;");
}

TEST(Saving, FullDiskLeavesTheOldFile)
{
    const std::string result = InChild([] {
        // A private mount namespace, so the tiny file system vanishes with the child.
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return std::string("skip");
        TScratchDir dir;
        if (::mount("tmpfs", dir.Root().c_str(), "tmpfs", 0, "size=64k") != 0)
            return std::string("skip");
        std::string report;
        TMirolaFile doc = MakeDocument(2000);  // far more than 64 KiB in every format
        for (const tMirolaFType type : kWriters) {
            WriteBytes(dir.Path("alt.mfd"), "alter Inhalt");
            report += SaveError(doc, dir.Path("alt.mfd"), type) + "|" + ReadBytes(dir.Path("alt.mfd")) + "|" +
                      ListFolder(dir.Root()) + "\n";
        }
        ::umount(dir.Root().c_str());
        return report;
    });
    if (result == "skip")
        GTEST_SKIP() << "no permission to mount a small file system";
    const std::string once = "Zu wenig Speicherplatz|alter Inhalt|alt.mfd;\n";
    EXPECT_EQ(result, once + once + once);
}

TEST(Saving, ReadOnlyFolderOrFileIsLeftAsItWas)
{
    TScratchDir dir;
    const std::string folder = dir.Path("nurlesen");
    ::mkdir(folder.c_str(), 0755);
    WriteBytes(folder + "/alt.mfd", "alter Inhalt");
    ::chmod(dir.Root().c_str(), 0755);
    // A read-only file in a folder open to everyone.
    const std::string open = dir.Path("offen");
    ::mkdir(open.c_str(), 0777);
    ::chmod(open.c_str(), 0777);
    WriteBytes(open + "/nurlesen.mfd", "auch alt");
    ::chmod((open + "/nurlesen.mfd").c_str(), 0444);
    ::chmod(folder.c_str(), 0555);
    // Permissions do not bind the superuser, so the save runs as an ordinary user.
    const std::string result = InChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return std::string("cannot drop privileges");
        TMirolaFile doc = MakeDocument(1);
        std::string report;
        for (const tMirolaFType type : kWriters)
            report +=
                SaveError(doc, folder + "/alt.mfd", type) + ";" + SaveError(doc, open + "/nurlesen.mfd", type) + ";";
        return report;
    });
    const std::string denied = "Dateizugriff verweigert;";
    EXPECT_EQ(result, denied + denied + denied + denied + denied + denied);
    EXPECT_EQ(ReadBytes(folder + "/alt.mfd"), "alter Inhalt");
    EXPECT_EQ(ReadBytes(open + "/nurlesen.mfd"), "auch alt");
    EXPECT_EQ(ListFolder(open), "nurlesen.mfd;");
    EXPECT_EQ(ListFolder(folder), "alt.mfd;");
}

TEST(Saving, ReplacingKeepsPermissionsAndFollowsLinks)
{
    TScratchDir dir;
    TMirolaFile doc = MakeDocument(1);
    WriteBytes(dir.Path("alt.mfd"), "alt");
    ::chmod(dir.Path("alt.mfd").c_str(), 0640);
    ASSERT_EQ(::symlink("alt.mfd", dir.Path("link.mfd").c_str()), 0);
    doc.SaveToFile(dir.Path("link.mfd"), ftTXT);

    struct stat st {};
    ASSERT_EQ(::lstat(dir.Path("link.mfd").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::stat(dir.Path("alt.mfd").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_NE(ReadBytes(dir.Path("alt.mfd")), "alt");
    EXPECT_EQ(ListFolder(dir.Root()), "alt.mfd;link.mfd;");

    const mode_t old = ::umask(022);
    doc.SaveToFile(dir.Path("neu.raf"), ftRAF);
    ::umask(old);
    ASSERT_EQ(::stat(dir.Path("neu.raf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

// ---------------------------------------------------------------------------------
// Faults injected into the save's system calls

// What the save's system calls did, in order, and the fault to inject: the first
// `FailTimes` calls of the kind `FailCall` fail with `FailErrno`, having done nothing
// (but a close, which releases its descriptor however it ends).
struct TCallLog {
    std::vector<std::string> Calls;
    std::vector<std::string> TemporaryNames;
    std::string FailCall;
    int FailErrno = 0;
    int FailTimes = 0;
};
TCallLog gCalls;

bool Fails(const char *call)
{
    gCalls.Calls.emplace_back(call);
    if (gCalls.FailCall != call || gCalls.FailTimes == 0)
        return false;
    --gCalls.FailTimes;
    errno = gCalls.FailErrno;
    return true;
}

bool IsFolder(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

TSafeFileWriter::TSystemCalls WatchedCalls()
{
    TSafeFileWriter::TSystemCalls calls;
    calls.open = [](const char *path, int flags, mode_t mode) {
        return Fails((flags & O_TMPFILE) == O_TMPFILE ? "open unnamed" : "open folder") ? -1
                                                                                        : ::open(path, flags, mode);
    };
    calls.mkostemp = [](char *pattern, int flags) {
        if (Fails("mkostemp"))
            return -1;
        const int fd = ::mkostemp(pattern, flags);
        gCalls.TemporaryNames.emplace_back(pattern);
        return fd;
    };
    calls.write = [](int fd, const void *bytes, std::size_t size) -> ssize_t {
        return Fails("write") ? -1 : ::write(fd, bytes, size);
    };
    calls.fsync = [](int fd) { return Fails(IsFolder(fd) ? "fsync folder" : "fsync file") ? -1 : ::fsync(fd); };
    calls.close = [](int fd) {
        const char *call = IsFolder(fd) ? "close folder" : "close file";
        const int result = ::close(fd);
        return Fails(call) ? -1 : result;
    };
    calls.linkat = [](int fromFolder, const char *from, int toFolder, const char *to, int flags) {
        gCalls.TemporaryNames.emplace_back(to);
        return Fails("linkat") ? -1 : ::linkat(fromFolder, from, toFolder, to, flags);
    };
    calls.rename = [](const char *from, const char *to) { return Fails("rename") ? -1 : ::rename(from, to); };
    return calls;
}

// Watches the calls of every writer made while it lives, injecting the fault given.
class TWatchedSave {
public:
    TWatchedSave(TNewFile newFile, std::string failCall = {}, int failErrno = 0, int failTimes = 0)
        : FHooks({.writeErrno = 0, .writeLimit = 0, .namedOnly = newFile == nfNamed, .calls = WatchedCalls()})
    {
        gCalls = {{}, {}, std::move(failCall), failErrno, failTimes};
    }
    ~TWatchedSave() { gCalls = {}; }

    static int Count(const std::string &call)
    {
        return static_cast<int>(std::count(gCalls.Calls.begin(), gCalls.Calls.end(), call));
    }

private:
    THooksInForce FHooks;
};

bool HasUnnamedFiles(const std::string &folder)
{
    const int probe = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (probe < 0)
        return false;
    ::close(probe);
    return true;
}

// Only once the new file is on disk may it take the old one's place, and only once the
// folder is synced does the change survive a power cut.
TEST(SavingSteps, TheFileIsSyncedBeforeTheRenameAndTheFolderAfterIt)
{
    TScratchDir dir;
    TMirolaFile doc = MakeMixedDocument(50);
    WriteBytes(dir.Path("datei.mfd"), "alt");
    for (const TNewFile newFile : kNewFiles) {
        SCOPED_TRACE(testing::Message() << "new file " << newFile);
        const TWatchedSave watched(newFile);
        doc.SaveToFile(dir.Path("datei.mfd"), ftTXT);
        std::vector<std::string> steps;
        for (const std::string &call : gCalls.Calls)
            if ((call == "write" && (steps.empty() || steps.back() != "write")) || call == "fsync file" ||
                call == "rename" || call == "fsync folder")
                steps.push_back(call);
        EXPECT_EQ(steps, (std::vector<std::string>{"write", "fsync file", "rename", "fsync folder"}));
        EXPECT_EQ(ReadBytes(dir.Path("datei.mfd")), doc.SaveToString(ftTXT));
    }
}

enum TInjected { inBoth, inUnnamedOnly };

// A signal that interrupts a call is no failure: the call is made again (a close has
// released its descriptor all the same). Other errors fail the save and leave the old
// file; those after the rename cannot undo it and are not reported.
TEST(SavingSteps, WhichErrorsAreTriedAgain)
{
    const struct {
        const char *Call;
        int Errno, Times;
        TInjected Where;
        std::string Error;  // empty: saved
    } cases[] = {
        {"write", EINTR, 3, inBoth, ""},
        {"write", ENOSPC, 1, inBoth, "Zu wenig Speicherplatz"},
        {"fsync file", EINTR, 2, inBoth, ""},
        {"fsync file", ENOSPC, 1, inBoth, "Zu wenig Speicherplatz"},
        {"close file", EINTR, 1, inBoth, ""},
        {"close file", EDQUOT, 1, inBoth, "Zu wenig Speicherplatz"},
        {"rename", EACCES, 1, inBoth, "Dateizugriff verweigert"},
        {"open folder", EINTR, 1, inBoth, ""},
        {"open folder", EACCES, 1, inBoth, ""},
        {"fsync folder", EIO, 1, inBoth, ""},
        {"open unnamed", EINTR, 2, inUnnamedOnly, ""},
        {"open unnamed", EOPNOTSUPP, 1, inUnnamedOnly, ""},  // then under a temporary name
        {"linkat", EEXIST, 2, inUnnamedOnly, ""},            // a name taken meanwhile: another
        {"linkat", ENOSPC, 1, inUnnamedOnly, "Zu wenig Speicherplatz"},
    };
    TScratchDir dir;
    const bool unnamedFiles = HasUnnamedFiles(dir.Root());
    TMirolaFile doc = MakeMixedDocument(50);
    const std::string bytes = doc.SaveToString(ftRAF);
    for (const auto &c : cases) {
        for (const TNewFile newFile : kNewFiles) {
            if (c.Where == inUnnamedOnly && (newFile == nfNamed || !unnamedFiles))
                continue;
            SCOPED_TRACE(testing::Message() << c.Call << " errno " << c.Errno << ", new file " << newFile);
            WriteBytes(dir.Path("datei.raf"), "alt");
            const TWatchedSave watched(newFile, c.Call, c.Errno, c.Times);
            EXPECT_EQ(SaveError(doc, dir.Path("datei.raf"), ftRAF), c.Error);
            EXPECT_EQ(gCalls.FailTimes, 0) << "the fault was never met";
            EXPECT_TRUE(ReadBytes(dir.Path("datei.raf")) == (c.Error.empty() ? bytes : "alt"));
            EXPECT_EQ(ListFolder(dir.Root()), "datei.raf;");
            if (c.Error.empty() && c.Errno == EINTR && std::string_view(c.Call) != "close file") {
                EXPECT_GT(TWatchedSave::Count(c.Call), c.Times);
            }
        }
    }
}

// The temporary name beside a target whose name is as long as the system allows is
// shortened to fit; it is still hidden and still names the target.
TEST(SavingSteps, ATargetNameNearTheSystemsLimit)
{
    TScratchDir dir;
    const std::string name = "\x84" + std::string(NAME_MAX - 5, 'n') + ".mfd";
    ASSERT_EQ(name.size(), std::size_t(NAME_MAX));
    TMirolaFile doc = MakeDocument(3);
    for (const TNewFile newFile : kNewFiles) {
        SCOPED_TRACE(testing::Message() << "new file " << newFile);
        WriteBytes(dir.Path(name), "alt");
        {
            const TWatchedSave watched(newFile);
            EXPECT_EQ(SaveError(doc, dir.Path(name)), "");
            ASSERT_FALSE(gCalls.TemporaryNames.empty());
            for (const std::string &temporary : gCalls.TemporaryNames) {
                const std::string own = temporary.substr(temporary.find_last_of('/') + 1);
                EXPECT_LE(own.size(), std::size_t(NAME_MAX)) << own;
                EXPECT_TRUE(own.starts_with("." + name.substr(0, 100))) << own;
                EXPECT_EQ(temporary.substr(0, temporary.size() - own.size()), dir.Root() + "/");
            }
        }
        EXPECT_EQ(ReadBytes(dir.Path(name)), doc.SaveToString(ftTXT));
        EXPECT_EQ(ListFolder(dir.Root()), name + ";");
    }
}

}  // namespace
