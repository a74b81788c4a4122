// kelmor-convert: converts a question file between the text format and the two
// record-format editions, exactly as the editor loads and saves them, and checks the
// questions of a file.
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "errors.h"
#include "mirolafile.h"
#include "questioncheck.h"

namespace {

constexpr const char *kUsage =
    "Usage: kelmor-convert [--to text|dos-raf|win-raf] INPUT OUTPUT\n"
    "       kelmor-convert --check FILE\n"
    "\n"
    "Converts a Mirola question file, or checks its questions. A file is read by\n"
    "its extension: .raf as a record file, anything else (.mfd, .dat, ...) as a\n"
    "text file.\n"
    "\n"
    "  --to text      write the text format (the default)\n"
    "  --to dos-raf   write the record format of the game's DOS edition\n"
    "  --to win-raf   write the record format of the game's Windows edition\n"
    "  --check        check the questions of FILE instead: one line per problem,\n"
    "                 \"Datensatz N: reason\"; exit status 0 when there is none,\n"
    "                 1 when there are problems, 2 when FILE cannot be read\n"
    "  --help         show this text\n";

int Usage(const char *problem)
{
    std::fprintf(stderr, "kelmor-convert: %s\n\n%s", problem, kUsage);
    return 2;
}

void PrintError(std::string_view message)
{
    std::fputs("kelmor-convert: ", stderr);
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
}

// Exit status of --check. A file that cannot be read is no finding, and a script
// that tells "clean" from "has problems" must not take it for one.
enum : int { kCheckClean = 0, kCheckFindings = 1, kCheckUnreadable = 2 };

int CheckFile(const char *name)
{
    std::vector<TCheckFinding> findings;
    try {
        TMirolaFile document;
        document.LoadFromFile(name);
        findings = CheckQuestions(document);
    } catch (const EMirolaError &error) {
        PrintError(error.Message());
        return kCheckUnreadable;
    } catch (const std::bad_alloc &) {
        PrintError(kOutOfMemoryMessage);
        return kCheckUnreadable;
    } catch (const std::exception &error) {
        PrintError(error.what());
        return kCheckUnreadable;
    }
    for (const TCheckFinding &finding : findings)
        std::printf("Datensatz %d: %s\n", finding.Record, finding.Reason.c_str());
    return findings.empty() ? kCheckClean : kCheckFindings;
}

bool ParseTarget(std::string_view name, tMirolaFType &type)
{
    if (name == "text")
        type = ftTXT;
    else if (name == "dos-raf")
        type = ftRAF;
    else if (name == "win-raf")
        type = ftWRAF;
    else
        return false;
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    tMirolaFType type = ftTXT;
    bool targetGiven = false;
    bool check = false;
    const char *files[2] = {nullptr, nullptr};
    int fileCount = 0;
    bool optionsDone = false;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!optionsDone && arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!optionsDone && (arg == "--to" || arg.starts_with("--to="))) {
            std::string_view value;
            if (arg == "--to") {
                if (++i == argc)
                    return Usage("--to needs a format");
                value = argv[i];
            } else {
                value = arg.substr(5);
            }
            if (!ParseTarget(value, type))
                return Usage("unknown format; use text, dos-raf or win-raf");
            targetGiven = true;
            continue;
        }
        if (!optionsDone && arg == "--check") {
            check = true;
            continue;
        }
        if (!optionsDone && arg == "--") {
            optionsDone = true;
            continue;
        }
        if (!optionsDone && arg.size() > 1 && arg.front() == '-')
            return Usage("unknown option");
        if (fileCount == 2)
            return Usage("too many arguments");
        files[fileCount++] = argv[i];
    }
    if (check) {
        if (targetGiven)
            return Usage("--check writes nothing and takes no --to");
        if (fileCount != 1)
            return Usage("--check takes one FILE");
        return CheckFile(files[0]);
    }
    if (fileCount != 2)
        return Usage("INPUT and OUTPUT are required");

    try {
        TMirolaFile document;
        document.LoadFromFile(files[0]);
        document.SaveToFile(files[1], type);
    } catch (const EMirolaError &error) {
        // Every byte: a message that quotes a damaged file can hold a NUL.
        PrintError(error.Message());
        return 1;
    } catch (const std::bad_alloc &) {
        PrintError(kOutOfMemoryMessage);
        return 1;
    } catch (const std::exception &error) {
        PrintError(error.what());
        return 1;
    }
    return 0;
}
