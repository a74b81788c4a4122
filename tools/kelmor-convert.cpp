// kelmor-convert: converts a question file between the text format and the two
// record-format editions, exactly as the editor loads and saves them, and checks the
// questions of a file.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "csvformat.h"
#include "errors.h"
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
    "ihrer Endung gelesen: .raf als RAF-Datei, .csv als CSV-Datei, jede andere (.mfd,\n"
    ".dat, ...) als Textdatei. „-“ als EINGABE oder DATEI liest die Standardeingabe,\n"
    "„-“ als AUSGABE schreibt auf die Standardausgabe.\n"
    "\n"
    "  --from text     EINGABE ist eine Textdatei (Vorgabe für die Standardeingabe)\n"
    "  --from raf      EINGABE ist eine RAF-Datei, gleich welcher Ausgabe des Spiels\n"
    "  --from csv      EINGABE ist eine CSV-Datei\n"
    "  --to text       schreibt das Textformat (Vorgabe)\n"
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

void PrintError(std::string_view file, std::string_view message)
{
    // Every byte: a message that quotes a damaged file can hold a NUL.
    std::string line = "kelmor-convert: ";
    line.append(file).append(": ").append(message).append("\n");
    std::fwrite(line.data(), 1, line.size(), stderr);
}

int Usage(std::string_view problem)
{
    std::string text = "kelmor-convert: ";
    text.append(problem).append("\nAufruf: kelmor-convert --help\n");
    std::fwrite(text.data(), 1, text.size(), stderr);
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

bool HasCsvExtension(const std::string &name)
{
    std::string ext = FileExtension(name);
    for (char &c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext == ".csv";
}

// Fills the fresh `document` with the records of a spreadsheet. What the reader had to
// change to make the rows fit goes to standard error, a line each under the input's
// name, as a warning, not a failure. A spreadsheet holds no header texts: the title
// is the input's name without its folder and extension.
void LoadCsv(TMirolaFile &document, std::string_view bytes, std::string_view inputName)
{
    TCsvReadResult read = ReadCsv(bytes);
    TakeCsvRecords(document, std::move(read.Records));
    if (inputName != kStandardInputName) {
        const std::string_view base = inputName.substr(inputName.find_last_of('/') + 1);
        document.Title = base.substr(0, base.find_last_of('.'));  // cut to 36 bytes
    }
    const std::string summary = CsvChangeSummary(read.Changes);
    std::string_view rest = summary;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        PrintError(inputName, rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
}

[[noreturn]] void RaiseStreamError(int sysErrno) { RaiseSystemError(sysErrno, std::string(kStandardStream)); }

std::string ReadStandardInput()
{
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n > 0)
            bytes.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0)
            return bytes;
        else if (errno != EINTR)
            RaiseStreamError(errno);
    }
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

void LoadBytes(TMirolaFile &document, std::string_view bytes, TFormat format, std::string_view inputName)
{
    if (format == TFormat::Csv)
        LoadCsv(document, bytes, inputName);
    else
        document.LoadFromBytes(bytes, CoreType(format));
}

// `from` names the format of the input; without it the name's extension decides, and
// standard input is text.
void Load(TMirolaFile &document, const std::string &name, std::optional<TFormat> from)
{
    if (name == kStandardStream) {
        LoadBytes(document, ReadStandardInput(), from.value_or(TFormat::Text), kStandardInputName);
    } else if (!from && !HasCsvExtension(name)) {
        // The core tells a record file from a text file by the name, reading a batch at a
        // time.
        document.LoadFromFile(name);
    } else {
        TFileReader file(name);
        LoadBytes(document, file.ReadRest(), from.value_or(TFormat::Csv), name);
    }
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

std::string Quoted(std::string_view text) { return "„" + std::string(text) + "“"; }

}  // namespace

int main(int argc, char **argv)
{
    // A reader that went away is a failed write to report, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);

    std::optional<TFormat> from;
    TFormat to = TFormat::Text;
    bool targetGiven = false;
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
            targetGiven = true;
        }
    }
    if (check) {
        if (targetGiven)
            return Usage("--check schreibt nichts und nimmt kein --to");
        if (files.size() != 1)
            return Usage("--check nimmt genau eine DATEI");
        return CheckFile(files[0], from);
    }
    if (files.size() != 2)
        return Usage(files.empty() ? "EINGABE und AUSGABE fehlen" : "AUSGABE fehlt");
    return ConvertFile(files[0], files[1], from, to);
}
