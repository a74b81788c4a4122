#pragma once
// The errors of the question-file core. Each carries the German message that the
// window shows and the converter prints.
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

// what() ends at the first NUL byte, and a message quoting a damaged file can hold
// one; Message() keeps every byte. Shared, so that copying the error cannot throw.
class EMirolaError : public std::runtime_error {
public:
    explicit EMirolaError(const std::string &message)
        : std::runtime_error(message), FMessage(std::make_shared<const std::string>(message))
    {
    }

    const std::string &Message() const noexcept { return *FMessage; }

private:
    std::shared_ptr<const std::string> FMessage;
};

// What the program reports when memory runs out (std::bad_alloc) during a command.
// The readers fill a fresh document and the writers a new file, so the open document
// and the files on disk are as they were.
inline constexpr std::string_view kOutOfMemoryMessage = "Zu wenig Arbeitsspeicher";

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
