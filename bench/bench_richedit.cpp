// Figures of the rich-text control on generated documents of 1 and 10 MB: opening a file as the
// window does, taking over a loaded document, Select All and Bold or Bullets, Copy and Paste of
// everything, a key typed in the middle, and what the main window asks at every keystroke (the
// caret's display line and the first character of that line) at the start and at the end of a
// large document.
#include "bench/RtfGenerator.h"
#include "richtext/DocumentLoader.h"
#include "richtext/LazyDocumentLayout.h"
#include "richtext/RtfReader.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"
#include "richtext/TTextAttributes.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <QFile>

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
    // Every paragraph measured, as after the idle-time pass has run.
    qobject_cast<LazyDocumentLayout*>(document->documentLayout())->measureThrough(document->lastBlock());
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

QString fileOf(qsizetype megabytes)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("doc-%1mb.rtf").arg(megabytes));
    if (!QFile::exists(path)) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(rtfOf(megabytes));
    }
    return path;
}

// Opening a file as the window does: read on a thread of its own, taken over and shown. The
// counters split the time into the read (on its thread) and taking it over up to the first paint.
void openAndShow(benchmark::State& state)
{
    const QString path = fileOf(state.range(0));
    TCustomRichEdit edit;
    edit.resize(728, 443);
    edit.show();
    DocumentLoader loader;
    double readMs = 0, showMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QEventLoop loop;
        QObject::connect(&loader, &DocumentLoader::finished, &loop, &QEventLoop::quit);
        loader.start(path, edit.defaultCharFormat());
        loop.exec();
        readMs += clock.nsecsElapsed() / 1e6;
        clock.restart();
        DocumentLoader::Result result = loader.takeResult();
        edit.lines()->adopt(std::move(result.document), result.kind, result.textFormat);
        edit.viewport()->repaint();
        showMs += clock.nsecsElapsed() / 1e6;
    }
    state.counters["read_ms"] = benchmark::Counter(readMs, benchmark::Counter::kAvgIterations);
    state.counters["show_ms"] = benchmark::Counter(showMs, benchmark::Counter::kAvgIterations);
}

// Undoes the measured edit outside the timing, for the next round; gives the undo's milliseconds.
double undoUntimed(benchmark::State& state, TCustomRichEdit& edit)
{
    state.PauseTiming();
    QElapsedTimer undo;
    undo.start();
    edit.Undo();
    const double undoMs = double(undo.elapsed());
    edit.setSelStart(0);
    QApplication::processEvents();
    state.ResumeTiming();
    return undoMs;
}

// Select All, then Bold on everything, as the Bold box does it, and the repaint after it.
void selectAllAndBold(benchmark::State& state)
{
    const auto edit = loadedControl(state.range(0));
    for (auto _ : state) {
        edit->SelectAll();
        edit->selectionAttributes()->setStyle(TFont::fsBold);
        edit->viewport()->repaint();
        undoUntimed(state, *edit);
    }
}

// Select All, then Bullets on every paragraph, as the Bullets button does it, and the repaint.
void selectAllAndBullets(benchmark::State& state)
{
    const auto edit = loadedControl(state.range(0));
    state.counters["paragraphs"] = edit->document()->blockCount();
    for (auto _ : state) {
        edit->SelectAll();
        edit->setParagraphsBulleted(true);
        edit->viewport()->repaint();
        state.counters["undo_ms"] = undoUntimed(state, *edit);
    }
}

// Select All, Copy, then Paste at the end (the whole document once more), and the repaint.
void copyAllAndPaste(benchmark::State& state)
{
    const auto edit = loadedControl(state.range(0));
    for (auto _ : state) {
        QElapsedTimer copy;
        copy.start();
        edit->SelectAll();
        edit->CopyToClipboard();
        state.counters["copy_ms"] = double(copy.elapsed());
        edit->setSelStart(edit->textLength());
        edit->PasteFromClipboard();
        edit->viewport()->repaint();
        undoUntimed(state, *edit);
    }
}

// A key typed in the middle of a document just opened, with the repaint it causes.
void typedKeyInTheMiddle(benchmark::State& state)
{
    const auto edit = loadedControl(state.range(0));
    edit->setSelStart(edit->textLength() / 2);
    edit->ensureCursorVisible();
    edit->viewport()->repaint();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(edit.get(), &press);
        edit->viewport()->repaint();
    }
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
BENCHMARK(openAndShow)->Arg(1)->Arg(10)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(selectAllAndBold)->Arg(10)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(selectAllAndBullets)->Arg(1)->Arg(10)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(copyAllAndPaste)->Arg(1)->Arg(10)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(typedKeyInTheMiddle)->Arg(10)->Unit(benchmark::kMillisecond);
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
