// The benchmarks run inside an application, as the window needs one; without a
// display they use Qt's offscreen platform. After the table, the figures the program
// is held to stand beside what they are compared with, measured in this same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

struct TTarget {
    const char *What;
    const char *Measured;
    const char *Comparison;
    const char *ComparedWith;
    double Limit;  // 0: printed for comparison, held to no target
};

// Opening a file in the window is timed from the command to the shown record.
constexpr TTarget kTargets[] = {
    {"Open in the window, 100000-record RAF file", "BM_WindowOpenRaf100000", "BM_CatRaf100000", "cat of the file", 2.0},
    {"Open in the window, 9999-record text file", "BM_WindowOpenText9999", "BM_CatText9999", "cat of the file", 0.0},
};

// Keeps each benchmark's mean real time in milliseconds, as the table shows it.
class TTargetReporter : public benchmark::ConsoleReporter {
public:
    // Without colours, whose codes would run into the lines printed after the table.
    TTargetReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                Times[run.benchmark_name()] = run.GetAdjustedRealTime() *
                                              benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                                              benchmark::GetTimeUnitMultiplier(run.time_unit);
    }

    void PrintTargets() const
    {
        for (const TTarget &target : kTargets) {
            const auto measured = Times.find(target.Measured);
            const auto comparison = Times.find(target.Comparison);
            if (measured == Times.end() || comparison == Times.end())
                continue;
            const double ratio = measured->second / comparison->second;
            std::printf("%-45s %8.1f ms = %4.2fx %s (%.1f ms)", target.What, measured->second, ratio,
                        target.ComparedWith, comparison->second);
            if (target.Limit > 0)
                std::printf(", target at most %.1fx: %s", target.Limit, ratio <= target.Limit ? "met" : "MISSED");
            std::printf("\n");
        }
    }

private:
    std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char **argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The files the window opens would join the user's own recent files.
    const QTemporaryDir settings;
    if (settings.isValid())
        ::setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TTargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTargets();
    benchmark::Shutdown();
    return 0;
}
