// The editor's document layout: paragraphs are laid out only when they are shown or asked for,
// exactly as Qt's own layout lays them out; estimated heights become exact in idle time while the
// text in view stays where it is; pages break where Qt's layout breaks them.

#include "richtext/BlockHeights.h"
#include "richtext/LazyDocumentLayout.h"
#include "richtext/ParagraphLines.h"
#include "richtext/RtfReader.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TTextAttributes.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <memory>

namespace {
// Where a line of a paragraph lies: its text and its place in the document.
struct LinePlace {
    int block;
    int start;
    int length;
    QPointF position;
    bool operator==(const LinePlace&) const = default;
};

char* toString(const LinePlace& line)
{
    return qstrdup(QStringLiteral("block %1 [%2+%3] at (%4, %5)")
                       .arg(line.block)
                       .arg(line.start)
                       .arg(line.length)
                       .arg(line.position.x())
                       .arg(line.position.y())
                       .toUtf8());
}

QByteArray sourceFile(const QString& path)
{
    QFile file(QDir(qEnvironmentVariable("LUMARO_SOURCE_DIR")).filePath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Words in runs of sizes and styles, a word longer than any line, tabs, every alignment and an
// empty paragraph: what line breaking has to get right.
QByteArray mixedRtf()
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}\\f0\\fs24 ";
    const char* alignments[] = {"", "\\qc", "\\qr", "\\qj"};
    for (int i = 0; i < 24; ++i) {
        rtf += "\\pard" + QByteArray(alignments[i % 4]) + "\\li" + QByteArray::number(i * 40 % 600) + "\\fi" +
               QByteArray::number(i % 3 == 0 ? -200 : 150) + " ";
        for (int word = 0; word < 12 + i * 3; ++word)
            rtf += word % 7 == 3 ? "{\\b\\fs36 bold} " : word % 5 == 1 ? "{\\f1\\i\\fs18 small\\tab italic} " : "words ";
        if (i == 5)
            rtf += "Supercalifragilisticexpialidocious-and-longer-than-any-line-at-all-whatsoever ";
        rtf += "\\par\n";
        if (i == 9)
            rtf += "\\pard\\par\n";
    }
    return rtf + "}";
}

std::unique_ptr<QTextDocument> read(const QByteArray& rtf)
{
    auto document = std::make_unique<QTextDocument>();
    if (!RtfReader::read(rtf, *document))
        return nullptr;
    document->setDocumentMargin(0);
    return document;
}

// Qt's own layout of a copy of document: every line's place, paragraph after paragraph.
QList<LinePlace> qtLines(const QTextDocument& document, qreal width, qreal pageHeight = -1)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setDocumentMargin(0);
    copy->setPageSize(QSizeF(width, pageHeight));
    copy->documentLayout()->documentSize(); // lays everything out
    QList<LinePlace> lines;
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.append({block.blockNumber(), line.textStart(), line.textLength(), layout->position() + line.position()});
        }
    }
    return lines;
}

QList<LinePlace> linesOf(const QTextDocument& document, QAbstractTextDocumentLayout& layout)
{
    QList<LinePlace> lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QPointF top = layout.blockBoundingRect(block).topLeft();
        const QTextLayout* text = block.layout();
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            lines.append({block.blockNumber(), line.textStart(), line.textLength(), top + line.position()});
        }
    }
    return lines;
}

// count paragraphs of a few lines each at the editor's usual width.
QByteArray longRtf(int count)
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
    for (int i = 0; i < count; ++i) {
        rtf += "Paragraph " + QByteArray::number(i) + " ";
        for (int word = 0; word < 10 + i % 40; ++word)
            rtf += i % 9 == 4 ? "{\\fs32 large} " : "several words ";
        rtf += "\\par\n";
    }
    return rtf + "end}";
}

void showWith(TCustomRichEdit& edit, std::unique_ptr<QTextDocument> document)
{
    edit.resize(500, 300);
    edit.replaceDocument(document.release());
    edit.show();
}

LazyDocumentLayout& layoutOf(const TCustomRichEdit& edit)
{
    return *qobject_cast<LazyDocumentLayout*>(edit.document()->documentLayout());
}
} // namespace

class TestDocumentLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void linesFallWhereQtsLayoutPutsThem_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<qreal>("width");
        for (const char* name : {"bullets", "fonts", "indents", "tabs-360", "tabs-1134", "tabs-default", "wordlists"}) {
            const QByteArray rtf = sourceFile(QStringLiteral("bench/layout/%1.rtf").arg(QLatin1String(name)));
            QTest::newRow(name) << rtf << qreal(700);
        }
        QTest::newRow("mixed, wide") << mixedRtf() << qreal(640);
        QTest::newRow("mixed, narrow") << mixedRtf() << qreal(230);
    }

    void linesFallWhereQtsLayoutPutsThem()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(qreal, width);
        const std::unique_ptr<QTextDocument> document = read(rtf);
        QVERIFY(document);
        const QList<LinePlace> expected = qtLines(*document, width);
        auto* layout = new LazyDocumentLayout(document.get());
        document->setDocumentLayout(layout);
        document->setPageSize(QSizeF(width, -1));
        QCOMPARE(linesOf(*document, *layout), expected);
        // Measuring alone (no lines kept) gives the same heights.
        auto* measured = new LazyDocumentLayout(document.get());
        document->setDocumentLayout(measured);
        measured->measureThrough(document->lastBlock());
        std::unique_ptr<QTextDocument> copy(document->clone());
        copy->setDocumentMargin(0);
        copy->setPageSize(QSizeF(width, -1));
        QCOMPARE(measured->documentSize().height(), copy->documentLayout()->documentSize().height());
    }

    void pagesBreakWhereQtsLayoutBreaksThem_data()
    {
        QTest::addColumn<qreal>("pageHeight");
        QTest::newRow("short pages") << qreal(90);
        QTest::newRow("a page a line is taller than") << qreal(20);
        QTest::newRow("long pages") << qreal(400);
    }

    void pagesBreakWhereQtsLayoutBreaksThem()
    {
        QFETCH(qreal, pageHeight);
        const std::unique_ptr<QTextDocument> document = read(mixedRtf());
        const QList<LinePlace> expected = qtLines(*document, 300, pageHeight);
        // As when printing, the document has a layout: empty paragraphs take their height from it.
        document->setDocumentLayout(new LazyDocumentLayout(document.get()));
        document->setPageSize(QSizeF(300, pageHeight));
        QList<LinePlace> lines;
        ParagraphLines::Area area;
        area.width = 300;
        area.pageHeight = pageHeight;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            QTextLayout layout(block);
            const qreal height = ParagraphLines::layOut(block, block.blockFormat(), layout, area);
            for (int i = 0; i < layout.lineCount(); ++i) {
                const QTextLine line = layout.lineAt(i);
                lines.append({block.blockNumber(), line.textStart(), line.textLength(), QPointF(0, area.top) + line.position()});
            }
            area.top += height;
        }
        QCOMPARE(lines, expected);
    }

    void onlyWhatIsShownIsLaidOutAndTheRestIsMeasuredInIdleTime()
    {
        TCustomRichEdit edit;
        const std::unique_ptr<QTextDocument> source = read(longRtf(3000));
        showWith(edit, read(longRtf(3000)));
        const LazyDocumentLayout& layout = layoutOf(edit);
        edit.viewport()->grab();
        const QTextDocument& document = *edit.document();
        QVERIFY(layout.isMeasured(document.firstBlock()));
        QVERIFY(!layout.isMeasured(document.findBlockByNumber(1500)));

        // The end is laid out when the caret goes there, and shown.
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTest::keyClick(&edit, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(layout.isMeasured(document.lastBlock()));
        const QRect caret = edit.cursorRect();
        QVERIFY(edit.viewport()->rect().contains(caret));

        // Measuring every paragraph in idle time makes the lines exact and keeps the caret in place.
        QTRY_VERIFY_WITH_TIMEOUT(layout.allMeasured(), 60000);
        QTRY_COMPARE(edit.cursorRect(), caret);
        const QList<LinePlace> expected = qtLines(*source, edit.document()->pageSize().width());
        QCOMPARE(edit.lineFromChar(edit.textLength()), int(expected.size()) - 1);
        QCOMPARE(edit.lineIndex(int(expected.size()) - 1), edit.document()->lastBlock().position() + expected.last().start);
        QCOMPARE(edit.document()->documentLayout()->documentSize().height(),
                 [&] {
                     std::unique_ptr<QTextDocument> copy(source->clone());
                     copy->setDocumentMargin(0);
                     copy->setPageSize(QSizeF(edit.document()->pageSize().width(), -1));
                     return copy->documentLayout()->documentSize().height();
                 }());
    }

    // Measuring in idle time steps aside while the user types, and goes on once they pause.
    void measuringWaitsWhileTheUserTypes()
    {
        TCustomRichEdit edit;
        showWith(edit, read(longRtf(3000)));
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const LazyDocumentLayout& layout = layoutOf(edit);
        QTest::keyClick(&edit, Qt::Key_X);
        QTextBlock next = edit.document()->firstBlock();
        while (next.isValid() && layout.isMeasured(next))
            next = next.next();
        QVERIFY(next.isValid());
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        QVERIFY(!layout.isMeasured(next));
        QTRY_VERIFY(layout.isMeasured(next));
    }

    // Measuring paragraphs above the view moves the text in view. A click and a key that come
    // before the view has followed still land on the text shown under the pointer, and the caret
    // stays in view.
    void aClickLandsOnTheTextShownWhileMeasuringMovesIt()
    {
        TCustomRichEdit edit;
        showWith(edit, read(longRtf(3000)));
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QScrollBar* bar = edit.verticalScrollBar();
        bar->setValue(bar->maximum() / 2);
        edit.viewport()->grab();
        LazyDocumentLayout& layout = layoutOf(edit);
        layout.tellChanges(); // as the event loop has by the time the user clicks
        const QPoint point = edit.viewport()->rect().center();
        const int shown = edit.cursorForPosition(point).position();
        const QTextBlock target = edit.document()->findBlock(shown);
        const int topBlock = edit.cursorForPosition(QPoint(0, 0)).block().blockNumber();
        const QTextBlock above = edit.document()->findBlockByNumber(topBlock - 100);
        QVERIFY(!layout.isMeasured(above));
        const qreal topBefore = layout.blockBoundingRect(target).top();
        layout.measureThrough(above);
        QVERIFY(layout.blockBoundingRect(target).top() != topBefore);

        QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(edit.textCursor().position(), shown);
        QTest::keyClick(&edit, Qt::Key_X);
        QCOMPARE(edit.document()->findBlock(shown).text().mid(shown - target.position(), 1), QStringLiteral("x"));
        QCoreApplication::processEvents();
        QVERIFY(edit.viewport()->rect().contains(edit.cursorRect()));
    }

    void formattingEverythingLaysOutOnlyWhatIsShown()
    {
        TCustomRichEdit edit;
        showWith(edit, read(longRtf(3000)));
        edit.viewport()->grab();
        edit.SelectAll();
        edit.selectionAttributes()->setStyle(TFont::fsBold);
        edit.viewport()->grab();
        const QTextDocument& document = *edit.document();
        QVERIFY(layoutOf(edit).isMeasured(document.firstBlock()));
        QVERIFY(!layoutOf(edit).isMeasured(document.findBlockByNumber(2000)));
        QTextCursor far(document.findBlockByNumber(2000));
        far.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        QCOMPARE(far.charFormat().fontWeight(), int(QFont::Bold));
        edit.Undo();
        far.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(far.charFormat().fontWeight(), int(QFont::Normal));
    }

    void editsKeepEveryParagraphInPlace_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("a word in a paragraph") << 300 << 0 << QStringLiteral("inserted words ");
        QTest::newRow("a paragraph break") << 420 << 0 << QStringLiteral("\n");
        QTest::newRow("paragraphs inserted") << 100 << 0 << QStringLiteral("one\ntwo\nthree more words\n");
        QTest::newRow("across paragraphs removed") << 200 << 900 << QString();
        QTest::newRow("replaced across paragraphs") << 50 << 600 << QStringLiteral("a\nb");
        QTest::newRow("at the very end") << -1 << 0 << QStringLiteral("\ntail");
    }

    void editsKeepEveryParagraphInPlace()
    {
        QFETCH(int, position);
        QFETCH(int, removed);
        QFETCH(QString, inserted);
        TCustomRichEdit edit;
        showWith(edit, read(longRtf(60)));
        edit.viewport()->grab();
        QTextCursor cursor(edit.document());
        cursor.setPosition(position < 0 ? edit.textLength() : position);
        cursor.setPosition(cursor.position() + removed, QTextCursor::KeepAnchor);
        cursor.insertText(inserted);
        edit.viewport()->grab();
        auto check = [&] {
            const QList<LinePlace> expected = qtLines(*edit.document(), edit.document()->pageSize().width());
            QCOMPARE(linesOf(*edit.document(), *edit.document()->documentLayout()), expected);
        };
        check();
        edit.Undo();
        check();
    }

    void hitsFindThePositionsQtsLayoutFinds()
    {
        const std::unique_ptr<QTextDocument> document = read(mixedRtf());
        std::unique_ptr<QTextDocument> copy(document->clone());
        copy->setDocumentMargin(0);
        copy->setPageSize(QSizeF(320, -1));
        auto* layout = new LazyDocumentLayout(document.get());
        document->setDocumentLayout(layout);
        document->setPageSize(QSizeF(320, -1));
        // Where paragraphs above are only estimated, a point hits what is drawn there, not what
        // Qt's layout would put there.
        layout->measureThrough(document->lastBlock());
        const qreal height = copy->documentLayout()->documentSize().height();
        for (qreal y = 1; y < height; y += 7) {
            for (qreal x = -5; x < 330; x += 23) {
                const QPointF point(x, y);
                QCOMPARE(layout->hitTest(point, Qt::FuzzyHit), copy->documentLayout()->hitTest(point, Qt::FuzzyHit));
            }
        }
        QCOMPARE(layout->hitTest(QPointF(10, height + 50), Qt::FuzzyHit), document->characterCount() - 1);
    }

    // The heights' sums are kept per group of paragraphs: tops and hits must not slip at the
    // groups' edges, with empty paragraphs among them, after changes of one height and of many.
    void heightsAddUpAcrossTheirGroups_data()
    {
        QTest::addColumn<int>("count");
        const int group = int(BlockHeights::GroupSize);
        for (const int count : {1, group - 1, group, group + 1, 3 * group + 5})
            QTest::newRow(qPrintable(QString::number(count))) << count;
    }

    void heightsAddUpAcrossTheirGroups()
    {
        QFETCH(int, count);
        std::vector<float> expected;
        for (int i = 0; i < count; ++i)
            expected.push_back(i % 7 == 3 ? 0.0f : float(15 + (i * 37) % 50) + (i % 3) / 64.0f);
        BlockHeights heights;
        heights.assign(expected);
        auto check = [&] {
            QCOMPARE(heights.count(), int(expected.size()));
            double top = 0;
            for (int i = 0; i < int(expected.size()); ++i) {
                QCOMPARE(heights.top(i), top);
                QCOMPARE(heights.height(i), double(expected[size_t(i)]));
                if (expected[size_t(i)] > 0) {
                    // The last paragraph at a top is the one that holds it (empty ones come first).
                    QCOMPARE(heights.blockAt(top), i);
                    QCOMPARE(heights.blockAt(top + expected[size_t(i)] / 2), i);
                }
                top += expected[size_t(i)];
            }
            QCOMPARE(heights.total(), top);
            QCOMPARE(heights.top(int(expected.size())), top);
            QCOMPARE(heights.blockAt(-10), expected.front() > 0 ? 0 : heights.blockAt(0));
            QCOMPARE(heights.blockAt(top + 10), int(expected.size()) - 1);
        };
        check();
        const int last = count - 1;
        heights.setHeight(last, 99.5);
        expected[size_t(last)] = 99.5f;
        check();
        heights.setHeight(last / 2, 1.0 / 3);
        expected[size_t(last / 2)] = float(1.0 / 3);
        QCOMPARE(heights.height(last / 2), BlockHeights::held(1.0 / 3));
        check();
        const std::vector<float> added{20, 0, 40.25f};
        heights.replace(count / 2, count > 1 ? 1 : 0, added);
        expected.erase(expected.begin() + count / 2, expected.begin() + count / 2 + (count > 1 ? 1 : 0));
        expected.insert(expected.begin() + count / 2, added.begin(), added.end());
        check();
    }
};

QTEST_MAIN(TestDocumentLayout)
#include "tst_documentlayout.moc"
