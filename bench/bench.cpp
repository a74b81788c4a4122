// Loading and saving large question files in the core, beside the time `cat` needs
// to read them and `cp` to copy them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "csvformat.h"
#include "fixturefiles.h"
#include "mirolafile.h"

namespace {

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
    for (auto _ : state)
        RunProgram({"cat", path});
}

void Cp(benchmark::State &state, const std::string &path)
{
    for (auto _ : state)
        RunCommand("cp '" + path + "' '" + Files().Folder + "/kopie' && sync '" + Files().Folder + "/kopie'");
}

// The 9999 records as a spreadsheet table, written and read back, beside the text
// format's own load and save of the same records.
void BM_WriteCsv9999(benchmark::State &state)
{
    TMirolaFile doc;
    doc.LoadFromFile(Files().Text);
    const std::string target = Files().Folder + "/tabelle.csv";
    for (auto _ : state)
        WriteCsvFile(doc, target);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(target)));
}

void BM_ReadCsv9999(benchmark::State &state)
{
    TMirolaFile doc;
    doc.LoadFromFile(Files().Text);
    const std::string source = Files().Folder + "/gelesen.csv";
    WriteCsvFile(doc, source);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadCsvFile(source).Records.data());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(source)));
}

// clang-format off
void BM_LoadText9999(benchmark::State &s) { Load(s, Files().Text); }
void BM_SaveText9999(benchmark::State &s) { Save(s, Files().Text, ftTXT); }
void BM_CatText9999(benchmark::State &s) { Cat(s, Files().Text); }
void BM_CpText9999(benchmark::State &s) { Cp(s, Files().Text); }
void BM_LoadRaf100000(benchmark::State &s) { Load(s, Files().Raf); }
void BM_SaveDosRaf100000(benchmark::State &s) { Save(s, Files().Raf, ftRAF); }
void BM_SaveWinRaf100000(benchmark::State &s) { Save(s, Files().Raf, ftWRAF); }
void BM_CatRaf100000(benchmark::State &s) { Cat(s, Files().Raf); }
void BM_CpRaf100000(benchmark::State &s) { Cp(s, Files().Raf); }
// clang-format on

BENCHMARK(BM_LoadText9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveText9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatText9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpText9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadRaf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDosRaf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWinRaf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatRaf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCsv9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCsv9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpRaf100000)->Unit(benchmark::kMillisecond);

}  // namespace
