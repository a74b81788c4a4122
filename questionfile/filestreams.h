#pragma once
// File access for the readers and writers, with the game tools' error messages.
#include <string>
#include <string_view>

// A file opened for reading only.
class TFileReader {
public:
    explicit TFileReader(const std::string &path);
    ~TFileReader();
    TFileReader(const TFileReader &) = delete;
    TFileReader &operator=(const TFileReader &) = delete;

    // Fills `size` bytes unless the file ends first; returns how many it got.
    std::size_t Read(char *buffer, std::size_t size);
    // The file's size where the system knows it, else 0.
    std::size_t SizeHint() const { return FSize; }

private:
    std::string FPath;
    int FFd = -1;
    std::size_t FSize = 0;
};

// The whole content of a file opened for reading only.
std::string ReadWholeFile(const std::string &path);

// Writes a file so that the old one survives any failure: the bytes go to a temporary
// file beside the target, which replaces the target only after everything is on disk.
// A writer that is destroyed without Commit() leaves the target as it was and removes
// its temporary file.
class TSafeFileWriter {
public:
    explicit TSafeFileWriter(const std::string &target);
    ~TSafeFileWriter();
    TSafeFileWriter(const TSafeFileWriter &) = delete;
    TSafeFileWriter &operator=(const TSafeFileWriter &) = delete;

    void Write(std::string_view bytes);
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
