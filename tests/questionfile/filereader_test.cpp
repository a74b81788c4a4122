// The readers take regular files only: anything else is refused at once, before a
// FIFO could block the open or a device feed bytes without end.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

#include "testutil.h"

namespace {

enum TKind { kFifo, kLinkToFifo, kFolder, kSocket, kZeroDevice, kLinkToZeroDevice };

// A bound socket leaves its name in the folder for as long as the test needs it.
class TSocketFile {
public:
    explicit TSocketFile(const std::string &path) : FFd(::socket(AF_UNIX, SOCK_STREAM, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        Bound = ::bind(FFd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    }
    ~TSocketFile() { ::close(FFd); }
    bool Bound = false;

private:
    int FFd;
};

struct TCase {
    const char *name;
    TKind kind;
};

// Stages each case in a folder of its own and loads it; both readers, by the name's
// extension.
void ExpectEachLoadRefused(std::initializer_list<TCase> cases)
{
    for (const TCase &c : cases) {
        TScratchDir dir;
        const std::string path = dir.Path(c.name);
        std::unique_ptr<TSocketFile> socket;
        switch (c.kind) {
        case kFifo: ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); break;
        case kLinkToFifo:
            ASSERT_EQ(::mkfifo(dir.Path("fifo").c_str(), 0600), 0);
            ASSERT_EQ(::symlink("fifo", path.c_str()), 0);
            break;
        case kFolder: ASSERT_EQ(::mkdir(path.c_str(), 0700), 0); break;
        case kSocket:
            socket = std::make_unique<TSocketFile>(path);
            ASSERT_TRUE(socket->Bound);
            break;
        case kZeroDevice: ASSERT_TRUE(MakeZeroDevice(path)); break;
        case kLinkToZeroDevice:
            ASSERT_TRUE(MakeZeroDevice(dir.Path("zero")));
            ASSERT_EQ(::symlink("zero", path.c_str()), 0);
            break;
        }
        const std::string result = InChildWithin(5, [&] {
            TMirolaFile doc;
            const std::string error = LoadError(doc, path);
            return error + (doc.Count() == 0 ? "" : " and records were read");
        });
        EXPECT_EQ(result, "Dateizugriff verweigert") << c.name;
    }
}

// A link hides what it points to.
TEST(FileReader, RefusesWhatIsNoRegularFileWithoutWaiting)
{
    ExpectEachLoadRefused({{"warte.mfd", kFifo},
                           {"warte.raf", kFifo},
                           {"link.raf", kLinkToFifo},
                           {"ordner.mfd", kFolder},
                           {"sock.mfd", kSocket}});
}

// A device that feeds bytes without end; made in the test's folder, as only root may.
TEST(FileReader, RefusesADeviceWithoutReadingIt)
{
    {
        TScratchDir dir;
        if (!MakeZeroDevice(dir.Path("zero")))
            GTEST_SKIP() << "only root may make the device node that stands for a device here";
    }
    ExpectEachLoadRefused({{"z.mfd", kZeroDevice}, {"z.raf", kLinkToZeroDevice}});
}

}  // namespace
