// Finding text in the 100000-record file through the editor window, as the user waits
// for it: a search for a text that is in no record, a step of Find next to the next
// record, and one that crosses the whole file; beside grep counting the same text in
// the records' texts written to a file.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QRadioButton>
#include <fstream>

#include "benchseam.h"
#include "finddialog.h"
#include "fixturefiles.h"
#include "kelmorfrm.h"
#include "mirolafile.h"

namespace {

const QString Missing = QStringLiteral("Zwetschgendatschi");

struct TSearchWindow {
    TBenchSeam *Seam;
    TKelmorFrm Frm;

    // The search form gets one text, every area, forward from the first record.
    explicit TSearchWindow(const QString &text) : Seam(new TBenchSeam), Frm(std::unique_ptr<TPlatformSeam>(Seam))
    {
        Seam->Dialogs = [text](QDialog &dialog) {
            auto &form = static_cast<TFindDialog &>(dialog);
            form.SuchTextComboBox->setEditText(text);
            form.AnfangRadioButton->setChecked(true);
            return int(QDialog::Accepted);
        };
        Frm.FormCreate({});
        Frm.OpenDoc(QString::fromStdString(Files().Raf));
    }
};

void BM_FindMissingText100000(benchmark::State &state)
{
    TSearchWindow w(Missing);
    for (auto _ : state)
        w.Frm.Suchen1Click(w.Frm.Suchen1);
    if (w.Seam->Messages != state.iterations())
        state.SkipWithError("the text was found");
}

// Every record holds the text once, so each step goes to the next record.
void BM_FindNextToTheNextRecord(benchmark::State &state)
{
    TSearchWindow w(QStringLiteral("NUMMER"));
    w.Frm.Suchen1Click(w.Frm.Suchen1);
    for (auto _ : state)
        w.Frm.Weitersuchen1Click(w.Frm.Weitersuchen1);
    if (w.Seam->Messages != 0)
        state.SkipWithError("ran past the last record");
}

// Only the last record holds the text: from the first record Find next reads them all.
void BM_FindNextAcrossTheFile(benchmark::State &state)
{
    TSearchWindow w(QStringLiteral("nummer 99999 mit"));
    w.Frm.Suchen1Click(w.Frm.Suchen1);
    for (auto _ : state) {
        state.PauseTiming();
        w.Frm.DataControlClick(w.Frm.Erster1);
        state.ResumeTiming();
        w.Frm.Weitersuchen1Click(w.Frm.Weitersuchen1);
    }
    if (w.Seam->Messages != 0 || w.Frm.QFile->Index != 99999)
        state.SkipWithError("the last record was not reached");
}

// The text format holds at most 9999 records, so grep reads the texts of the
// 100000 records one to a line, as the search reads them.
void BM_GrepMissingText100000(benchmark::State &state)
{
    static const std::string lines = [] {
        TMirolaFile doc;
        doc.LoadFromFile(Files().Raf);
        const std::string path = Files().Folder + "/texte.txt";
        std::ofstream out(path, std::ios::binary);
        for (const TMirolaDatensatz &rec : doc.Data) {
            for (const auto &line : rec.Question)
                out << line.view() << '\n';
            out << rec.Comment.view() << '\n';
            for (const auto &answer : rec.Answers)
                out << answer.view() << '\n';
        }
        return path;
    }();
    for (auto _ : state)
        RunCommand("grep -ci '" + Missing.toStdString() + "' '" + lines + "' > /dev/null || true");
}

BENCHMARK(BM_FindMissingText100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNextToTheNextRecord)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindNextAcrossTheFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrepMissingText100000)->Unit(benchmark::kMillisecond);

}  // namespace
