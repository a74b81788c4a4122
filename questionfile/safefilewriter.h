#pragma once
#include <string>
#include <string_view>

#include "filestreams.h"

// Writes a file so that the old one survives any failure: the bytes go to a temporary
// file beside the target, which replaces the target only after everything is on disk.
// A writer that is destroyed without Commit() leaves the target as it was and removes
// its temporary file.
class TSafeFileWriter final : public TByteSink {
public:
    explicit TSafeFileWriter(const std::string &target);
    ~TSafeFileWriter();
    TSafeFileWriter(const TSafeFileWriter &) = delete;
    TSafeFileWriter &operator=(const TSafeFileWriter &) = delete;

    void Write(std::string_view bytes) override;
    void Commit();

private:
    void Flush();
    void WriteAll(std::string_view bytes);
    void Discard() noexcept;
    [[noreturn]] void Fail(int sysErrno);

    std::string FTarget;
    std::string FTempName;  // empty when writing straight to a device
    int FFd = -1;
    bool FTargetExisted = false;
    unsigned FTargetMode = 0;
    unsigned FTargetUid = 0, FTargetGid = 0;
    std::string FBuffer;
};
