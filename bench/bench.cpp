// Loading and saving large question files, beside the time `cat` needs to read them.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "mirolafile.h"

namespace {

struct TFixtureFiles {
    std::string Folder, Text, Raf;

    TFixtureFiles()
    {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/kelmor-bench-XXXXXX";
        Folder = ::mkdtemp(pattern.data());
        Text = Folder + "/fragen.mfd";
        Raf = Folder + "/fragen.raf";
        Document(9999).SaveToFile(Text, ftTXT);
        Document(100000).SaveToFile(Raf, ftRAF);
    }
    ~TFixtureFiles() { std::filesystem::remove_all(Folder); }

    static TMirolaFile Document(int count)
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
};

TFixtureFiles &Files()
{
    static TFixtureFiles files;
    return files;
}

void Load(benchmark::State &state, const std::string &path)
{
    for (auto _ : state) {
        TMirolaFile doc;
        doc.LoadFromFile(path);
        benchmark::DoNotOptimize(doc.Data.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}

void Save(benchmark::State &state, const std::string &source, tMirolaFType type)
{
    TMirolaFile doc;
    doc.LoadFromFile(source);
    const std::string target = Files().Folder + "/ausgabe";
    for (auto _ : state)
        doc.SaveToFile(target, type);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(target)));
}

void Cat(benchmark::State &state, const std::string &path)
{
    const std::string command = "cat '" + path + "' > /dev/null";
    for (auto _ : state)
        benchmark::DoNotOptimize(std::system(command.c_str()));
}

void BM_LoadText9999(benchmark::State &s) { Load(s, Files().Text); }
void BM_SaveText9999(benchmark::State &s) { Save(s, Files().Text, ftTXT); }
void BM_CatText9999(benchmark::State &s) { Cat(s, Files().Text); }
void BM_LoadRaf100000(benchmark::State &s) { Load(s, Files().Raf); }
void BM_SaveDosRaf100000(benchmark::State &s) { Save(s, Files().Raf, ftRAF); }
void BM_SaveWinRaf100000(benchmark::State &s) { Save(s, Files().Raf, ftWRAF); }
void BM_CatRaf100000(benchmark::State &s) { Cat(s, Files().Raf); }

BENCHMARK(BM_LoadText9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveText9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatText9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadRaf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDosRaf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWinRaf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatRaf100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
