// Figures of the rich-text control on generated documents of 1 and 10 MB: taking over a loaded
// document, and what the main window asks at every keystroke (the caret's display line and the
// first character of that line) at the start and at the end of a large document. An edit near
// the start costs what Qt's document layout needs to move every following paragraph down; a bare
// QTextDocument takes the same time.
#include "bench/RtfGenerator.h"
#include "richtext/RtfReader.h"
#include "richtext/TCustomRichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>
#include <memory>

namespace {
const QByteArray& rtfOf(qsizetype megabytes)
{
    static QByteArray one = RtfGenerator::generate(1 << 20);
    static QByteArray ten = RtfGenerator::generate(10 << 20);
    return megabytes == 1 ? one : ten;
}

std::unique_ptr<TCustomRichEdit> loadedControl(qsizetype megabytes)
{
    auto edit = std::make_unique<TCustomRichEdit>();
    edit->resize(728, 443);
    edit->show();
    auto* document = new QTextDocument;
    RtfReader::read(rtfOf(megabytes), *document);
    edit->replaceDocument(document);
    // Everything laid out, as after the idle-time layout has run.
    document->documentLayout()->blockBoundingRect(document->lastBlock());
    return edit;
}

// The control's own share of a load: the engine's document is built outside the timing.
void takeLoadedDocument(benchmark::State& state)
{
    TCustomRichEdit edit;
    edit.resize(728, 443);
    edit.show();
    for (auto _ : state) {
        state.PauseTiming();
        auto* document = new QTextDocument;
        RtfReader::read(rtfOf(state.range(0)), *document);
        state.ResumeTiming();
        edit.replaceDocument(document);
        QApplication::processEvents();
    }
}

void keystroke(benchmark::State& state, bool atEnd)
{
    const auto edit = loadedControl(state.range(0));
    edit->lineFromChar(edit->textLength()); // line counts known, as after the first caret move
    const int position = atEnd ? edit->textLength() : 10;
    for (auto _ : state) {
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(atEnd ? edit->textLength() : position);
        cursor.insertText(QStringLiteral("x"));
        edit->setTextCursor(cursor);
        const int line = edit->lineFromChar(edit->selStart());
        benchmark::DoNotOptimize(edit->lineIndex(line));
    }
}

void keystrokeAtStart(benchmark::State& state)
{
    keystroke(state, false);
}

void keystrokeAtEnd(benchmark::State& state)
{
    keystroke(state, true);
}

// The caret moved from the start to the end of a document whose lines were all counted.
void caretLineAfterJump(benchmark::State& state)
{
    const auto edit = loadedControl(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(edit->lineFromChar(0));
        benchmark::DoNotOptimize(edit->lineIndex(edit->lineFromChar(edit->textLength())));
    }
}
} // namespace

BENCHMARK(takeLoadedDocument)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(keystrokeAtStart)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(keystrokeAtEnd)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(caretLineAfterJump)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
