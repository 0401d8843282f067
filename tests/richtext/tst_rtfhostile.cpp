// Hostile input: every file loads or is refused, with the text that is there; nothing a file
// holds can drive recursion, allocation or numbers out of bounds. (Time and memory are
// measured by bench/hostile-inputs.sh, not here.)
#include "richtext/DocumentFormat.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/RtfWriterSink.h"

#include <QBuffer>
#include <QDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

class TestRtfHostile : public QObject {
    Q_OBJECT

private slots:
    void loads_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");

        const int million = 1000000;
        QTest::newRow("a million nested groups")
            << "{\\rtf1 " + QByteArray(million, '{') + "deep" + QByteArray(million, '}') + " end}"
            << QStringLiteral("deep end");
        QTest::newRow("a million groups never closed")
            << "{\\rtf1 a" + QByteArray(million, '{') + "b" << QStringLiteral("ab");
        QTest::newRow("a million closing braces")
            << "{\\rtf1 a}" + QByteArray(million, '}') << QStringLiteral("a");
        QByteArray styledDepth = "{\\rtf1 ";
        for (int i = 0; i < 20000; ++i)
            styledDepth += "{\\b\\i\\fs" + QByteArray::number(i % 90 + 10) + ' ';
        styledDepth += 'x' + QByteArray(20000, '}') + 'y';
        QTest::newRow("formatting in every one of 20000 groups") << styledDepth << QStringLiteral("xy");

        QByteArray fonts = "{\\rtf1{\\fonttbl";
        for (int i = 0; i < 50000; ++i)
            fonts += "{\\f" + QByteArray::number(i * 7) + "\\fcharset" + QByteArray::number(i % 256) +
                     " Face" + QByteArray::number(i) + ";}";
        fonts += "}\\f349993 last \\f2147483647 unknown}";
        QTest::newRow("50000 fonts") << fonts << QStringLiteral("last unknown");

        QTest::newRow("bin longer than the data")
            << QByteArray("{\\rtf1 a\\bin2147483647 bcd}") << QStringLiteral("a");
        QTest::newRow("bin beyond int")
            << QByteArray("{\\rtf1 a\\bin99999999999999999999 bcd}") << QStringLiteral("a");
        QTest::newRow("negative bin skips nothing")
            << QByteArray("{\\rtf1 a\\bin-5 b}") << QStringLiteral("ab");
        QTest::newRow("10000-letter control word")
            << "{\\rtf1 a\\" + QByteArray(10000, 'A') + "1 b}" << QStringLiteral("ab");
        QTest::newRow("10000-letter destination after a star")
            << "{\\rtf1 a{\\*\\" + QByteArray(10000, 'z') + " hidden}b}" << QStringLiteral("ab");
        QTest::newRow("10000-letter font name")
            << "{\\rtf1{\\fonttbl{\\f0 " + QByteArray(10000, 'N') + ";}}\\f0 hello}"
            << QStringLiteral("hello");
        QTest::newRow("a million-digit number")
            << "{\\rtf1\\fs" + QByteArray(million, '9') + " x}" << QStringLiteral("x");
        QTest::newRow("saturated unicode values give nothing but skip their fallback")
            << QByteArray("{\\rtf1 \\u99999999999 ?a\\u-99999999999 ?b\\u0 ?c\\u65535 ?d}")
            << QString::fromUtf8("abc\uFFFFd");
        QTest::newRow("huge uc is bounded by the group")
            << QByteArray("{\\rtf1{\\uc2147483647\\u233 aaaa}b}") << QString::fromUtf8("éb");
        QTest::newRow("colour index beyond the table")
            << QByteArray("{\\rtf1{\\colortbl;\\red1;}\\cf2147483647 x\\cf-3 y}") << QStringLiteral("xy");
        QTest::newRow("colour components out of range")
            << QByteArray("{\\rtf1{\\colortbl;\\red-5\\green99999\\blue2147483647;}\\cf1 x}")
            << QStringLiteral("x");
        QTest::newRow("embedded object stays inert")
            << QByteArray(
                   "{\\rtf1 a{\\object\\objemb{\\*\\objclass Package}{\\*\\objdata 01050000{\\bin4 \\\\}{}0}"
                   "{\\result b}}c}")
            << QStringLiteral("abc");
        QTest::newRow("backslash at the very end") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a");
        QTest::newRow("hex escape cut short") << QByteArray("{\\rtf1 a\\'4") << QStringLiteral("a");
        QTest::newRow("unicode cut short") << QByteArray("{\\rtf1 a\\u") << QStringLiteral("a");
        QTest::newRow("NUL bytes in text")
            << QByteArray("{\\rtf1 a\0b}", 10) << QString::fromLatin1("a\0b", 3);
    }

    void loads()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QString text;
        QVERIFY(RtfReader::readText(rtf, text));
        QCOMPARE(text, expected);
        compareWrittenStraight(rtf);
    }

    void saturatedFormatsStayInRange()
    {
        QTextDocument document;
        QVERIFY(RtfReader::read(
            QByteArray("{\\rtf1\\fs99999999999\\li-99999999999\\fi99999999999\\ri99999999999 x}"), document));
        const QTextBlockFormat block = document.begin().blockFormat();
        const int first = block.intProperty(DocumentFormat::FirstIndentTwips);
        const int offset = block.intProperty(DocumentFormat::LeftOffsetTwips);
        QCOMPARE(first + offset, -(1 << 24)); // the left indent, bounded
        QCOMPARE(block.intProperty(DocumentFormat::RightIndentTwips), 1 << 24);
        const QTextCharFormat format = document.begin().begin().fragment().charFormat();
        QVERIFY(DocumentFormat::sizeTwips(format) > 0 && DocumentFormat::sizeTwips(format) <= 32760);
    }

    // Any prefix of a real document loads: the reader never relies on the rest being there.
    void everyTruncationLoads()
    {
        const QByteArray rtf = richDocument();
        for (qsizetype length = 6; length <= rtf.size(); ++length) {
            QTextDocument document;
            QVERIFY2(RtfReader::read(rtf.first(length), document), qPrintable(QString::number(length)));
        }
    }

    // Inputs that once broke a reader (found by fuzzing or taken from crash reports): each loads.
    void fixtures_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(LUMARO_TEST_DATA "/hostile"));
        for (const QString& name : dir.entryList(QDir::Files))
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }

    void fixtures()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        QTextDocument document;
        QCOMPARE(RtfReader::read(data, document), RtfReader::looksLikeRtf(data));
        QString text;
        QCOMPARE(RtfReader::readText(data, text), RtfReader::looksLikeRtf(data));
        compareWrittenStraight(data);
    }

    // A file is read a block at a time: whatever a block's end cuts (a control word, its number,
    // a hex escape, the data of \bin), the document and the text are the ones its bytes give
    // read whole.
    void readInBlocksAsWhole_data()
    {
        loads_data();
        QTest::newRow("text after the outer group") << QByteArray("{\\rtf1 a}b}c") << QString();
        QTest::newRow("blanks before RTF") << QByteArray(10000, ' ') + "{\\rtf1 x}" << QString();
        QTest::newRow("blanks before text") << QByteArray(10000, ' ') + "{\\rt x}" << QString();
        QTest::newRow("start of RTF at the end") << QByteArray(4094, ' ') + "{\\rt" << QString();
        QTest::newRow("a document") << richDocument() << QString();
    }

    void readInBlocksAsWhole()
    {
        QFETCH(QByteArray, rtf);
        QTextDocument whole;
        const bool rich = RtfReader::read(rtf, whole);
        QString wholeText;
        RtfReader::readText(rtf, wholeText);
        for (const qsizetype blockSize : {1, 7, 4096}) {
            QBuffer buffer(&rtf);
            QVERIFY(buffer.open(QIODevice::ReadOnly));
            QTextDocument blocks;
            QCOMPARE(RtfReader::read(buffer, blocks, nullptr, blockSize), rich);
            QVERIFY(buffer.seek(0));
            QString text;
            QCOMPARE(RtfReader::readText(buffer, text, blockSize), rich);
            if (rich) {
                QCOMPARE(blocks.toPlainText(), whole.toPlainText());
                QCOMPARE(RtfWriter::toRtf(blocks), RtfWriter::toRtf(whole));
                QCOMPARE(text, wholeText);
            }
        }
    }

private:
    // RTF written straight from the reader is the RTF saving the document gives.
    static void compareWrittenStraight(const QByteArray& rtf)
    {
        QTextDocument document;
        if (!RtfReader::read(rtf, document))
            return;
        RtfWriterSink sink(RtfEmitter::defaultFace(document.defaultFont()));
        QVERIFY(RtfReader::parse(rtf, sink));
        if (sink.complete())
            QCOMPARE(sink.takeRtf(), RtfWriter::toRtf(document));
    }

    // Formats, a list, code pages, \u with its fallback, a field, a picture's binary data.
    static QByteArray richDocument()
    {
        QTextDocument source;
        QTextCursor cursor(&source);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        bold.setForeground(Qt::red);
        cursor.insertText(QString::fromUtf8("Ünïcödé {braces} \\ 日本 😀\t"), bold);
        cursor.insertBlock();
        cursor.createList(QTextListFormat::ListDisc);
        cursor.insertText(QStringLiteral("bullet"));
        return RtfWriter::toRtf(source) +
               "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt y}}{\\pict\\bin4 {}\\}\\u-10179?\\'8";
    }
};

QTEST_MAIN(TestRtfHostile)
#include "tst_rtfhostile.moc"
