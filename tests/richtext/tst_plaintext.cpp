// Plain text: line-break rules, encodings and NUL bytes, whatever the size of the file.
#include "richtext/DocumentFormat.h"
#include "richtext/PlainTextReader.h"
#include "richtext/PlainTextWriter.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

class TestPlainText : public QObject {
    Q_OBJECT

private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringLiteral("a\nb\n");
        QTest::newRow("lone LF") << QByteArray("a\nb\n\nc") << QStringLiteral("a\nb\n\nc");
        QTest::newRow("lone CR") << QByteArray("a\rb\r\rc") << QStringLiteral("a\nb\n\nc");
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringLiteral("a\n\nb");
        QTest::newRow("mixed") << QByteArray("a\r\nb\rc\nd") << QStringLiteral("a\nb\nc\nd");
        QTest::newRow("CR at the very end") << QByteArray("a\r") << QStringLiteral("a\n");
        QTest::newRow("NUL costs only itself")
            << QByteArray("ab\0cd\r\0\nef", 11) << QStringLiteral("abcd\nef");
        QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9 \xE2\x82\xAC") << QString::fromUtf8("café €");
        QTest::newRow("UTF-8 with a byte-order mark")
            << QByteArray("\xEF\xBB\xBFh\xC3\xA9") << QString::fromUtf8("hé");
        QTest::newRow("invalid UTF-8 reads as Windows-1252")
            << QByteArray("caf\xE9 \x93q\x94 \x80") << QString::fromUtf8("café “q” €");
        QTest::newRow("UTF-8 but for a bad byte: the byte alone reads as 1252")
            << QByteArray("\xF0\x9F\x98\x80 and \xE9") << QString::fromUtf8("😀 and é");
        QTest::newRow("more bad bytes than good sequences: 1252")
            << QByteArray("\xC3\xA9 \xE9 \xE8") << QString::fromUtf8("Ã© é è");
        QTest::newRow("UTF-8 with a byte-order mark keeps bad bytes alone")
            << QByteArray("\xEF\xBB\xBF\xE9t\xE9") << QString::fromUtf8("été");
        QTest::newRow("UTF-16 little endian") << QByteArray("\xFF\xFEG\0\xFC\0\r\0\n\0=\xD8\0\xDE", 14)
                                              << QString::fromUtf8("Gü\n😀");
        QTest::newRow("UTF-16 big endian") << QByteArray("\xFE\xFF\0G\0\xFC\0\n", 8) << QString::fromUtf8("Gü\n");
        QTest::newRow("UTF-16 drops a NUL character") << QByteArray("\xFF\xFE" "a\0\0\0b\0", 8) << QStringLiteral("ab");
        QTest::newRow("1252 bytes it leaves undefined")
            << QByteArray("\x81\x8D") << QString::fromUtf8("\u0081\u008D");
        QTest::newRow("empty") << QByteArray() << QString();
    }

    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(PlainTextReader::decode(bytes), expected);
    }

    // How a file was written is found when it is read, and writing the text back that way gives
    // the same bytes; text that Windows-1252 cannot hold is written as UTF-8.
    void writesTextBackAsItWasRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8, LF") << QByteArray("caf\xC3\xA9\nline two\n");
        QTest::newRow("UTF-8 with a mark, CR LF") << QByteArray("\xEF\xBB\xBF\xE2\x82\xAC\r\nx");
        QTest::newRow("Windows-1252, CR") << QByteArray("caf\xE9 \x80\rx");
        QTest::newRow("UTF-16 little endian") << QByteArray("\xFF\xFEG\0\r\0\n\0=\xD8\0\xDE", 12);
        QTest::newRow("UTF-16 big endian") << QByteArray("\xFE\xFF\0G\0\n\0x", 8);
    }

    void writesTextBackAsItWasRead()
    {
        QFETCH(QByteArray, bytes);
        PlainTextFormat format;
        const QString text = PlainTextReader::decode(bytes, &format);
        QCOMPARE(PlainTextWriter::encode(text, format), bytes);
        QTextDocument document;
        PlainTextReader::read(bytes, document, QTextCharFormat());
        QCOMPARE(PlainTextWriter::encode(document, format), bytes);
    }

    void textWindows1252CannotHoldIsWrittenAsUtf8()
    {
        PlainTextFormat format;
        PlainTextReader::decode("caf\xE9\r\n", &format);
        QCOMPARE(format.encoding, PlainTextFormat::Encoding::Windows1252);
        QCOMPARE(format.lineBreak, QStringLiteral("\r\n"));
        QCOMPARE(PlainTextWriter::encode(QString::fromUtf8("café 😀\n"), format), QByteArray("caf\xC3\xA9 \xF0\x9F\x98\x80\r\n"));
    }

    // Text that its file's encoding would give back as other characters is written as UTF-8
    // with a mark, which reads back exactly.
    void textThatWouldReadBackOtherwiseGetsAMark_data()
    {
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("Windows-1252 starting as a UTF-16 mark")
            << QByteArray("caf\xE9") << QStringLiteral("\u00FF\u00FEi") << QByteArray("\xEF\xBB\xBF\xC3\xBF\xC3\xBEi");
        QTest::newRow("Windows-1252 that is valid UTF-8")
            << QByteArray("caf\xE9") << QString::fromUtf8("Ã©")
            << QByteArray("\xEF\xBB\xBF\xC3\x83\xC2\xA9");
        QTest::newRow("UTF-8 starting with a zero-width space")
            << QByteArray("text") << QStringLiteral("\uFEFFx") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx");
    }

    void textThatWouldReadBackOtherwiseGetsAMark()
    {
        QFETCH(QByteArray, read);
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        PlainTextFormat format;
        PlainTextReader::decode(read, &format);
        QCOMPARE(PlainTextWriter::encode(typed, format), written);
        QCOMPARE(PlainTextReader::decode(written), typed);
    }

    // A break that falls on any boundary of a large file is one break: the file is read whole.
    void breaksAcrossAnyBoundary()
    {
        QByteArray bytes;
        for (int i = 0; i < 20000; ++i)
            bytes += (i % 3 == 0) ? "line\r\n" : (i % 3 == 1) ? "line\r" : "line\n";
        const QString text = PlainTextReader::decode(bytes);
        QCOMPARE(text.count(u'\n'), 20000);
        QVERIFY(!text.contains(u'\r'));
    }

    // A large text goes into the document in pieces: they keep their order, a pair of surrogates
    // cut by a piece's end stays one character, and every paragraph has the default format.
    void largeTextArrivesWholeInOrder()
    {
        QString text;
        for (int line = 0; text.size() < 700000; ++line)
            text += QString::number(line) + (line % 7 ? QStringLiteral(" words") : QString()) + u'\n';
        const QString emoji = QString::fromUtf8("😀");
        for (const qsizetype at : {262143, 524287})
            text.replace(at, 2, emoji);
        QTextCharFormat format;
        DocumentFormat::setSizeTwips(format, 160);
        QTextDocument document;
        PlainTextReader::fill(text, document, format);
        QCOMPARE(document.toPlainText(), text);
        QCOMPARE(document.blockCount(), text.count(u'\n') + 1);
        for (const QTextBlock& block : {document.begin(), document.lastBlock()}) {
            QCOMPARE(DocumentFormat::sizeTwips(block.charFormat()), 160);
            QVERIFY(!block.blockFormat().hasProperty(DocumentFormat::ContinuesParagraph));
        }
    }

    void readsParagraphsInTheDefaultFormat()
    {
        QTextCharFormat format;
        format.setFontFamilies(QStringList{QStringLiteral("MS Sans Serif")});
        DocumentFormat::setSizeTwips(format, 160);
        QTextDocument document;
        QTextCursor(&document).insertText(QStringLiteral("old"));
        PlainTextReader::read(QByteArray("one\r\ntwo\rthree\n"), document, format);
        QCOMPARE(document.blockCount(), 4);
        QCOMPARE(document.toPlainText(), QStringLiteral("one\ntwo\nthree\n"));
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            QCOMPARE(block.charFormat().fontFamilies().toStringList(),
                     QStringList{QStringLiteral("MS Sans Serif")});
            for (auto it = block.begin(); !it.atEnd(); ++it)
                QCOMPARE(DocumentFormat::sizeTwips(it.fragment().charFormat()), 160);
        }
        QVERIFY(!document.isUndoAvailable());
    }
};

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"
