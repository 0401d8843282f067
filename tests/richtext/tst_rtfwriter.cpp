// The RTF writer: every attribute of the document model and every kind of character come back
// exactly through our reader.
#include "richtext/DocumentFormat.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/RtfWriterSink.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace {
QTextCharFormat charFormat(const QString& face, int charset, int pitch, int twips, bool bold, bool italic,
                           bool underline, bool strike, QColor color)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{face});
    format.setProperty(DocumentFormat::Charset, charset);
    format.setProperty(DocumentFormat::Pitch, pitch);
    DocumentFormat::setSizeTwips(format, twips);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(underline);
    format.setFontStrikeOut(strike);
    if (color.isValid())
        format.setForeground(color);
    return format;
}

// What the model holds of a character format, comparable.
QString describe(const QTextCharFormat& f)
{
    return QStringLiteral("%1/%2/%3/%4tw/%5%6%7%8/%9")
        .arg(f.fontFamilies().toStringList().value(0))
        .arg(f.intProperty(DocumentFormat::Charset))
        .arg(f.intProperty(DocumentFormat::Pitch))
        .arg(DocumentFormat::sizeTwips(f))
        .arg(f.fontWeight() == QFont::Bold ? "b" : "")
        .arg(f.fontItalic() ? "i" : "")
        .arg(f.fontUnderline() ? "u" : "")
        .arg(f.fontStrikeOut() ? "s" : "")
        .arg(f.foreground().style() == Qt::NoBrush ? QStringLiteral("auto") : f.foreground().color().name());
}

// Tab stops as "l720 r8640. d4320": alignment, position, leader (. - _ = #).
const QString StopAlignments = QStringLiteral("lrcd");
const QString StopLeaders = QStringLiteral(" .-_#=");

TabStops parseStops(const QString& text)
{
    TabStops stops;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        TabStop stop;
        stop.alignment = TabStop::Alignment(StopAlignments.indexOf(word.front()));
        const QChar last = word.back();
        const bool leader = !last.isDigit();
        stop.leader = leader ? TabStop::Leader(StopLeaders.indexOf(last)) : TabStop::Leader::None;
        stop.positionTwips = word.mid(1, word.size() - 1 - (leader ? 1 : 0)).toInt();
        stops.append(stop);
    }
    return stops;
}

QString describeStops(const TabStops& stops)
{
    QStringList words;
    for (const TabStop& stop : stops) {
        QString word = StopAlignments.at(int(stop.alignment)) + QString::number(stop.positionTwips);
        if (stop.leader != TabStop::Leader::None)
            word += StopLeaders.at(int(stop.leader));
        words << word;
    }
    return words.join(u' ');
}

QString describe(const QTextBlock& block)
{
    const QTextBlockFormat f = block.blockFormat();
    const QTextList* list = block.textList();
    return QStringLiteral("%1/%2/%3/%4/%5/%6")
        .arg(int(f.alignment() & Qt::AlignHorizontal_Mask))
        .arg(f.intProperty(DocumentFormat::FirstIndentTwips))
        .arg(f.intProperty(DocumentFormat::LeftOffsetTwips))
        .arg(f.intProperty(DocumentFormat::RightIndentTwips))
        .arg(list ? int(list->format().style()) : 0)
        .arg(describeStops(DocumentFormat::tabStops(f)));
}

QStringList describeDocument(const QTextDocument& document)
{
    QStringList out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        out << QStringLiteral("P ") + describe(block);
        for (auto it = block.begin(); !it.atEnd(); ++it)
            out << describe(it.fragment().charFormat()) + u' ' + it.fragment().text();
    }
    return out;
}

QTextDocument* roundTrip(const QTextDocument& document, QObject* parent)
{
    auto* copy = new QTextDocument(parent);
    const QByteArray rtf = RtfWriter::toRtf(document);
    if (!RtfReader::read(rtf, *copy))
        return nullptr;
    return copy;
}
} // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT

private slots:
    void characterAttributesRoundTrip_data()
    {
        QTest::addColumn<QTextCharFormat>("format");
        QTest::newRow("plain") << charFormat("Arial", 0, 2, 240, false, false, false, false, {});
        QTest::newRow("every style") << charFormat("Times New Roman", 0, 2, 220, true, true, true, true, {});
        QTest::newRow("bold only") << charFormat("Arial", 0, 0, 200, true, false, false, false, {});
        QTest::newRow("underline and strike") << charFormat("Arial", 0, 0, 200, false, false, true, true, {});
        QTest::newRow("colour") << charFormat("Courier New", 0, 1, 160, false, true, false, false,
                                              QColor(0x12, 0x34, 0x56));
        QTest::newRow("black is a colour, not automatic")
            << charFormat("Arial", 0, 0, 240, false, false, false, false, Qt::black);
        QTest::newRow("half point size") << charFormat("Arial", 0, 0, 230, false, false, false, false, {});
        QTest::newRow("large size") << charFormat("Arial", 0, 0, 1440, false, false, false, false, {});
        QTest::newRow("charset Cyrillic")
            << charFormat("Arial Cyr", 204, 2, 240, false, false, false, false, {});
        QTest::newRow("charset default")
            << charFormat("MS Sans Serif", 1, 0, 160, false, false, false, false, {});
        QTest::newRow("symbol charset") << charFormat("Wingdings", 2, 2, 240, false, false, false, false, {});
        QTest::newRow("long face name") << charFormat("A Face Name Much Longer Than Thirty-One Characters", 0,
                                                      0, 240, false, false, false, false, {});
        QTest::newRow("face name with specials")
            << charFormat(QString::fromUtf8("Fönt {x}; \\y"), 0, 0, 240, false, false, false, false, {});
    }

    void characterAttributesRoundTrip()
    {
        QFETCH(QTextCharFormat, format);
        QTextDocument document;
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("before "),
                          charFormat("Arial", 0, 0, 200, false, false, false, false, {}));
        cursor.insertText(QStringLiteral("styled"), format);
        cursor.insertText(QStringLiteral(" after"),
                          charFormat("Arial", 0, 0, 200, false, false, false, false, {}));
        QTextDocument* copy = roundTrip(document, this);
        QVERIFY(copy);
        QCOMPARE(describeDocument(*copy), describeDocument(document));
    }

    void paragraphAttributesRoundTrip_data()
    {
        QTest::addColumn<int>("align");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("right");
        QTest::addColumn<bool>("bullet");
        QTest::addColumn<QString>("stops");
        QTest::addColumn<int>("defaultTab");
        QTest::newRow("left, no indents") << int(Qt::AlignLeft) << 0 << 0 << 0 << false << "" << 720;
        QTest::newRow("right") << int(Qt::AlignRight) << 0 << 0 << 0 << false << "" << 720;
        QTest::newRow("centre") << int(Qt::AlignHCenter) << 0 << 0 << 0 << false << "" << 720;
        QTest::newRow("first-line indent") << int(Qt::AlignLeft) << 720 << 0 << 0 << false << "" << 720;
        QTest::newRow("hanging indent") << int(Qt::AlignLeft) << 0 << 360 << 0 << false << "" << 720;
        QTest::newRow("negative offset") << int(Qt::AlignLeft) << 1440 << -720 << 0 << false << "" << 720;
        QTest::newRow("right indent") << int(Qt::AlignLeft) << 0 << 0 << 2880 << false << "" << 720;
        QTest::newRow("every indent, odd twips") << int(Qt::AlignHCenter) << 21 << 43 << 65 << false << "" << 720;
        QTest::newRow("bullet") << int(Qt::AlignLeft) << 0 << 200 << 0 << true << "" << 720;
        QTest::newRow("bullet, right aligned and indented")
            << int(Qt::AlignRight) << 400 << 200 << 100 << true << "" << 720;
        QTest::newRow("stops of every kind and leader")
            << int(Qt::AlignLeft) << 0 << 0 << 0 << false << "l1000 r8640. c4320- d5040_ l6000# r7000=" << 720;
        QTest::newRow("stops in a bulleted hanging paragraph, other default width")
            << int(Qt::AlignLeft) << 0 << 360 << 0 << true << "l2880 r5760." << 1134;
    }

    void paragraphAttributesRoundTrip()
    {
        QFETCH(int, align);
        QFETCH(int, first);
        QFETCH(int, offset);
        QFETCH(int, right);
        QFETCH(bool, bullet);
        QFETCH(QString, stops);
        QFETCH(int, defaultTab);
        QTextDocument document;
        DocumentFormat::setDefaultTabTwips(document, defaultTab);
        QTextCursor cursor(&document);
        cursor.setCharFormat(charFormat("Arial", 0, 0, 200, false, false, false, false, {}));
        cursor.insertText(QStringLiteral("plain before"));
        QTextBlockFormat format;
        format.setAlignment(Qt::Alignment(align));
        DocumentFormat::setIndents(format, first, offset, right);
        DocumentFormat::setTabStops(format, parseStops(stops));
        cursor.insertBlock(format);
        cursor.insertText(QStringLiteral("formatted"));
        if (bullet) {
            QTextListFormat list;
            list.setStyle(QTextListFormat::ListDisc);
            cursor.createList(list);
        }
        cursor.insertBlock(format); // a second paragraph like it, in the same list
        if (bullet)
            cursor.block().previous().textList()->add(cursor.block());
        cursor.insertText(QStringLiteral("formatted again"));
        cursor.insertBlock(QTextBlockFormat());
        if (QTextList* list = cursor.block().textList())
            list->remove(cursor.block());
        cursor.insertText(QStringLiteral("plain after"));

        QTextDocument* copy = roundTrip(document, this);
        QVERIFY(copy);
        QCOMPARE(describeDocument(*copy), describeDocument(document));
        QCOMPARE(DocumentFormat::defaultTabTwips(*copy), defaultTab);
        QCOMPARE(copy->begin().next().textList() != nullptr, bullet);
        QCOMPARE(copy->begin().next().textList(), copy->begin().next().next().textList());
    }

    // The exact RTF written for small documents (read from input.rtf), kept beside them as
    // expected.rtf; LUMARO_UPDATE_GOLDEN=1 writes them anew, to be read and committed.
    void writesTheExpectedRtf_data()
    {
        QTest::addColumn<QString>("folder");
        const QDir cases(QStringLiteral(LUMARO_TEST_DATA "/writer"));
        for (const QString& name : cases.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QTest::newRow(qPrintable(name)) << cases.filePath(name);
        QVERIFY2(cases.exists(), "the writer cases are missing");
    }

    void writesTheExpectedRtf()
    {
        QFETCH(QString, folder);
        QFile input(folder + QStringLiteral("/input.rtf"));
        QVERIFY(input.open(QIODevice::ReadOnly));
        QTextDocument document;
        document.setDefaultFont(QFont(QStringLiteral("Arial"), 12));
        const QByteArray rtf = input.readAll();
        QVERIFY(RtfReader::read(rtf, document));
        const QByteArray written = RtfWriter::toRtf(document);
        // Written straight from the reader, without the document: the same bytes.
        RtfWriterSink straight(QStringLiteral("Arial"));
        QVERIFY(RtfReader::parse(rtf, straight));
        QVERIFY(straight.complete());
        QCOMPARE(QString::fromLatin1(straight.takeRtf()), QString::fromLatin1(written));

        QFile expected(folder + QStringLiteral("/expected.rtf"));
        if (qEnvironmentVariableIsSet("LUMARO_UPDATE_GOLDEN")) {
            QVERIFY(expected.open(QIODevice::WriteOnly));
            expected.write(written);
            return;
        }
        QVERIFY2(expected.open(QIODevice::ReadOnly), "no expected.rtf: run with LUMARO_UPDATE_GOLDEN=1");
        QCOMPARE(QString::fromLatin1(written), QString::fromLatin1(expected.readAll()));
    }

    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("RTF specials") << QStringLiteral("a{b}c\\d\\par e");
        QTest::newRow("tab, line break, no-break space") << QString::fromUtf8("a\tb\u2028c\u00a0d");
        QTest::newRow("Latin-1 and Windows letters") << QString::fromUtf8("café naïve ±×÷ “quotes” — €");
        QTest::newRow("Cyrillic, Greek, CJK") << QString::fromUtf8("Привет Γειά 日本語 한국어");
        QTest::newRow("outside the basic plane") << QString::fromUtf8("smile 😀 and 𝄞");
        QTest::newRow("empty paragraphs") << QStringLiteral("\n\nmiddle\n\n");
        QTest::newRow("empty document") << QString();
    }

    void textRoundTrip()
    {
        QFETCH(QString, text);
        QTextDocument document;
        QTextCursor(&document).insertText(text);
        QTextDocument* copy = roundTrip(document, this);
        QVERIFY(copy);
        QCOMPARE(copy->toRawText(), document.toRawText());
        QCOMPARE(copy->blockCount(), document.blockCount());
    }

    void textWithoutFormatTakesTheDocumentDefault()
    {
        QTextDocument document;
        document.setDefaultFont(QFont(QStringLiteral("Courier New"), 9));
        document.setPlainText(QStringLiteral("unformatted"));
        QTextDocument* copy = roundTrip(document, this);
        QVERIFY(copy);
        const QTextCharFormat format = copy->begin().begin().fragment().charFormat();
        QCOMPARE(format.fontFamilies().toStringList().value(0), QStringLiteral("Courier New"));
        QCOMPARE(DocumentFormat::sizeTwips(format), 180);
    }

    void emptyParagraphKeepsItsFormat()
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        const QTextCharFormat bold = charFormat("Arial", 0, 0, 300, true, false, false, false, Qt::red);
        cursor.setBlockCharFormat(bold);
        QTextDocument* copy = roundTrip(document, this);
        QVERIFY(copy);
        QCOMPARE(describe(copy->begin().charFormat()), describe(bold));
    }

    void reportsAFailedWrite()
    {
        QTextDocument document;
        document.setPlainText(QStringLiteral("text"));
        QBuffer readOnly;
        readOnly.open(QIODevice::ReadOnly);
        QVERIFY(!RtfWriter::write(document, readOnly));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(RtfWriter::write(document, buffer));
        QVERIFY(buffer.data().startsWith("{\\rtf1"));
    }
};

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
