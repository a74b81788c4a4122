// kelmor-convert: converts a question file between the text format and the two
// record-format editions, exactly as the editor loads and saves them, and checks the
// questions of a file.
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <optional>
#include <signal.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "csvformat.h"
#include "errors.h"
#include "filepaths.h"
#include "filestreams.h"
#include "mirolafile.h"
#include "questioncheck.h"

namespace {

constexpr std::string_view kUsage =
    "Aufruf: kelmor-convert [--from text|raf|csv] [--to text|dos-raf|win-raf|csv] EINGABE AUSGABE\n"
    "        kelmor-convert [--from text|raf|csv] --check DATEI\n"
    "        kelmor-convert --help | --version\n"
    "\n"
    "Wandelt eine Mirola-Fragedatei um oder prüft ihre Fragen. Eine Datei wird nach\n"
    "ihrer Endung gelesen und geschrieben: .raf als RAF-Datei (geschrieben in der\n"
    "DOS-Ausgabe), .csv als CSV-Datei, jede andere (.mfd, .dat, ...) als Textdatei,\n"
    "in jeder Schreibweise der Endung. „-“ als EINGABE oder DATEI liest die\n"
    "Standardeingabe, „-“ als AUSGABE schreibt auf die Standardausgabe, beide als\n"
    "Textdatei.\n"
    "\n"
    "  --from text     EINGABE ist eine Textdatei (Vorgabe für die Standardeingabe)\n"
    "  --from raf      EINGABE ist eine RAF-Datei, gleich welcher Ausgabe des Spiels\n"
    "  --from csv      EINGABE ist eine CSV-Datei\n"
    "  --to text       schreibt das Textformat (Vorgabe außer für .raf und .csv)\n"
    "  --to dos-raf    schreibt das RAF-Format der DOS-Ausgabe des Spiels\n"
    "  --to win-raf    schreibt das RAF-Format der Windows-Ausgabe des Spiels\n"
    "  --to csv        schreibt die Datensätze als CSV-Datei für Tabellenprogramme\n"
    "  --check         prüft stattdessen die Fragen von DATEI: eine Zeile je Problem,\n"
    "                  „Datensatz N: Grund“; Rückgabewert 0 ohne Befund, 1 mit\n"
    "                  Befunden, 2 wenn DATEI nicht gelesen oder die Liste nicht\n"
    "                  geschrieben werden kann\n"
    "  --version       zeigt die Version\n"
    "  --help          zeigt diesen Text\n";

constexpr std::string_view kVersion = "kelmor-convert " KELMOR_VERSION "\n";

// "-" stands for standard input or output; a file of that name is "./-".
constexpr std::string_view kStandardStream = "-";
constexpr std::string_view kStandardInputName = "Standardeingabe";
constexpr std::string_view kStandardOutputName = "Standardausgabe";

// A message as a terminal can show it: the bytes below 32 and 127, which a file may
// hold and which would act on the terminal (ESC [2J clears it), are written as \x1b.
// Every other byte stays, a NUL included, which a message that quotes a damaged file
// can hold.
std::string Visible(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            shown += c;
            continue;
        }
        constexpr char kHex[] = "0123456789abcdef";
        shown.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
    }
    return shown;
}

void PrintLine(std::string_view text)
{
    std::string line = "kelmor-convert: " + Visible(text);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

void PrintError(std::string_view file, std::string_view message)
{
    std::string text(file);
    text.append(": ").append(message);
    PrintLine(text);
}

int Usage(std::string_view problem)
{
    PrintLine(problem);
    std::fputs("Aufruf: kelmor-convert --help\n", stderr);
    return 2;
}

// Runs one step on one file; a failure is reported under that file's name.
template <class TStep>
bool Attempt(std::string_view file, TStep &&step)
{
    try {
        step();
        return true;
    } catch (const EMirolaError &error) {
        PrintError(file, error.Message());
    } catch (const std::bad_alloc &) {
        PrintError(file, kOutOfMemoryMessage);
    } catch (const std::exception &error) {
        PrintError(file, error.what());
    }
    return false;
}

enum class TFormat { Text, Raf, DosRaf, WinRaf, Csv };

struct TFormatWord {
    std::string_view Word;
    TFormat Format;
};

// A record file is read alike whichever edition wrote it; only writing tells them apart.
constexpr TFormatWord kInputFormats[] = {{"text", TFormat::Text}, {"raf", TFormat::Raf}, {"csv", TFormat::Csv}};
constexpr TFormatWord kOutputFormats[] = {
    {"text", TFormat::Text}, {"dos-raf", TFormat::DosRaf}, {"win-raf", TFormat::WinRaf}, {"csv", TFormat::Csv}};

template <std::size_t N>
std::optional<TFormat> FormatNamed(const TFormatWord (&words)[N], std::string_view word)
{
    for (const TFormatWord &entry : words)
        if (entry.Word == word)
            return entry.Format;
    return std::nullopt;
}

tMirolaFType CoreType(TFormat format)
{
    switch (format) {
    case TFormat::Raf:
    case TFormat::DosRaf: return ftRAF;
    case TFormat::WinRaf: return ftWRAF;
    case TFormat::Text:
    case TFormat::Csv: break;
    }
    return ftTXT;
}

// Without --to the name tells the format, as it does for reading; standard output
// gets text.
TFormat OutputFormatByName(const std::string &name)
{
    if (name == kStandardStream)
        return TFormat::Text;
    if (FileKindOf(name) == TFileKind::Raf)
        return TFormat::DosRaf;
    if (FileKindOf(name) == TFileKind::Csv)
        return TFormat::Csv;
    return TFormat::Text;
}

// What the reader had to tell goes to standard error, a line each under the input's
// name, as a warning, not a failure.
void PrintNotes(std::string_view inputName, std::string_view notes)
{
    while (!notes.empty()) {
        const std::size_t end = notes.find('\n');
        PrintError(inputName, notes.substr(0, end));
        notes = end == std::string_view::npos ? std::string_view() : notes.substr(end + 1);
    }
}

// Fills the fresh `document` with the records of a spreadsheet; the reader's notes
// on what it changed to make the rows fit are printed. A spreadsheet holds no header
// texts: the title is the input's name without its folder and extension.
void LoadCsv(TMirolaFile &document, TCsvReadResult read, std::string_view inputName)
{
    TakeCsvRecords(document, std::move(read.Records));
    if (inputName != kStandardInputName)
        document.Title = TableTitle(std::string(inputName));  // cut to 36 bytes
    PrintNotes(inputName, CsvChangeSummary(read.Changes));
}

[[noreturn]] void RaiseStreamError(int sysErrno)
{
    RaiseSystemError(sysErrno, std::string(kStandardStream));
}

// Standard input as the readers take a file, read as it comes. Where it is a file, its
// size is known at once, so a table too large is refused before a byte is read; a
// pipe is refused once the limit has come through it, without the rest being read.
class TStandardInput final : public TByteSource {
public:
    TStandardInput()
    {
        struct stat st {};
        const off_t at = ::lseek(STDIN_FILENO, 0, SEEK_CUR);
        if (::fstat(STDIN_FILENO, &st) == 0 && S_ISREG(st.st_mode) && at >= 0 && at < st.st_size)
            FLeft = static_cast<std::size_t>(st.st_size - at);
    }

    std::string_view Read(std::size_t size) override
    {
        FBuffer.clear();
        char chunk[1 << 16];
        while (FBuffer.size() < size) {
            const ssize_t n = ::read(STDIN_FILENO, chunk, std::min(sizeof chunk, size - FBuffer.size()));
            if (n > 0)
                FBuffer.append(chunk, static_cast<std::size_t>(n));
            else if (n == 0)
                break;
            else if (errno != EINTR)
                RaiseStreamError(errno);
        }
        FLeft -= std::min(FLeft, FBuffer.size());
        return FBuffer;
    }
    std::size_t SizeHint() const override { return FLeft; }

private:
    std::string FBuffer;
    std::size_t FLeft = 0;  // by the size of a file, when it is one
};

// A reader that went away (`head`, a pager quit early) wants no more, and saying so
// would only clutter its terminal: the converter ends as cat and grep do, by the
// signal of a closed pipe, which a shell shows as status 141. The signal's default
// is set at start-up; this is for a caller that blocked it, where the write fails
// with EPIPE instead.
[[noreturn]] void EndAsClosedPipe()
{
    std::signal(SIGPIPE, SIG_DFL);
    sigset_t closedPipe;
    sigemptyset(&closedPipe);
    sigaddset(&closedPipe, SIGPIPE);
    ::sigprocmask(SIG_UNBLOCK, &closedPipe, nullptr);
    std::raise(SIGPIPE);
    std::_Exit(128 + SIGPIPE);
}

// Standard output is written with write(2) alone, so that every failure shows in a
// result here and none hides in a stdio buffer flushed at exit.
void WriteStandardOutput(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EPIPE)
                EndAsClosedPipe();
            RaiseStreamError(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Some file systems (NFS among them) report a failed write only when the file is
// closed. After EINTR the descriptor is closed all the same on Linux.
void CloseStandardOutput()
{
    if (::close(STDOUT_FILENO) != 0 && errno != EINTR)
        RaiseStreamError(errno);
}

// All of `bytes`, then closed; false after the error is reported.
bool PutStandardOutput(std::string_view bytes)
{
    return Attempt(kStandardOutputName, [&] {
        WriteStandardOutput(bytes);
        CloseStandardOutput();
    });
}

std::string_view InputName(const std::string &name)
{
    return name == kStandardStream ? kStandardInputName : std::string_view(name);
}

std::string_view OutputName(const std::string &name)
{
    return name == kStandardStream ? kStandardOutputName : std::string_view(name);
}

// `from` names the format of the input; without it the name's extension decides, and
// standard input is text. What the reader had to tell is printed as notes.
void Load(TMirolaFile &document, const std::string &name, std::optional<TFormat> from)
{
    const bool standardInput = name == kStandardStream;
    const TFormat format =
        from.value_or(!standardInput && FileKindOf(name) == TFileKind::Csv ? TFormat::Csv : TFormat::Text);
    const std::string_view inputName = InputName(name);
    if (format == TFormat::Csv) {
        if (standardInput) {
            TStandardInput in;
            LoadCsv(document, ReadCsvFrom(in), inputName);
        } else {
            LoadCsv(document, ReadCsvFile(name), inputName);
        }
        return;
    }
    if (standardInput) {
        TStandardInput in;
        document.LoadFromBytes(in.ReadRest(), CoreType(format));
    } else if (!from) {
        // The core tells a record file from a text file by the name, reading a batch at a
        // time.
        document.LoadFromFile(name);
    } else {
        TFileReader file(name);
        document.LoadFromBytes(file.ReadRest(), CoreType(format));
    }
    for (const std::string &note : document.LoadNotes)
        PrintError(inputName, note);
}

void Save(TMirolaFile &document, const std::string &name, TFormat format)
{
    if (name == kStandardStream) {
        const std::string bytes = format == TFormat::Csv ? WriteCsv(document) : document.SaveToString(CoreType(format));
        WriteStandardOutput(bytes);
        CloseStandardOutput();
    } else if (format == TFormat::Csv) {
        WriteCsvFile(document, name);
    } else {
        document.SaveToFile(name, CoreType(format));
    }
}

// Exit status of --check. A file that cannot be read is no finding, and a script
// that tells "clean" from "has problems" must not take it for one; nor a list that
// could not be written for a list given.
enum : int { kCheckClean = 0, kCheckFindings = 1, kCheckFailed = 2 };

int CheckFile(const std::string &name, std::optional<TFormat> from)
{
    std::vector<TCheckFinding> findings;
    const bool read = Attempt(InputName(name), [&] {
        TMirolaFile document;
        Load(document, name, from);
        findings = CheckQuestions(document);
    });
    if (!read)
        return kCheckFailed;
    std::string list;
    for (const TCheckFinding &finding : findings)
        list += "Datensatz " + std::to_string(finding.Record) + ": " + finding.Reason + "\n";
    if (!PutStandardOutput(list))
        return kCheckFailed;
    return findings.empty() ? kCheckClean : kCheckFindings;
}

int ConvertFile(const std::string &input, const std::string &output, std::optional<TFormat> from, TFormat to)
{
    TMirolaFile document;
    if (!Attempt(InputName(input), [&] { Load(document, input, from); }))
        return 1;
    if (!Attempt(OutputName(output), [&] { Save(document, output, to); }))
        return 1;
    return 0;
}

std::string Quoted(std::string_view text)
{
    return "„" + std::string(text) + "“";
}

}  // namespace

int main(int argc, char **argv)
{
    // A reader that went away ends the converter quietly, whatever the caller set.
    std::signal(SIGPIPE, SIG_DFL);

    std::optional<TFormat> from;
    std::optional<TFormat> to;
    bool check = false;
    std::vector<std::string> files;
    bool optionsDone = false;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsDone || arg == kStandardStream || !arg.starts_with("-")) {
            if (files.size() == 2)
                return Usage("zu viele Argumente");
            files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsDone = true;
            continue;
        }
        if (arg == "--help")
            return PutStandardOutput(kUsage) ? 0 : 1;
        if (arg == "--version")
            return PutStandardOutput(kVersion) ? 0 : 1;
        if (arg == "--check") {
            check = true;
            continue;
        }
        // "--from raf" or "--from=raf", and the same for --to.
        const std::string_view option = arg.substr(0, arg.find('='));
        if (option != "--from" && option != "--to")
            return Usage("unbekannte Option " + Quoted(arg));
        std::string_view value;
        if (option.size() < arg.size())
            value = arg.substr(option.size() + 1);
        else if (++i < argc)
            value = argv[i];
        else
            return Usage(std::string(option) + " braucht ein Format");
        if (option == "--from") {
            from = FormatNamed(kInputFormats, value);
            if (!from)
                return Usage("unbekanntes Format " + Quoted(value) + " für --from; möglich sind text, raf und csv");
        } else {
            const std::optional<TFormat> format = FormatNamed(kOutputFormats, value);
            if (!format)
                return Usage("unbekanntes Format " + Quoted(value) +
                             " für --to; möglich sind text, dos-raf, win-raf und csv");
            to = *format;
        }
    }
    if (check) {
        if (to)
            return Usage("--check schreibt nichts und nimmt kein --to");
        if (files.size() != 1)
            return Usage("--check nimmt genau eine DATEI");
        return CheckFile(files[0], from);
    }
    if (files.size() != 2)
        return Usage(files.empty() ? "EINGABE und AUSGABE fehlen" : "AUSGABE fehlt");
    return ConvertFile(files[0], files[1], from, to.value_or(OutputFormatByName(files[1])));
}
