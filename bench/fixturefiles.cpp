#include "fixturefiles.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "mirolafile.h"

namespace {

TMirolaFile Document(int count)
{
    TMirolaFile doc;
    doc.Title = "Benchmark";
    doc.AutorInfo = "Kelmor";
    for (int i = 0; i < count; ++i) {
        doc.Add();
        doc.DatRec.theletter = u"abcdexrf"[i % 8];
        doc.DatRec.level = u"ABCD"[i % 4];
        doc.DatRec.Question[0] = "Frage Nummer " + std::to_string(i) + " mit etwas Text dazu";
        doc.DatRec.Question[1] = "und einer zweiten Zeile, die l\x84nger ist";
        doc.DatRec.Comment = "Kommentar";
        for (int a = 0; a < 4; ++a)
            doc.DatRec.Answers[a] = "Antwort " + std::to_string(a + 1);
    }
    doc.Post();
    return doc;
}

}  // namespace

TFixtureFiles::TFixtureFiles()
{
    std::string pattern = std::filesystem::temp_directory_path().string() + "/kelmor-bench-XXXXXX";
    Folder = ::mkdtemp(pattern.data());
    Text = Folder + "/fragen.mfd";
    Raf = Folder + "/fragen.raf";
    Document(9999).SaveToFile(Text, ftTXT);
    Document(100000).SaveToFile(Raf, ftRAF);
}

TFixtureFiles::~TFixtureFiles()
{
    std::filesystem::remove_all(Folder);
}

TFixtureFiles &Files()
{
    static TFixtureFiles files;
    return files;
}

void RunCommand(const std::string &command)
{
    if (std::system(command.c_str()) != 0)
        std::abort();
}

void RunProgram(const std::vector<std::string> &arguments)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    int status = 0;
    if (::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0 ||
        ::waitpid(child, &status, 0) != child || status != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&actions);
}
