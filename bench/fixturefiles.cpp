#include "fixturefiles.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

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

TFixtureFiles::~TFixtureFiles() { std::filesystem::remove_all(Folder); }

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
