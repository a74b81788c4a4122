#include "testutil.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "errors.h"

TScratchDir::TScratchDir()
{
    std::string pattern = std::filesystem::temp_directory_path().string() + "/kelmor-test-XXXXXX";
    FPath = ::mkdtemp(pattern.data());
}

namespace {
// Tests take rights away from folders inside; without them back an ordinary user
// could not empty those folders, and they would stay behind.
void OpenUp(const std::filesystem::path &folder)
{
    std::error_code ignored;
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    for (const auto &entry : std::filesystem::directory_iterator(folder, ignored))
        if (entry.is_directory(ignored) && !entry.is_symlink(ignored))
            OpenUp(entry.path());
}
}  // namespace

TScratchDir::~TScratchDir()
{
    OpenUp(FPath);
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

void WriteBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string &path)
{
    return std::filesystem::exists(path);
}

std::string ListFolder(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string out;
    for (const auto &n : names)
        out += n + ";";
    return out;
}

bool MakeZeroDevice(const std::string &path)
{
    return ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 5)) == 0;
}

TMirolaDatensatz MakeRecord(char16_t letter, char16_t level, const std::string &q1, const std::string &comment,
                            std::initializer_list<std::string> answers)
{
    TMirolaDatensatz r;
    r.theletter = letter;
    r.level = level;
    r.Question[0] = q1;
    r.Comment = comment;
    int i = 0;
    for (const auto &a : answers)
        r.Answers[i++] = a;
    return r;
}

void ExpectSameRecord(const TMirolaDatensatz &expected, const TMirolaDatensatz &actual)
{
    EXPECT_EQ(actual.theletter, expected.theletter);
    EXPECT_EQ(actual.level, expected.level);
    EXPECT_EQ(actual.Comment, expected.Comment);
    for (int q = 0; q < 3; ++q)
        EXPECT_EQ(actual.Question[q], expected.Question[q]) << "question line " << q + 1;
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(actual.Answers[k], expected.Answers[k]) << "answer " << k + 1;
}

TMirolaFile MakeDocument(int count)
{
    TMirolaFile doc;
    doc.Title = "Testdatei";
    doc.AutorInfo = "Autorin";
    doc.CopyrightInfo = "(c) 2026";
    doc.Comments = "Kommentar";
    for (int i = 0; i < count; ++i)
        doc.Data.push_back(MakeRecord(u'a', u'B', "Frage " + std::to_string(i + 1), "", {"ja", "nein"}));
    if (count > 0)
        doc.DatRec = doc.Data[0];
    return doc;
}

TMirolaFile MakeMixedDocument(int count)
{
    TMirolaFile doc = MakeDocument(0);
    doc.Title = "Gemischt \x84\x94\x81";
    const char16_t letters[] = {u'a', u'b', u'c', u'd', u'e', u'r', u'f', u'x'};
    const char16_t levels[] = {u'A', u'B', u'C', u'D', u'a'};
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i + 1);
        TMirolaDatensatz r = MakeRecord(letters[i % 8], levels[i % 5], "Frage " + n, i % 3 ? "Quelle " + n : "");
        r.Question[1] = std::string(static_cast<std::size_t>(i % 51), static_cast<char>(0x80 + i % 128));
        if (i % 4 == 1)
            r.Question[2] = "- dritte Zeile " + n;
        for (int a = 0; a < 1 + i % 5; ++a)
            r.Answers[a] = "Antwort " + std::to_string(a + 1) + " zu " + n + (a == 2 ? " \x8E" : "");
        doc.Data.push_back(r);
    }
    if (count > 0)
        doc.DatRec = doc.Data[0];
    return doc;
}

std::string LoadBytesError(TMirolaFile &doc, const std::string &bytes, tMirolaFType type)
{
    try {
        doc.LoadFromBytes(bytes, type);
    } catch (const EMirolaError &e) {
        return e.Message();
    }
    return "";
}

std::string LoadError(TMirolaFile &doc, const std::string &path)
{
    try {
        doc.LoadFromFile(path);
    } catch (const EMirolaError &e) {
        return e.Message();
    }
    return "";
}

std::string SaveError(TMirolaFile &doc, const std::string &path, tMirolaFType type)
{
    try {
        doc.SaveToFile(path, type);
    } catch (const EMirolaError &e) {
        return e.Message();
    }
    return "";
}

std::string InChildWithin(int seconds, const std::function<std::string()> &work)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "pipe failed";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const std::string result = work();
        [[maybe_unused]] auto written = ::write(fds[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    std::string result;
    bool timedOut = false;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{fds[0], POLLIN, 0};
        const int polled = left.count() > 0 ? ::poll(&ready, 1, static_cast<int>(left.count())) : 0;
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled == 0) {
            timedOut = true;
            break;
        }
        char buf[512];
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n <= 0)
            break;
        result.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    if (timedOut)
        ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (timedOut)
        return "timed out";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        result += "[child failed]";
    return result;
}

std::string InChild(const std::function<std::string()> &work)
{
    // Long enough for any work of a test; a hang still ends the test.
    return InChildWithin(600, work);
}
