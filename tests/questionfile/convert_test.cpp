// kelmor-convert, run as a user runs it.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <future>
#include <gtest/gtest.h>

#include "csvformat.h"
#include "testutil.h"

namespace {

using namespace std::string_literals;

struct TRun {
    int exitCode;
    std::string out, err;
};

// Where the run's standard streams lead, and what comes first in the command line
// (a limit for the run). `out` empty: a file of the test's, read into TRun::out.
struct TShell {
    std::string in = "/dev/null";
    std::string out;
    std::string prefix;
};

TShell StandardInput(std::string in)
{
    TShell shell;
    shell.in = std::move(in);
    return shell;
}

TShell StandardOutput(std::string out)
{
    TShell shell;
    shell.out = std::move(out);
    return shell;
}

TShell Prefixed(std::string prefix)
{
    TShell shell;
    shell.prefix = std::move(prefix);
    return shell;
}

TRun Convert(const std::string &args, const TScratchDir &dir, const TShell &shell = {})
{
    const std::string out = shell.out.empty() ? dir.Path("stdout.txt") : shell.out;
    const std::string err = dir.Path("stderr.txt");
    const std::string command =
        shell.prefix + std::string(KELMOR_CONVERT) + " " + args + " >" + out + " 2>" + err + " <" + shell.in;
    const int status = std::system(command.c_str());
    TRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, shell.out.empty() ? ReadBytes(out) : "", ReadBytes(err)};
    if (shell.out.empty())
        std::remove(out.c_str());
    std::remove(err.c_str());
    return run;
}

const std::string kExample = std::string(KELMOR_EXAMPLES) + "/beispiel.mfd";

// The second line of every wrong usage.
const std::string kUsageHint = "Aufruf: kelmor-convert --help\n";

TEST(Convert, RoundTripsTheExampleThroughAllFormats)
{
    TScratchDir dir;
    ASSERT_EQ(Convert("--to dos-raf " + kExample + " " + dir.Path("a.raf"), dir).exitCode, 0);
    ASSERT_EQ(Convert(dir.Path("a.raf") + " " + dir.Path("b.mfd"), dir).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.Path("b.mfd")), ReadBytes(kExample));
    ASSERT_EQ(Convert("--to=text " + dir.Path("b.mfd") + " " + dir.Path("c.dat"), dir).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.Path("c.dat")), ReadBytes(kExample));

    // The example's umlauts and ß all exist in the Windows code page, so its Windows
    // edition converts back to the very same text.
    ASSERT_EQ(Convert("--to win-raf " + kExample + " " + dir.Path("w.raf"), dir).exitCode, 0);
    EXPECT_NE(ReadBytes(dir.Path("w.raf")), ReadBytes(dir.Path("a.raf")));
    ASSERT_EQ(Convert(dir.Path("w.raf") + " " + dir.Path("w.mfd"), dir).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.Path("w.mfd")), ReadBytes(kExample));
}

// Every failure names the file it concerns as the user gave it, standard input by
// name, and leaves the output as it was.
TEST(Convert, FailuresNameTheFileAndLeaveTheOutput)
{
    TScratchDir dir;
    const auto P = [&](const char *name) { return dir.Path(name); };
    WriteBytes(P("alt.mfd"), "alt");
    WriteBytes(P("leer.raf"), std::string(435, '\0'));
    // The message quotes the count field whole, a NUL byte and what follows it included,
    // each byte that would act on a terminal as an escape.
    WriteBytes(P("null.mfd"), "Quiz\r\n:1\0\r\n"s);
    WriteBytes(P("esc.mfd"), "Quiz\r\n:\x1B[2J\r\n"s);
    ASSERT_EQ(::mkdir(P("ordner").c_str(), 0755), 0);
    const std::string emptyList = "Listenindex außerhalb des gültigen Bereichs (0). TList ist leer";
    const std::string noHeader = "Die Datei hat keine Kopfzeile mit bekannten Spaltennamen (Code, Level, Frage 1, …)";
    const struct {
        std::string args;
        std::string err;
        TShell shell;
    } cases[] = {
        {P("fehlt.mfd") + " " + P("alt.mfd"), P("fehlt.mfd") + ": Datei nicht gefunden", {}},
        {"fehlt.mfd alt.mfd", "fehlt.mfd: Datei nicht gefunden", Prefixed("cd " + dir.Root() + " && ")},
        {P("ordner") + " " + P("alt.mfd"), P("ordner") + ": Dateizugriff verweigert", {}},
        {P("leer.raf") + " " + P("alt.mfd"), P("leer.raf") + ": " + emptyList, {}},
        {P("null.mfd") + " " + P("alt.mfd"), P("null.mfd") + ": '1\\x00' ist kein gültiger Integerwert", {}},
        {P("esc.mfd") + " " + P("alt.mfd"), P("esc.mfd") + ": '\\x1b[2J' ist kein gültiger Integerwert", {}},
        {kExample + " " + P("fehlt/aus.mfd"), P("fehlt/aus.mfd") + ": Ungültiger Dateiname", {}},
        {kExample + " " + P("alt.mfd/aus.mfd"), P("alt.mfd/aus.mfd") + ": Ungültiger Dateiname", {}},
        {kExample + " " + P("ordner"), P("ordner") + ": Dateizugriff verweigert", {}},
        {"- " + P("alt.mfd"), "Standardeingabe: Dateizugriff verweigert", StandardInput(dir.Root())},
        {"--from raf - " + P("alt.mfd"), "Standardeingabe: " + emptyList, StandardInput(P("leer.raf"))},
        {"--from=csv " + P("null.mfd") + " " + P("alt.mfd"), P("null.mfd") + ": " + noHeader, {}},
        {P("fehlt.CSV") + " " + P("alt.mfd"), P("fehlt.CSV") + ": Datei nicht gefunden", {}},
        {"--from csv - " + P("alt.mfd"), "Standardeingabe: " + noHeader, StandardInput(kExample)},
    };
    for (const auto &c : cases) {
        const TRun run = Convert(c.args, dir, c.shell);
        EXPECT_EQ(run.exitCode, 1) << c.args;
        EXPECT_EQ(run.err, "kelmor-convert: " + c.err + "\n") << c.args;
        EXPECT_EQ(run.out, "") << c.args;
    }
    EXPECT_EQ(ReadBytes(P("alt.mfd")), "alt");
    EXPECT_EQ(ListFolder(dir.Root()), "alt.mfd;esc.mfd;leer.raf;null.mfd;ordner;");
}

// A FIFO as OUTPUT is refused without waiting for a reader. A converter that waits is
// freed by opening the read end, so a fault fails the test instead of hanging it.
TEST(Convert, AFifoAsOutputIsRefusedAtOnce)
{
    TScratchDir dir;
    const std::string fifo = dir.Path("aus.mfd");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    auto convert = std::async(std::launch::async, [&] { return Convert(kExample + " " + fifo, dir); });
    if (convert.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "kelmor-convert blocked";
        ::close(::open(fifo.c_str(), O_RDONLY | O_NONBLOCK));
    }
    const TRun run = convert.get();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kelmor-convert: " + fifo + ": Dateizugriff verweigert\n");
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
    EXPECT_EQ(run.err, "kelmor-convert: " + fifo + ": Dateizugriff verweigert\n");
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
    const TRun run = Convert(dir.Path("riesig.raf") + " " + dir.Path("alt.mfd"), dir, Prefixed("ulimit -v 262144; "));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kelmor-convert: " + dir.Path("riesig.raf") + ": Zu wenig Arbeitsspeicher\n");
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
    EXPECT_EQ(missing.err, "kelmor-convert: " + dir.Path("fehlt.mfd") + ": Datei nicht gefunden\n");
}

// "-" reads standard input and writes standard output, the same bytes as the files.
TEST(Convert, StandardInputAndOutputCarryWhatFilesCarry)
{
    TScratchDir dir;
    for (const std::string to : {"text", "dos-raf", "win-raf"}) {
        ASSERT_EQ(Convert("--to " + to + " " + kExample + " " + dir.Path("datei"), dir).exitCode, 0) << to;
        const TRun piped = Convert("--to " + to + " - -", dir, StandardInput(kExample));
        EXPECT_EQ(piped.exitCode, 0) << to;
        EXPECT_EQ(piped.err, "") << to;
        EXPECT_EQ(piped.out, ReadBytes(dir.Path("datei"))) << to;
        EXPECT_GT(piped.out.size(), 1000u) << to;
    }

    // The last round wrote the Windows edition; a record file on standard input needs
    // --from, which names the format of a named file too, whatever its extension.
    WriteBytes(dir.Path("w.dat"), ReadBytes(dir.Path("datei")));
    for (const auto &[args, in] : {std::pair{"--from raf - -"s, dir.Path("w.dat")},
                                   std::pair{"--from=raf " + dir.Path("w.dat") + " -", "/dev/null"s}}) {
        const TRun back = Convert(args, dir, StandardInput(in));
        EXPECT_EQ(back.exitCode, 0) << args;
        EXPECT_EQ(back.err, "") << args;
        EXPECT_EQ(back.out, ReadBytes(kExample)) << args;
    }
    // Without --from standard input is text, as a name without .raf is.
    const TRun asText = Convert("- -", dir, StandardInput(dir.Path("w.dat")));
    EXPECT_EQ(asText.exitCode, 1);
    EXPECT_EQ(asText.out, "");
    EXPECT_TRUE(asText.err.starts_with("kelmor-convert: Standardeingabe: ")) << asText.err;

    TMirolaFile doc = MakeDocument(0);
    doc.Data = {MakeRecord(u'c', u'A', "Wer malte die Mona Lisa?", "", {"Leonardo", "Raffael"})};
    doc.DatRec = doc.Data[0];
    doc.SaveToFile(dir.Path("fragen.raf"), ftWRAF);
    const TRun check = Convert("--check --from raf -", dir, StandardInput(dir.Path("fragen.raf")));
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.out, "Datensatz 1: Die richtige Antwort (c) ist leer\n");
    EXPECT_EQ(check.err, "");
}

// Spreadsheets go out and come back as the editor writes and reads them; what a row
// could not keep is said on standard error, a line each under the file's name, and
// the conversion goes on.
TEST(Convert, SpreadsheetsBothWays)
{
    TScratchDir dir;
    ASSERT_EQ(Convert("--to csv " + kExample + " " + dir.Path("fragen.csv"), dir).exitCode, 0);
    TMirolaFile example;
    example.LoadFromFile(kExample);
    EXPECT_EQ(ReadBytes(dir.Path("fragen.csv")), WriteCsv(example));
    const TRun piped = Convert("--to=csv - -", dir, StandardInput(kExample));
    EXPECT_EQ(piped.out, WriteCsv(example));

    // A ".csv" name is read as a table; the records come back, the title is the name.
    ASSERT_EQ(Convert(dir.Path("fragen.csv") + " " + dir.Path("zurueck.mfd"), dir).exitCode, 0);
    TMirolaFile back;
    back.LoadFromFile(dir.Path("zurueck.mfd"));
    EXPECT_EQ(back.Data, example.Data);
    EXPECT_EQ(back.Title.str(), "fragen");

    WriteBytes(dir.Path("lang.txt"), "Frage 1;Frage 2;Code\r\nkurz;;a\r\n" + std::string(55, 'x') + ";zwei;b\r\n");
    const TRun cut = Convert("--from csv " + dir.Path("lang.txt") + " -", dir);
    EXPECT_EQ(cut.exitCode, 0);
    EXPECT_EQ(cut.err, "kelmor-convert: " + dir.Path("lang.txt") + ": Zeile 3: Frage 1 um 5 Zeichen gekürzt\n");
    EXPECT_NE(cut.out.find(std::string(50, 'x') + "\r\n"), std::string::npos);
}

// A write to standard output that fails (a full disk) fails the run, with a message,
// however much was to be written.
TEST(Convert, AFailedWriteToStandardOutputFailsTheRun)
{
    TScratchDir dir;
    TMirolaFile doc = MakeDocument(0);
    doc.Data = {MakeRecord(u'c', u'A', "Wer malte die Mona Lisa?", "", {"Leonardo", "Raffael"})};
    doc.DatRec = doc.Data[0];
    doc.SaveToFile(dir.Path("fragen.mfd"), ftTXT);
    const struct {
        std::string args;
        int exitCode;
    } cases[] = {
        {kExample + " -", 1},
        {"--to dos-raf " + kExample + " -", 1},
        {"--check " + dir.Path("fragen.mfd"), 2},
        {"--help", 1},
        {"--version", 1},
    };
    for (const auto &c : cases) {
        const TRun run = Convert(c.args, dir, StandardOutput("/dev/full"));
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args;
        EXPECT_EQ(run.err, "kelmor-convert: Standardausgabe: Zu wenig Speicherplatz\n") << c.args;
    }
}

// Without --to the output's name tells the format, in any case, as the input's does;
// --to still decides where it is given.
TEST(Convert, OutputIsWrittenAsItsNameSays)
{
    TScratchDir dir;
    TMirolaFile example;
    example.LoadFromFile(kExample);
    const std::string text = example.SaveToString(ftTXT), dosRaf = example.SaveToString(ftRAF);
    const std::string winRaf = example.SaveToString(ftWRAF), csv = WriteCsv(example);
    const struct {
        std::string Options, Name, Bytes;
    } cases[] = {
        {"", "a.raf", dosRaf},
        {"", "B.RAF", dosRaf},
        {"", "mirola-c.Raf", dosRaf},
        {"", "d.csv", csv},
        {"", "E.CSV", csv},
        {"", "f.mfd", text},
        {"", "g.dat", text},
        {"", "h.txt", text},
        {"", "i.raf.alt", text},
        {"", "ohne", text},
        {"", "ordner.raf/j", text},
        {"--to text ", "k.raf", text},
        {"--to=win-raf ", "l.csv", winRaf},
    };
    ASSERT_EQ(::mkdir(dir.Path("ordner.raf").c_str(), 0755), 0);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Options + c.Name);
        const TRun run = Convert(c.Options + kExample + " " + dir.Path(c.Name), dir);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(ReadBytes(dir.Path(c.Name)) == c.Bytes);
    }
}

enum TPipeSignal { psDefault, psIgnored, psBlocked };

struct TPipeRun {
    int Status;
    std::string Err;
};

// The converter with standard output a pipe whose reader has gone, started by a
// caller that leaves SIGPIPE as it is, ignores it or blocks it.
TPipeRun ConvertIntoClosedPipe(const std::vector<std::string> &args, TPipeSignal signal, const TScratchDir &dir)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return {-1, "pipe failed"};
    ::close(ends[0]);
    const std::string err = dir.Path("stderr.txt");
    std::vector<char *> argv = {const_cast<char *>(KELMOR_CONVERT)};
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int inFd = ::open("/dev/null", O_RDONLY);
        if (errFd < 0 || inFd < 0 || ::dup2(ends[1], 1) < 0 || ::dup2(errFd, 2) < 0 || ::dup2(inFd, 0) < 0)
            ::_exit(126);
        if (signal == psIgnored)
            std::signal(SIGPIPE, SIG_IGN);
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        ::sigprocmask(signal == psBlocked ? SIG_BLOCK : SIG_UNBLOCK, &pipeSignal, nullptr);
        ::execv(KELMOR_CONVERT, argv.data());
        ::_exit(127);
    }
    ::close(ends[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    TPipeRun run{status, ReadBytes(err)};
    std::remove(err.c_str());
    return run;
}

// A reader that went away ends the converter as it ends cat: by the signal of the
// closed pipe (a shell shows 141), without a word, however the caller set the signal.
TEST(Convert, AClosedPipeEndsTheRunQuietly)
{
    TScratchDir dir;
    TMirolaFile doc = MakeDocument(0);
    doc.Data = {MakeRecord(u'c', u'A', "Wer malte die Mona Lisa?", "", {"Leonardo", "Raffael"})};
    doc.DatRec = doc.Data[0];
    doc.SaveToFile(dir.Path("fragen.mfd"), ftTXT);
    const std::vector<std::string> runs[] = {{kExample, "-"},
                                             {"--to", "dos-raf", kExample, "-"},
                                             {"--check", dir.Path("fragen.mfd")},
                                             {"--help"},
                                             {"--version"}};
    for (const TPipeSignal signal : {psDefault, psIgnored, psBlocked}) {
        for (const auto &args : runs) {
            SCOPED_TRACE(testing::Message() << args[0] << ", signal " << signal);
            const TPipeRun run = ConvertIntoClosedPipe(args, signal, dir);
            EXPECT_TRUE(WIFSIGNALED(run.Status) && WTERMSIG(run.Status) == SIGPIPE) << std::hex << run.Status;
            EXPECT_EQ(run.Err, "");
        }
    }
}

// A text file whose count the records do not match is read as its count says and
// converted; a note on standard error gives both numbers and what was done.
TEST(Convert, ACountTheRecordsDoNotMatchIsANote)
{
    TScratchDir dir;
    TMirolaFile doc = MakeMixedDocument(2);
    const std::string two = doc.SaveToString(ftTXT);
    std::string more = two, fewer = two;
    more.replace(more.find(":0002"), 5, ":0001");
    fewer.replace(fewer.find(":0002"), 5, ":0003");
    WriteBytes(dir.Path("mehr.mfd"), more);
    WriteBytes(dir.Path("weniger.mfd"), fewer);
    const std::string moreNote = "Die Datei kündigt 1 Datensatz an, enthält aber 2. Gelesen werden nur die "
                                 "angekündigten; beim Speichern gehen die übrigen verloren.";
    const std::string fewerNote = "Die Datei kündigt 3 Datensätze an, enthält aber nur 2. Die fehlenden werden als "
                                  "leere Datensätze gelesen und so gespeichert.";
    const struct {
        std::string Args, Err;
        TShell Shell;
        std::string Count;
    } cases[] = {
        {dir.Path("mehr.mfd") + " -", dir.Path("mehr.mfd") + ": " + moreNote, {}, ":0001"},
        {dir.Path("weniger.mfd") + " -", dir.Path("weniger.mfd") + ": " + fewerNote, {}, ":0003"},
        {"- -", "Standardeingabe: " + moreNote, StandardInput(dir.Path("mehr.mfd")), ":0001"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Args);
        const TRun run = Convert(c.Args, dir, c.Shell);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "kelmor-convert: " + c.Err + "\n");
        EXPECT_EQ(run.out.substr(run.out.find("\r\n") + 2, 7), c.Count + "\r\n");
    }
}

// A table beyond the editor's limit is refused: from a named file or a file on
// standard input by its size, from a pipe once that much has come through it.
TEST(Convert, ATableOverTheLimitIsRefused)
{
    TScratchDir dir;
    const std::string huge = dir.Path("riesig.csv");
    WriteBytes(huge, "Frage 1\nWer?\n");
    ASSERT_EQ(::truncate(huge.c_str(), off_t(kMaxCsvBytes) + 1), 0);  // sparse: it takes no disk
    const std::string tooLarge = "Die Datei ist zu groß für eine Tabelle mit Fragen (mehr als 256 MB)";
    const struct {
        std::string Args, Err;
        TShell Shell;
    } cases[] = {
        {huge + " " + dir.Path("aus.mfd"), huge + ": " + tooLarge, {}},
        {"--from csv - " + dir.Path("aus.mfd"), "Standardeingabe: " + tooLarge, StandardInput(huge)},
        {"--from csv - " + dir.Path("aus.mfd"),
         "Standardeingabe: " + tooLarge,
         {"/dev/stdin", "", "cat " + huge + " | "}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Args);
        const TRun run = Convert(c.Args, dir, c.Shell);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "kelmor-convert: " + c.Err + "\n");
    }
    EXPECT_EQ(ListFolder(dir.Root()), "riesig.csv;");
}

// Typographic characters of a table get their stand-ins; the note names them.
TEST(Convert, TypographicCharactersOfATableGetTheirStandIns)
{
    const struct {
        const char *Character, *Shown, *StandIn;
    } kinds[] = {
        {"„", "„", "\""},          {"“", "“", "\""},          {"”", "”", "\""},          {"″", "″", "\""},
        {"‚", "‚", "'"},           {"‘", "‘", "'"},           {"’", "’", "'"},           {"′", "′", "'"},
        {"–", "–", "-"},           {"—", "—", "-"},           {"‒", "‒", "-"},           {"…", "…", "..."},
        {"€", "€", "EUR"},         {"‹", "‹", "<"},           {"›", "›", ">"},           {"\u2002", "U+2002", " "},
        {"\u2009", "U+2009", " "}, {"\u200A", "U+200A", " "}, {"\u202F", "U+202F", " "}, {"\u205F", "U+205F", " "},
        {"\u3000", "U+3000", " "},
    };
    std::string cell, oem, shown, standIns;
    for (const auto &kind : kinds) {
        cell += kind.Character;
        oem += kind.StandIn;
        shown += std::string(shown.empty() ? "" : " ") + "„" + kind.Shown + "“";
        standIns += std::string(standIns.empty() ? "" : " ") + "„" + kind.StandIn + "“";
    }
    TScratchDir dir;
    WriteBytes(dir.Path("typo.csv"), "Frage 1;Kommentar\n" + cell + ";™\n");
    const TRun run = Convert(dir.Path("typo.csv") + " -", dir);
    EXPECT_EQ(run.exitCode, 0);
    const std::string prefix = "kelmor-convert: " + dir.Path("typo.csv") + ": Zeile 2: ";
    EXPECT_EQ(run.err, prefix + "Zeichen " + shown + " in Frage 1 als " + standIns + " gespeichert\n" + prefix +
                           "Zeichen „™“ in Kommentar als „?“ gespeichert\n");
    EXPECT_NE(run.out.find("\r\n" + oem + "\r\n"), std::string::npos);
    EXPECT_NE(run.out.find("\r\n- ?\r\n"), std::string::npos);
}

// The version the converter reports is the release that the AppStream data and the
// manual pages announce.
TEST(Convert, VersionIsTheAnnouncedRelease)
{
    const std::string metainfo = ReadBytes(std::string(KELMOR_DESKTOP) + "/org.example.kelmor.metainfo.xml");
    const std::string tag = "<release version=\"";
    const auto start = metainfo.find(tag) + tag.size();
    ASSERT_GT(start, tag.size());
    const std::string release = metainfo.substr(start, metainfo.find('"', start) - start);

    TScratchDir dir;
    const TRun run = Convert("--version", dir);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "kelmor-convert " + release + "\n");
    EXPECT_EQ(run.err, "");
    for (const char *page : {"kelmor.1", "kelmor-convert.1"})
        EXPECT_NE(ReadBytes(std::string(KELMOR_DESKTOP) + "/" + page).find("\"Kelmor " + release + "\""),
                  std::string::npos)
            << page;
}

TEST(Convert, HelpShowsTheWholeUsage)
{
    TScratchDir dir;
    const TRun help = Convert("--help", dir);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.starts_with(
        "Aufruf: kelmor-convert [--from text|raf|csv] [--to text|dos-raf|win-raf|csv] EINGABE AUSGABE\n"
        "        kelmor-convert [--from text|raf|csv] --check DATEI\n"
        "        kelmor-convert --help | --version\n"))
        << help.out;
    EXPECT_EQ(help.err, "");
}

// Wrong usage is told in one line, with the way to the whole text after it.
TEST(Convert, WrongUsageSaysWhatIsWrongInOneLine)
{
    TScratchDir dir;
    const struct {
        const char *args;
        std::string problem;
    } cases[] = {
        {"", "EINGABE und AUSGABE fehlen"},
        {"nur-eins.mfd", "AUSGABE fehlt"},
        {"-- --help", "AUSGABE fehlt"},
        {"a b c", "zu viele Argumente"},
        {"-x a b", "unbekannte Option „-x“"},
        {"--check=a.mfd", "unbekannte Option „--check=a.mfd“"},
        {"--to pdf a.mfd b.mfd", "unbekanntes Format „pdf“ für --to; möglich sind text, dos-raf, win-raf und csv"},
        {"--from=dos-raf - b.mfd", "unbekanntes Format „dos-raf“ für --from; möglich sind text, raf und csv"},
        {"--to", "--to braucht ein Format"},
        {"a.mfd b.mfd --from", "--from braucht ein Format"},
        {"--check", "--check nimmt genau eine DATEI"},
        {"--check a.mfd b.mfd", "--check nimmt genau eine DATEI"},
        {"--to text --check a.mfd", "--check schreibt nichts und nimmt kein --to"},
        {"--check --to=dos-raf a.mfd", "--check schreibt nichts und nimmt kein --to"},
    };
    for (const auto &c : cases) {
        const TRun run = Convert(c.args, dir);
        EXPECT_EQ(run.exitCode, 2) << c.args;
        EXPECT_EQ(run.err, "kelmor-convert: " + c.problem + "\n" + kUsageHint) << c.args;
        EXPECT_EQ(run.out, "") << c.args;
    }
}

}  // namespace
