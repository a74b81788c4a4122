// kelmor-convert, run as a user runs it.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <gtest/gtest.h>

#include "testutil.h"

namespace {

using namespace std::string_literals;

struct TRun {
    int exitCode;
    std::string out, err;
};

// `shell` comes first in the command line, to set a limit for the run.
TRun Convert(const std::string &args, const TScratchDir &dir, const std::string &shell = {})
{
    const std::string out = dir.Path("stdout.txt"), err = dir.Path("stderr.txt");
    const std::string command =
        shell + std::string(KELMOR_CONVERT) + " " + args + " >" + out + " 2>" + err + " </dev/null";
    const int status = std::system(command.c_str());
    TRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(out), ReadBytes(err)};
    std::remove(out.c_str());
    std::remove(err.c_str());
    return run;
}

TEST(Convert, RoundTripsTheExampleThroughAllFormats)
{
    TScratchDir dir;
    const std::string example = std::string(KELMOR_EXAMPLES) + "/beispiel.mfd";
    ASSERT_EQ(Convert("--to dos-raf " + example + " " + dir.Path("a.raf"), dir).exitCode, 0);
    ASSERT_EQ(Convert(dir.Path("a.raf") + " " + dir.Path("b.mfd"), dir).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.Path("b.mfd")), ReadBytes(example));
    ASSERT_EQ(Convert("--to=text " + dir.Path("b.mfd") + " " + dir.Path("c.dat"), dir).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.Path("c.dat")), ReadBytes(example));

    // The example's umlauts and ß all exist in the Windows code page, so its Windows
    // edition converts back to the very same text.
    ASSERT_EQ(Convert("--to win-raf " + example + " " + dir.Path("w.raf"), dir).exitCode, 0);
    EXPECT_NE(ReadBytes(dir.Path("w.raf")), ReadBytes(dir.Path("a.raf")));
    ASSERT_EQ(Convert(dir.Path("w.raf") + " " + dir.Path("w.mfd"), dir).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.Path("w.mfd")), ReadBytes(example));
}

TEST(Convert, FailuresSayWhyAndLeaveTheOutput)
{
    TScratchDir dir;
    WriteBytes(dir.Path("alt.mfd"), "alt");
    WriteBytes(dir.Path("leer.raf"), std::string(435, '\0'));
    TRun run = Convert(dir.Path("fehlt.mfd") + " " + dir.Path("alt.mfd"), dir);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kelmor-convert: Datei nicht gefunden\n");
    run = Convert(dir.Path("leer.raf") + " " + dir.Path("alt.mfd"), dir);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kelmor-convert: Listenindex außerhalb des gültigen Bereichs (0). TList ist leer\n");
    // The message quotes the count field whole, a NUL byte and what follows it included.
    WriteBytes(dir.Path("null.mfd"), "Quiz\r\n:1\0\r\n"s);
    run = Convert(dir.Path("null.mfd") + " " + dir.Path("alt.mfd"), dir);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kelmor-convert: '1\0' ist kein gültiger Integerwert\n"s);
    EXPECT_EQ(ReadBytes(dir.Path("alt.mfd")), "alt");
    EXPECT_EQ(ListFolder(dir.Root()), "alt.mfd;leer.raf;null.mfd;");
}

// A FIFO as OUTPUT is refused without waiting for a reader. A converter that waits is
// freed by opening the read end, so a fault fails the test instead of hanging it.
TEST(Convert, AFifoAsOutputIsRefusedAtOnce)
{
    TScratchDir dir;
    const std::string fifo = dir.Path("aus.mfd");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string example = std::string(KELMOR_EXAMPLES) + "/beispiel.mfd";
    auto convert = std::async(std::launch::async, [&] { return Convert(example + " " + fifo, dir); });
    if (convert.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "kelmor-convert blocked";
        ::close(::open(fifo.c_str(), O_RDONLY | O_NONBLOCK));
    }
    const TRun run = convert.get();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kelmor-convert: Dateizugriff verweigert\n");
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// A FIFO as INPUT likewise, without waiting for a writer; one is opened to free a
// converter that waits.
TEST(Convert, AFifoAsInputIsRefusedAtOnce)
{
    TScratchDir dir;
    const std::string fifo = dir.Path("warte.mfd");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto convert = std::async(std::launch::async, [&] { return Convert(fifo + " " + dir.Path("aus.mfd"), dir); });
    if (convert.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "kelmor-convert blocked";
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    }
    const TRun run = convert.get();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kelmor-convert: Dateizugriff verweigert\n");
    EXPECT_FALSE(Exists(dir.Path("aus.mfd")));
}

TEST(Convert, RunningOutOfMemoryIsReportedInGerman)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "under the sanitizers a failed allocation ends the program instead of throwing";
#endif
    // A record file of 1 GiB (sparse: it takes no disk) asks for room for its 2.4
    // million records at once, far beyond the 256 MiB the run may use.
    TScratchDir dir;
    WriteBytes(dir.Path("riesig.raf"), "");
    ASSERT_EQ(::truncate(dir.Path("riesig.raf").c_str(), off_t(1) << 30), 0);
    WriteBytes(dir.Path("alt.mfd"), "alt");
    const TRun run = Convert(dir.Path("riesig.raf") + " " + dir.Path("alt.mfd"), dir, "ulimit -v 262144; ");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kelmor-convert: Zu wenig Arbeitsspeicher\n");
    EXPECT_EQ(ReadBytes(dir.Path("alt.mfd")), "alt");
    EXPECT_EQ(ListFolder(dir.Root()), "alt.mfd;riesig.raf;");
}

// --check reads as conversion does, by the extension, and prints in UTF-8.
TEST(Convert, CheckListsTheFindingsOfTextAndRecordFiles)
{
    TScratchDir dir;
    TMirolaFile doc = MakeDocument(0);
    doc.Data = {
        MakeRecord(u'a', u'A', "Wer malte die Mona Lisa?", "Kunst", {"Leonardo", "Raffael"}),
        MakeRecord(u'b', u'\x8E', "Wie hei\xE1t der gr\x94\xE1te Ozean?", "", {"Pazifik", "Atlantik"}),
        MakeRecord(u'c', u'B', "wer malte die  MONA LISA?", "", {"Picasso", "Monet"}),
    };
    doc.DatRec = doc.Data[0];
    doc.SaveToFile(dir.Path("fragen.mfd"), ftTXT);
    doc.SaveToFile(dir.Path("fragen.RAF"), ftRAF);
    for (const char *name : {"fragen.mfd", "fragen.RAF"}) {
        const TRun run = Convert("--check " + dir.Path(name), dir);
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_EQ(run.out, "Datensatz 2: Unbekannter Level: 'Ä'\n"
                           "Datensatz 3: Die richtige Antwort (c) ist leer\n"
                           "Datensatz 3: Frage steht schon in Datensatz 1\n")
            << name;
        EXPECT_EQ(run.err, "") << name;
    }

    const TRun clean = Convert("--check " + std::string(KELMOR_EXAMPLES) + "/beispiel.mfd", dir);
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.out, "");
    EXPECT_EQ(clean.err, "");

    // A file that cannot be read is no finding: it has an exit status of its own.
    const TRun missing = Convert("--check " + dir.Path("fehlt.mfd"), dir);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "kelmor-convert: Datei nicht gefunden\n");
}

TEST(Convert, Usage)
{
    TScratchDir dir;
    const TRun help = Convert("--help", dir);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("kelmor-convert [--to text|dos-raf|win-raf] INPUT OUTPUT"), std::string::npos);
    EXPECT_NE(help.out.find("kelmor-convert --check FILE"), std::string::npos);
    EXPECT_EQ(help.err, "");
    for (const char *args : {"", "nur-eins.mfd", "--to pdf a.mfd b.mfd", "--to", "-x a b", "a b c", "--check",
                             "--check a.mfd b.mfd", "--to text --check a.mfd", "--check --to=dos-raf a.mfd"}) {
        const TRun run = Convert(args, dir);
        EXPECT_EQ(run.exitCode, 2) << args;
        EXPECT_NE(run.err.find("Usage:"), std::string::npos) << args;
        EXPECT_EQ(run.out, "") << args;
    }
}

}  // namespace
