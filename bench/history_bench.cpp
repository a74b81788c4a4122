// The question check and the document's history on large files: the check beside
// loading the same file, and one edit stored, undone and redone in the window.
#include <benchmark/benchmark.h>

#include "benchseam.h"
#include "editfield.h"
#include "fixturefiles.h"
#include "kelmorfrm.h"
#include "questioncheck.h"

namespace {

void BM_CheckQuestionsRaf100000(benchmark::State &state)
{
    TMirolaFile doc;
    doc.LoadFromFile(Files().Raf);
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckQuestions(doc));
    state.counters["records"] = doc.Count();
}

// An edit typed, stored by moving to the next record (a step), undone and redone: what
// an author waits for, with a 100000-record document behind it.
void BM_WindowEditUndoRedoRaf100000(benchmark::State &state)
{
    auto *seam = new TBenchSeam;
    TKelmorFrm frm{std::unique_ptr<TPlatformSeam>(seam)};
    frm.FormCreate({});
    frm.OpenDoc(QString::fromStdString(Files().Raf));
    int i = 0;
    for (auto _ : state) {
        frm.Question2->setText(QStringLiteral("Änderung %1").arg(++i));
        frm.DataControlClick(frm.Nchster1);
        frm.Rckgngig1Click(frm.Rckgngig1);
        frm.Wiederherstellen1Click(frm.Wiederherstellen1);
    }
}

}  // namespace

BENCHMARK(BM_CheckQuestionsRaf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowEditUndoRedoRaf100000)->Unit(benchmark::kMicrosecond);
