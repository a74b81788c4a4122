// Saving never destroys the previous file: failures leave it byte for byte and leave
// no temporary file behind, and only a regular file is ever replaced.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <future>
#include <sched.h>
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
        const THooksInForce hooks({.writeErrno = ENOSPC, .writeLimit = 100, .namedOnly = newFile == nfNamed});
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
            report += SaveError(doc, folder + "/alt.mfd", type) + ";" + SaveError(doc, open + "/nurlesen.mfd", type) + ";";
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

}  // namespace
