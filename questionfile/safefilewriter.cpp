#include "safefilewriter.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <type_traits>
#include <unistd.h>

#include "errors.h"
#include "filepaths.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The hidden name beside the target; mkostemp fills in the Xs.
std::string TemporaryPattern(const std::string &folder, const std::string &name)
{
    // Keep the temporary name within the file system's limit even for long names.
    return folder + "/." + name.substr(0, NAME_MAX - 20) + ".kelmor-XXXXXX";
}

std::string FillPattern(std::string pattern)
{
    static constexpr std::string_view kChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, kChars.size() - 1);
    for (auto it = pattern.end() - 6; it != pattern.end(); ++it)
        *it = kChars[pick(random)];
    return pattern;
}

std::string ProcPath(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

// The C library's own, where a test has put none in its place.
template <class TFunction>
TFunction *Or(TFunction *hooked, std::type_identity_t<TFunction> *real)
{
    return hooked != nullptr ? hooked : real;
}

int RealOpen(const char *path, int flags, mode_t mode)
{
    return ::open(path, flags, mode);
}

}  // namespace

// A signal that interrupts one of these has done nothing yet: it is tried again.
int TSafeFileWriter::Open(const char *path, int flags, unsigned mode) const
{
    int fd;
    do
        fd = Or(FHooks.calls.open, RealOpen)(path, flags | O_CLOEXEC, static_cast<mode_t>(mode));
    while (fd < 0 && errno == EINTR);
    return fd;
}

int TSafeFileWriter::Fsync(int fd) const
{
    int result;
    do
        result = Or(FHooks.calls.fsync, ::fsync)(fd);
    while (result != 0 && errno == EINTR);
    return result;
}

// Linux releases the descriptor even when close(2) is interrupted, and a second close
// could end a descriptor opened meanwhile; EINTR is therefore no failure. Anything else
// may be a write that a network file system reports only now.
int TSafeFileWriter::Close(int fd) const
{
    const int result = Or(FHooks.calls.close, ::close)(fd);
    return result != 0 && errno == EINTR ? 0 : result;
}

// The rename lives in the folder, not in the file: only once the folder is synced does
// a power cut no longer bring the old file back. By then the new file is in place and
// the old one gone, so a failure here is not reported: the save did happen, and an
// error would tell the user that it did not, although nothing can be undone any more.
// Some file systems cannot sync a folder at all, and a folder that may be written but
// not read cannot even be opened for it; saving there must go on working.
void TSafeFileWriter::SyncFolder() noexcept
{
    const int fd = Open(FFolder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    Fsync(fd);
    Close(fd);
}

TSafeFileWriter::TSafeFileWriter(const std::string &target) : FTarget(target), FHooks(TestHooks)
{
    CheckTarget();
    const std::string name = NameOf(FTarget);
    if (name.empty()) {
        // A name ending in a slash names a folder, never a file.
        RaiseInOutError(ioInvalidName);
    }
    FFolder = FolderOf(FTarget);
    FBuffer.reserve(kBufferSize);  // before the file exists, so that failing here leaves none
    if (FHooks.namedOnly || !OpenUnnamed())
        OpenNamed(name);
}

TSafeFileWriter::~TSafeFileWriter()
{
    Discard();
}

void TSafeFileWriter::CheckTarget()
{
    struct stat st {};
    if (::lstat(FTarget.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        // Replace the file the link points to, not the link itself.
        if (char *real = ::realpath(FTarget.c_str(), nullptr)) {
            FTarget = real;
            std::free(real);
        }
    }
    if (::stat(FTarget.c_str(), &st) != 0)
        return;
    // Only a regular file can be replaced, and looking is all that may be done to
    // anything else: opening a FIFO to write waits for a reader for ever, and a device
    // would take the bytes in place of a file.
    if (!S_ISREG(st.st_mode))
        RaiseInOutError(ioAccessDenied);
    // A file marked read-only stays as it is, although its folder would allow replacing it.
    if (::access(FTarget.c_str(), W_OK) != 0)
        RaiseSystemError(errno, FTarget);
    FTargetExisted = true;
    FTargetMode = st.st_mode & 07777;
    FTargetUid = st.st_uid;
    FTargetGid = st.st_gid;
}

// An unnamed file vanishes with the process, however it ends. False where the file
// system or the kernel has none; the named file then reports what is really wrong.
bool TSafeFileWriter::OpenUnnamed()
{
#ifdef O_TMPFILE
    const int fd = Open(FFolder.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (fd < 0)
        return false;
    // Naming it later goes through /proc (linking the descriptor itself needs a
    // privilege); without /proc the file could never be named.
    if (::access(ProcPath(fd).c_str(), F_OK) != 0) {
        Close(fd);
        return false;
    }
    FFd = fd;
    return true;
#else
    return false;
#endif
}

void TSafeFileWriter::OpenNamed(const std::string &name)
{
    std::string pattern = TemporaryPattern(FFolder, name);
    FFd = Or(FHooks.calls.mkostemp, ::mkostemp)(pattern.data(), O_CLOEXEC);
    if (FFd < 0)
        RaiseSystemError(errno, FTarget);
    FTempName = pattern;
}

// A name only now, for the instant until the rename: a link cannot replace an existing
// name, so the file cannot take the target's name directly.
void TSafeFileWriter::NameUnnamed(const std::string &name)
{
    const std::string pattern = TemporaryPattern(FFolder, name);
    const std::string source = ProcPath(FFd);
    for (int attempt = 0;; ++attempt) {
        std::string candidate = FillPattern(pattern);
        if (Or(FHooks.calls.linkat, ::linkat)(AT_FDCWD, source.c_str(), AT_FDCWD, candidate.c_str(),
                                              AT_SYMLINK_FOLLOW) == 0) {
            FTempName = std::move(candidate);
            return;
        }
        if (errno != EEXIST || attempt == 100)
            Fail(errno);
    }
}

void TSafeFileWriter::Discard() noexcept
{
    if (FFd >= 0)
        Close(FFd);
    FFd = -1;
    if (!FTempName.empty())
        ::unlink(FTempName.c_str());
    FTempName.clear();
}

void TSafeFileWriter::Fail(int sysErrno)
{
    Discard();
    RaiseSystemError(sysErrno, FTarget);
}

void TSafeFileWriter::Write(std::string_view bytes)
{
    if (FBuffer.size() + bytes.size() > kBufferSize)
        Flush();
    if (bytes.size() >= kBufferSize)
        WriteAll(bytes);
    else
        FBuffer.append(bytes);
}

void TSafeFileWriter::Flush()
{
    WriteAll(FBuffer);
    FBuffer.clear();
}

void TSafeFileWriter::WriteAll(std::string_view rest)
{
    while (!rest.empty()) {
        std::size_t size = rest.size();
        if (FHooks.writeErrno != 0) {
            if (FWritten >= FHooks.writeLimit)
                Fail(FHooks.writeErrno);
            size = std::min(size, FHooks.writeLimit - FWritten);
        }
        const ssize_t n = Or(FHooks.calls.write, ::write)(FFd, rest.data(), size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno);
        }
        rest.remove_prefix(static_cast<std::size_t>(n));
        FWritten += static_cast<std::size_t>(n);
    }
}

void TSafeFileWriter::Commit()
{
    Flush();
    if (FTargetExisted) {
        // Ownership can only be kept by a privileged user; the mode always can.
        [[maybe_unused]] const int owned = ::fchown(FFd, FTargetUid, FTargetGid);
        ::fchmod(FFd, FTargetMode);
    } else {
        ::fchmod(FFd, 0666 & ~CurrentUmask());
    }
    if (Fsync(FFd) != 0)
        Fail(errno);
    if (FTempName.empty())
        NameUnnamed(NameOf(FTarget));
    const int fd = FFd;
    FFd = -1;
    if (Close(fd) != 0)
        Fail(errno);
    if (Or(FHooks.calls.rename, ::rename)(FTempName.c_str(), FTarget.c_str()) != 0)
        Fail(errno);
    FTempName.clear();
    SyncFolder();
}
