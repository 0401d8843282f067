// Load and save figures of the document engine on generated documents of 1 and 10 MB, and on one
// of 500,000 short paragraphs (argument 0), where what a paragraph costs outweighs its text.
#include "bench/RtfGenerator.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {
QByteArray shortParagraphs()
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
    for (int i = 0; i < 500'000; ++i)
        rtf += "line " + QByteArray::number(i) + "\\par\n";
    return rtf + '}';
}

const QByteArray& document(qsizetype megabytes)
{
    static QByteArray one = RtfGenerator::generate(1 << 20);
    static QByteArray ten = RtfGenerator::generate(10 << 20);
    static QByteArray paragraphs = shortParagraphs();
    return megabytes == 0 ? paragraphs : megabytes == 1 ? one : ten;
}

void readText(benchmark::State& state)
{
    const QByteArray& rtf = document(state.range(0));
    for (auto _ : state) {
        QString text;
        RtfReader::readText(rtf, text);
        benchmark::DoNotOptimize(text.size());
    }
    state.SetBytesProcessed(qint64(state.iterations()) * rtf.size());
}

void loadDocument(benchmark::State& state)
{
    const QByteArray& rtf = document(state.range(0));
    for (auto _ : state) {
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.SetBytesProcessed(qint64(state.iterations()) * rtf.size());
}

void saveDocument(benchmark::State& state)
{
    QTextDocument doc;
    RtfReader::read(document(state.range(0)), doc);
    qint64 written = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        RtfWriter::write(doc, buffer);
        written += buffer.size();
    }
    state.SetBytesProcessed(written);
}
} // namespace

BENCHMARK(readText)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(loadDocument)->Arg(0)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(saveDocument)->Arg(0)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv); // documents measure text with fonts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
