#pragma once
// The errors of the question-file core. Each carries the German message that the
// window shows and the converter prints.
#include <stdexcept>
#include <string>
#include <string_view>

class EMirolaError : public std::runtime_error {
public:
    explicit EMirolaError(const std::string &message) : std::runtime_error(message) {}
};

// Error numbers of file access, as the game's tools report them.
enum : int {
    ioFileNotFound = 2,
    ioInvalidName = 3,
    ioTooManyFiles = 4,
    ioAccessDenied = 5,
    ioReadBeyondEnd = 100,
    ioDiskFull = 101,
    ioInvalidNumber = 106,
};

// The message of a file-access error number ("E/A-Fehler %d" for unknown ones).
std::string InOutErrorMessage(int code);

// Maps a system error (errno) met while working on `path` to a file-access error number.
int InOutErrorCode(int sysErrno, const std::string &path);

[[noreturn]] void RaiseInOutError(int code);
[[noreturn]] void RaiseSystemError(int sysErrno, const std::string &path);

// "'%s' ist kein gültiger Integerwert"; `text` is OEM.
[[noreturn]] void RaiseConvertError(std::string_view text);

// "Listenindex außerhalb des gültigen Bereichs (%d)..." for a list of `count` entries.
[[noreturn]] void RaiseListIndexError(long long position, std::size_t count);
