#pragma once
#include <cstddef>
#include <string>
#include <string_view>

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

    // For tests only: what a test cannot stage without privileges or another file
    // system. A writer takes the hooks in force when it is made.
    struct TTestHooks {
        int writeErrno = 0;          // when not 0, write(2) fails with this error...
        std::size_t writeLimit = 0;  // ...once the new file holds this many bytes
        bool namedOnly = false;      // a temporary name from the start, as without O_TMPFILE
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
    [[noreturn]] void Fail(int sysErrno);

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
