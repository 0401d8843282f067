// Figures of the recovery copy on generated documents of 1 and 10 MB. The editor's thread only
// takes the snapshot, a slice at a time between events: "longest_slice_ms" is the most processor
// time any one slice took (the thread's own clock, so that a busy machine does not count),
// "snapshot" the whole copy. The worker thread then writes the RTF from it. A QTextDocument clone, the obvious snapshot, is timed beside it: it holds
// the editor's thread for its whole duration.
#include "bench/RtfGenerator.h"
#include "richtext/DocumentSnapshot.h"
#include "richtext/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>
#include <ctime>
#include <memory>

namespace {
// The time the editor gives one slice before it handles events again.
constexpr int SliceMilliseconds = 6;

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

const QTextDocument& documentOf(qsizetype megabytes)
{
    static const auto load = [](qsizetype size) {
        auto* document = new QTextDocument;
        RtfReader::read(RtfGenerator::generate(size << 20), *document);
        return document;
    };
    static const QTextDocument* one = load(1);
    static const QTextDocument* ten = load(10);
    return megabytes == 1 ? *one : *ten;
}

void snapshotInSlices(benchmark::State& state)
{
    const QTextDocument& document = documentOf(state.range(0));
    double longestSlice = 0;
    int slices = 0;
    for (auto _ : state) {
        DocumentSnapshot snapshot(document);
        bool complete = false;
        slices = 0;
        while (!complete) {
            const double start = threadMilliseconds();
            complete = snapshot.copyMore(QDeadlineTimer(SliceMilliseconds));
            longestSlice = qMax(longestSlice, threadMilliseconds() - start);
            ++slices;
        }
    }
    state.counters["longest_slice_ms"] = longestSlice;
    state.counters["slices"] = slices;
}

void writeOnTheWorker(benchmark::State& state)
{
    DocumentSnapshot snapshot(documentOf(state.range(0)));
    snapshot.copyMore(QDeadlineTimer::Forever);
    const std::atomic_bool cancelled = false;
    for (auto _ : state) {
        // A snapshot is built once.
        state.PauseTiming();
        DocumentSnapshot fresh = snapshot;
        state.ResumeTiming();
        benchmark::DoNotOptimize(fresh.toRtf(QTextCharFormat(), cancelled));
    }
}

void cloneForComparison(benchmark::State& state)
{
    const QTextDocument& document = documentOf(state.range(0));
    for (auto _ : state)
        delete document.clone();
}
} // namespace

BENCHMARK(snapshotInSlices)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(writeOnTheWorker)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(cloneForComparison)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
