#pragma once
// Where the readers get their bytes and where the writers put them. A format is
// written once, against these two small interfaces, whether the bytes come from a
// file or from memory and whether they go to a file or into a string.
#include <string>
#include <string_view>

// Bytes in order, from a file or from memory.
class TByteSource {
public:
    // The next `size` bytes; fewer only where the bytes end. The view stays valid until
    // the next call.
    virtual std::string_view Read(std::size_t size) = 0;
    // Everything that is left.
    std::string_view ReadRest() { return Read(std::string_view::npos); }
    // How many bytes are left where that is known, else 0; only for reserving room.
    virtual std::size_t SizeHint() const = 0;

protected:
    ~TByteSource() = default;
};

// A regular file opened for reading only. A FIFO, a device, a socket or a folder is
// refused at once with the access-denied error: a FIFO would block the open, a device
// such as /dev/zero would never end. Each Read reuses one buffer, so a reader that
// asks for a batch at a time never holds more of the file than that batch.
class TFileReader final : public TByteSource {
public:
    explicit TFileReader(const std::string &path);
    ~TFileReader();
    TFileReader(const TFileReader &) = delete;
    TFileReader &operator=(const TFileReader &) = delete;

    std::string_view Read(std::size_t size) override;
    std::size_t SizeHint() const override { return FLeft; }

private:
    std::string FPath;
    int FFd = -1;
    std::size_t FLeft = 0;  // by the file's size when opened
    std::string FBuffer;
};

// Bytes that are already in memory; the source copies nothing.
class TMemorySource final : public TByteSource {
public:
    explicit TMemorySource(std::string_view bytes) : FRest(bytes) {}

    std::string_view Read(std::size_t size) override
    {
        const std::string_view part = FRest.substr(0, size);
        FRest.remove_prefix(part.size());
        return part;
    }
    std::size_t SizeHint() const override { return FRest.size(); }

private:
    std::string_view FRest;
};

class TByteSink {
public:
    virtual void Write(std::string_view bytes) = 0;
    // Announces about how many bytes are coming, for a sink that can make room at once.
    virtual void Expect(std::size_t) {}

protected:
    ~TByteSink() = default;
};

class TStringSink final : public TByteSink {
public:
    explicit TStringSink(std::string &out) : FOut(out) {}
    void Write(std::string_view bytes) override { FOut.append(bytes); }
    void Expect(std::size_t size) override { FOut.reserve(FOut.size() + size); }

private:
    std::string &FOut;
};

// open(2) with O_CLOEXEC, tried again when a signal interrupts it.
int OpenRetrying(const char *path, int flags, unsigned mode = 0);
