#pragma once
// What the editor saw of its document's file when it last read or wrote it, so that
// a save can tell whether another program wrote the file in between.
#include <cstdint>
#include <ctime>
#include <string>
#include <sys/types.h>

class TFileStamp {
public:
    // Nothing seen: the document has no file yet.
    TFileStamp() = default;

    // Looks at the file now: just before it is read, so that a change made while it
    // is read counts as a change, or just after it was written.
    static TFileStamp Take(const std::string &fullLocalName);

    // True when this stamp was taken of the file with that name.
    bool IsOf(const std::string &fullLocalName) const { return FSeen && fullLocalName == FName; }

    enum class TState { Unchanged, Changed, Gone };
    // How the file stands now against what was seen. The size and the modification
    // time tell most changes; a write soon after the one seen may keep both, as a
    // file system's clock runs in steps, so in that window the bytes are compared too.
    TState Now() const;

private:
    bool FSeen = false;
    std::string FName;
    off_t FSize = 0;
    timespec FModified{};
    timespec FTaken{};
    // The bytes' checksum, taken only where the window needs it.
    bool FSummed = false;
    std::uint64_t FSum = 0;

    bool InWindow(const timespec &modified) const;
};
