#include "filestamp.h"

#include <cerrno>
#include <optional>
#include <string_view>
#include <sys/stat.h>

#include "errors.h"
#include "filestreams.h"

namespace {

// A file written again this long after the write seen may still show its time.
constexpr std::int64_t kSameTimeWindowNs = 2'000'000'000;

std::int64_t Nanoseconds(const timespec &t)
{
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// FNV-1a over the whole file; none where it cannot be read as a regular file.
std::optional<std::uint64_t> Checksum(const std::string &name)
{
    try {
        TFileReader reader(name);
        std::uint64_t sum = 0xcbf29ce484222325u;
        for (std::string_view chunk = reader.Read(1 << 16); !chunk.empty(); chunk = reader.Read(1 << 16)) {
            for (const char c : chunk) {
                sum ^= static_cast<unsigned char>(c);
                sum *= 0x100000001b3u;
            }
        }
        return sum;
    } catch (const EMirolaError &) {
        return std::nullopt;
    }
}

}  // namespace

TFileStamp TFileStamp::Take(const std::string &fullLocalName)
{
    TFileStamp stamp;
    struct stat st {};
    if (::stat(fullLocalName.c_str(), &st) != 0)
        return stamp;
    stamp.FSeen = true;
    stamp.FName = fullLocalName;
    stamp.FSize = st.st_size;
    stamp.FModified = st.st_mtim;
    ::clock_gettime(CLOCK_REALTIME, &stamp.FTaken);
    if (stamp.InWindow(st.st_mtim)) {
        const std::optional<std::uint64_t> sum = Checksum(fullLocalName);
        stamp.FSummed = sum.has_value();
        stamp.FSum = sum.value_or(0);
    }
    return stamp;
}

bool TFileStamp::InWindow(const timespec &modified) const
{
    // A time ahead of the clock (a file server's own) counts as within it.
    return Nanoseconds(modified) > Nanoseconds(FTaken) - kSameTimeWindowNs;
}

TFileStamp::TState TFileStamp::Now() const
{
    if (!FSeen)
        return TState::Unchanged;
    struct stat st {};
    if (::stat(FName.c_str(), &st) != 0) {
        // Any other failure is the write's to report.
        return errno == ENOENT ? TState::Gone : TState::Unchanged;
    }
    if (st.st_size != FSize || Nanoseconds(st.st_mtim) != Nanoseconds(FModified))
        return TState::Changed;
    if (!FSummed || !InWindow(st.st_mtim))
        return TState::Unchanged;
    return Checksum(FName) == FSum ? TState::Unchanged : TState::Changed;
}
