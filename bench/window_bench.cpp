// The document commands in the editor window: opening a large file up to its first
// shown record, saving and exporting it, as the user waits for them.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "benchseam.h"
#include "fixturefiles.h"
#include "kelmorfrm.h"

namespace {

struct TBenchWindow {
    TBenchSeam *Seam;
    TKelmorFrm Frm;

    TBenchWindow() : Seam(new TBenchSeam), Frm(std::unique_ptr<TPlatformSeam>(Seam)) { Frm.FormCreate({}); }
};

void Open(benchmark::State &state, const std::string &path)
{
    TBenchWindow w;
    for (auto _ : state)
        w.Frm.OpenDoc(QString::fromStdString(path));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}

void BM_WindowOpenText9999(benchmark::State &s)
{
    Open(s, Files().Text);
}
void BM_WindowOpenRaf100000(benchmark::State &s)
{
    Open(s, Files().Raf);
}

void BM_WindowSaveText9999(benchmark::State &state)
{
    TBenchWindow w;
    const std::string copy = Files().Folder + "/gespeichert.mfd";
    std::filesystem::copy_file(Files().Text, copy, std::filesystem::copy_options::overwrite_existing);
    w.Frm.OpenDoc(QString::fromStdString(copy));
    for (auto _ : state) {
        w.Frm.SetIsChanged(true);
        w.Frm.Speichern1Click(w.Frm.Speichern1);
    }
}

void BM_WindowExportRaf100000(benchmark::State &state)
{
    TBenchWindow w;
    w.Frm.OpenDoc(QString::fromStdString(Files().Raf));
    w.Seam->SaveName = QString::fromStdString(Files().Folder + "/mirola-export.raf");
    for (auto _ : state)
        w.Frm.Exportieren1Click(w.Frm.Exportieren1);
}

BENCHMARK(BM_WindowOpenText9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowOpenRaf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowSaveText9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowExportRaf100000)->Unit(benchmark::kMillisecond);

}  // namespace
