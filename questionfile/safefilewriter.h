#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

#include "filestreams.h"

// Writes a named file so that the old one survives any failure: the bytes go to a new
// file beside the target, which replaces the target only after everything is on disk.
// Where the file system allows it the new file has no name until that moment, so a
// save killed on the way leaves nothing behind. A writer that is destroyed without
// Commit() leaves the target as it was and no file of its own.
// Only a regular file (or a link to one) is replaced: a FIFO, a device, a socket or a
// folder is refused before anything is opened.
class TSafeFileWriter final : public TByteSink {
public:
    explicit TSafeFileWriter(const std::string &target);
    ~TSafeFileWriter();
    TSafeFileWriter(const TSafeFileWriter &) = delete;
    TSafeFileWriter &operator=(const TSafeFileWriter &) = delete;

    void Write(std::string_view bytes) override;
    void Commit();

    // The system calls of a save, each as its function in the C library; one left
    // empty is that function itself.
    struct TSystemCalls {
        int (*open)(const char *path, int flags, mode_t mode) = nullptr;
        int (*mkostemp)(char *pattern, int flags) = nullptr;
        ssize_t (*write)(int fd, const void *bytes, std::size_t size) = nullptr;
        int (*fsync)(int fd) = nullptr;
        int (*close)(int fd) = nullptr;
        int (*linkat)(int fromFolder, const char *from, int toFolder, const char *to, int flags) = nullptr;
        int (*rename)(const char *from, const char *to) = nullptr;
    };

    // For tests only: what a test cannot stage without privileges or another file
    // system. A writer takes the hooks in force when it is made.
    struct TTestHooks {
        int writeErrno = 0;          // when not 0, write(2) fails with this error...
        std::size_t writeLimit = 0;  // ...once the new file holds this many bytes
        bool namedOnly = false;      // a temporary name from the start, as without O_TMPFILE
        TSystemCalls calls;          // to fail a step or watch the order of the steps
    };
    static TTestHooks TestHooks;

private:
    void CheckTarget();
    bool OpenUnnamed();
    void OpenNamed(const std::string &name);
    void NameUnnamed(const std::string &name);
    void Flush();
    void WriteAll(std::string_view bytes);
    void Discard() noexcept;
    void SyncFolder() noexcept;
    [[noreturn]] void Fail(int sysErrno);

    int Open(const char *path, int flags, unsigned mode = 0) const;
    int Fsync(int fd) const;
    int Close(int fd) const;

    std::string FTarget;
    std::string FFolder;
    std::string FTempName;  // the new file's name while it has one
    int FFd = -1;
    bool FTargetExisted = false;
    unsigned FTargetMode = 0;
    unsigned FTargetUid = 0, FTargetGid = 0;
    std::string FBuffer;
    std::size_t FWritten = 0;
    TTestHooks FHooks;
};

inline TSafeFileWriter::TTestHooks TSafeFileWriter::TestHooks;
