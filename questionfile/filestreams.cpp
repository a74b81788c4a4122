#include "filestreams.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "errors.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

int OpenRetrying(const char *path, int flags, unsigned mode)
{
    int fd;
    do
        fd = ::open(path, flags | O_CLOEXEC, static_cast<mode_t>(mode));
    while (fd < 0 && errno == EINTR);
    return fd;
}

TFileReader::TFileReader(const std::string &path) : FPath(path)
{
    // Only a regular file is read, told by the open descriptor, so that the name cannot
    // change in between. The open must not wait, as it does on a FIFO without a
    // writer. A socket cannot be opened at all (ENXIO) and is refused like the rest.
    FFd = OpenRetrying(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (FFd < 0)
        RaiseSystemError(errno == ENXIO ? EACCES : errno, path);
    struct stat st {};
    if (::fstat(FFd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(FFd);
        RaiseInOutError(ioAccessDenied);
    }
    // Reads wait again as they normally do: on a file with a locked region a
    // non-blocking read would fail with EAGAIN instead.
    const int flags = ::fcntl(FFd, F_GETFL);
    if (flags < 0 || ::fcntl(FFd, F_SETFL, flags & ~O_NONBLOCK) < 0) {
        const int error = errno;
        ::close(FFd);
        RaiseSystemError(error, path);
    }
    FLeft = static_cast<std::size_t>(st.st_size);
}

TFileReader::~TFileReader()
{
    ::close(FFd);
}

std::string_view TFileReader::Read(std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        if (got == FBuffer.size()) {
            // Room for what is asked as far as the file is known to hold it, and one byte
            // more, so that reading a whole file meets its end without growing the buffer
            // again; past the known size (a file that grew) a chunk at a time.
            const std::size_t known = FLeft > got ? FLeft - got + 1 : 0;
            FBuffer.resize(got + std::min(size - got, std::max(known, kBufferSize)));
        }
        const ssize_t n = ::read(FFd, FBuffer.data() + got, std::min(FBuffer.size(), size) - got);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            RaiseSystemError(errno, FPath);
        }
        got += static_cast<std::size_t>(n);
    }
    FLeft = FLeft > got ? FLeft - got : 0;
    return {FBuffer.data(), got};
}
