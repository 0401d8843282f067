// The RTF reader: text of real-world constructs (the same through the document and the text
// sinks), formatting into the document model, and what is refused.
#include "richtext/DocumentFormat.h"
#include "richtext/RtfReader.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

class TestRtfReader : public QObject {
    Q_OBJECT

private:
    static QString documentText(const QTextDocument& document)
    {
        QString text = document.toRawText();
        text.replace(QChar::LineSeparator, u'\n');
        text.replace(QChar::ParagraphSeparator, u'\n');
        return text;
    }

    // The first fragment's format at the first occurrence of needle.
    static QTextCharFormat formatAt(QTextDocument& document, const QString& needle)
    {
        const QTextCursor found = document.find(needle);
        if (found.isNull())
            return {};
        QTextCursor cursor(&document);
        cursor.setPosition(found.selectionStart() + 1);
        return cursor.charFormat();
    }

private slots:
    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");

        QTest::newRow("paragraphs, line, tab") << QByteArray("{\\rtf1 one\\par two\\line three\\tab four}")
                                               << QStringLiteral("one\ntwo\nthree\tfour");
        QTest::newRow("backslash before a line break is a paragraph")
            << QByteArray("{\\rtf1 one\\\r\ntwo\\\ntwo}") << QStringLiteral("one\ntwo\ntwo");
        QTest::newRow("line breaks in the data are not text")
            << QByteArray("{\\rtf1 a\r\nb\rc\nd}") << QStringLiteral("abcd");
        QTest::newRow("escaped characters and symbols")
            << QByteArray("{\\rtf1 \\{x\\}\\\\ "
                          "a\\~b\\_c\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}")
            << QString::fromUtf8("{x}\\ a\u00a0b\u2011c\u2014\u2013\u2022\u2018\u2019\u201c\u201d");
        QTest::newRow("optional hyphen kept as a soft hyphen")
            << QByteArray("{\\rtf1 hy\\-phen}") << QString::fromUtf8("hy\u00adphen");
        QTest::newRow("ansicpg 1251 bytes")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}") << QString::fromUtf8("При");
        QTest::newRow("font charset wins over the document code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset238 Arial CE;}}"
                          "\\f1\\'b9\\f0\\'b9}")
            << QString::fromUtf8("ą¹");
        QTest::newRow("font code page wins over its charset")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset0\\cpg1251 X;}}\\f0\\'e0}")
            << QString::fromUtf8("а");
        QTest::newRow("double-byte code page, hex and raw trail bytes")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 "
                          "\\'93\\'fa\\'96{ }\\'82\\'a0A}")
            << QString::fromUtf8("日\uFFFD あA");
        QTest::newRow("double-byte raw trail byte")
            << QByteArray("{\\rtf1\\ansicpg932 \\'83N}") << QString::fromUtf8("ク");
        QTest::newRow("unknown code page reads as 1252")
            << QByteArray("{\\rtf1\\ansicpg0 \\'e9\\ansicpg77777 \\'e9}") << QString::fromUtf8("éé");
        QTest::newRow("u with its fallback skipped")
            << QByteArray("{\\rtf1 a\\u233\\'e9b\\u8220?c}") << QString::fromUtf8("aébc\u201cc").remove(3, 1);
        QTest::newRow("uc0 skips nothing") << QByteArray("{\\rtf1\\uc0 \\u233 x}") << QString::fromUtf8("éx");
        QTest::newRow("uc2 skips two, the group restores uc")
            << QByteArray("{\\rtf1 {\\uc2\\u26085\\'93\\'fa}\\u233?x}") << QString::fromUtf8("日éx");
        QTest::newRow("skip stops at a group end")
            << QByteArray("{\\rtf1\\uc3 {\\u233 a}b}") << QString::fromUtf8("éb");
        QTest::newRow("skipping counts a control word as one")
            << QByteArray("{\\rtf1\\uc1\\u233\\par x}") << QString::fromUtf8("éx");
        QTest::newRow("negative u and a surrogate pair")
            << QByteArray("{\\rtf1 \\u-4064?\\u-10179?\\u-8704?}") << QString::fromUtf8("\uF020😀");
        QTest::newRow("invalid hex digits are consumed by the fallback")
            << QByteArray("{\\rtf1 x\\u345\\'3?x}") << QString::fromUtf8("xřx");
        QTest::newRow("field shows its result, never the instruction")
            << QByteArray(
                   "{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt{\\ul site}}} now}")
            << QStringLiteral("see site now");
        QTest::newRow("ignorable and known destinations skipped")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 "
                          "Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s0 Normal;}}"
                          "{\\info{\\title T}{\\author A}}{\\*\\generator G;}{\\*\\unknown {nested} "
                          "text}{\\*\\bkmkstart b}"
                          "body}")
            << QStringLiteral("body");
        QTest::newRow("unknown words without a star keep their text")
            << QByteArray("{\\rtf1 {\\madeup kept} \\xyz1 too}") << QStringLiteral("kept too");
        QTest::newRow("headers, footers, footnotes and annotations stay out")
            << QByteArray("{\\rtf1{\\header H}{\\footer F}{\\headerl HL}body{\\footnote "
                          "note}{\\*\\annotation A} end}")
            << QStringLiteral("body end");
        QTest::newRow("picture data with binary braces never tokenised")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin6 }{\\\\}{}b}") << QStringLiteral("ab");
        QTest::newRow("bin in the body skips its bytes")
            << QByteArray("{\\rtf1 a\\bin3 x}yb}") << QStringLiteral("ab");
        QTest::newRow("table cells and rows")
            << QByteArray("{\\rtf1\\trowd\\cellx100\\cellx200 \\intbl a\\cell b\\cell\\row\\trowd c\\cell "
                          "d\\cell\\row after}")
            << QStringLiteral("a\tb\nc\td\nafter");
        QTest::newRow("nested cells")
            << QByteArray("{\\rtf1 a\\nestcell b\\nestcell{\\*\\nesttableprops x}\\nestrow}")
            << QStringLiteral("a\tb\n");
        QTest::newRow("bytes after the last brace ignored")
            << QByteArray("{\\rtf1 text}\r\ntrailing junk") << QStringLiteral("text");
        QTest::newRow("surplus closing brace tolerated")
            << QByteArray("{\\rtf1 a}}{\\*\\themedata 00}b}") << QStringLiteral("ab");
        QTest::newRow("missing closing braces tolerated")
            << QByteArray("{\\rtf1 {\\b a{\\i b") << QStringLiteral("ab");
        QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v hidden}b\\v c\\v0 d}")
                                     << QStringLiteral("abd");
        QTest::newRow("list marker text dropped")
            << QByteArray("{\\rtf1{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}one\\par"
                          "{\\listtext 1.\\tab}\\ls1 two}")
            << QStringLiteral("one\ntwo");
        QTest::newRow("upr reads its unicode part")
            << QByteArray("{\\rtf1{\\upr{\\'3f\\'3f}{\\*\\ud{\\u26085?}}}}") << QString::fromUtf8("日");
        QTest::newRow("font names with bytes and groups stay in the table")
            << QByteArray("{\\rtf1{\\fonttbl{\\flomajor\\f31500\\fcharset134{\\*\\panose "
                          "0}\\'cb\\'ce{\\*\\falt SimSun};}"
                          "{\\f1{\\fname Long Name;}Arial;}}\\f31500\\'b2\\'e2}")
            << QString::fromUtf8("测");
        QTest::newRow("final paragraph mark leaves an empty paragraph")
            << QByteArray("{\\rtf1 a\\par}") << QStringLiteral("a\n");
        QTest::newRow("empty document") << QByteArray("{\\rtf1}") << QString();
    }

    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QString text;
        QVERIFY(RtfReader::readText(rtf, text));
        QCOMPARE(text, expected);
        QTextDocument document;
        QVERIFY(RtfReader::read(rtf, document));
        QCOMPARE(documentText(document), expected);
    }

    void refusesWhatIsNotRtf_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain text") << QByteArray("hello {\\rtf1 x}") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("rtf without its brace") << QByteArray("\\rtf1 x") << false;
        QTest::newRow("blanks and a byte-order mark first")
            << QByteArray("\xEF\xBB\xBF \r\n{\\rtf1 x}") << true;
        QTest::newRow("version missing") << QByteArray("{\\rtf x}") << true;
    }

    void refusesWhatIsNotRtf()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, accepted);
        QTextDocument document;
        document.setPlainText(QStringLiteral("kept"));
        QCOMPARE(RtfReader::read(data, document), accepted);
        if (!accepted)
            QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
    }

    void characterFormats()
    {
        const QByteArray rtf =
            "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fswiss\\fcharset204\\fprq2{\\*\\panose 020b06}Arial "
            "Cyr{\\*\\falt Arial};}{\\f1\\fmodern\\fprq1 Courier New;}"
            "{\\f2\\fnil\\fcharset0 A Face Name Longer Than Thirty-One Letters;}}"
            "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
            "\\f0\\fs23 half{\\b bold}{\\i italic}{\\ul under}{\\ulnone\\strike struck}{\\cf1 red}{\\cf0 "
            "auto}"
            "{\\super sup}{\\sub sub}\\plain plain{\\f2 long}{\\b\\i\\ul\\strike\\cf2\\fs40 all}}";
        QTextDocument document;
        QVERIFY(RtfReader::read(rtf, document));

        const QTextCharFormat half = formatAt(document, QStringLiteral("half"));
        QCOMPARE(half.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial Cyr")});
        QCOMPARE(half.intProperty(DocumentFormat::Charset), 204);
        QCOMPARE(half.intProperty(DocumentFormat::Pitch), 2);
        QCOMPARE(DocumentFormat::sizeTwips(half), 230);
        QCOMPARE(half.fontWeight(), int(QFont::Normal));
        QCOMPARE(half.foreground().style(), Qt::NoBrush);

        QCOMPARE(formatAt(document, QStringLiteral("bold")).fontWeight(), int(QFont::Bold));
        QVERIFY(formatAt(document, QStringLiteral("italic")).fontItalic());
        QVERIFY(formatAt(document, QStringLiteral("under")).fontUnderline());
        QVERIFY(formatAt(document, QStringLiteral("struck")).fontStrikeOut());
        QVERIFY(!formatAt(document, QStringLiteral("struck")).fontUnderline());
        QCOMPARE(formatAt(document, QStringLiteral("red")).foreground().color(), QColor(255, 0, 0));
        QCOMPARE(formatAt(document, QStringLiteral("auto")).foreground().style(), Qt::NoBrush);
        QCOMPARE(formatAt(document, QStringLiteral("sup")).verticalAlignment(),
                 QTextCharFormat::AlignSuperScript);
        QCOMPARE(formatAt(document, QStringLiteral("sub")).verticalAlignment(),
                 QTextCharFormat::AlignSubScript);

        // \plain: the default font (\deff1), 12 points, no styles.
        const QTextCharFormat plain = formatAt(document, QStringLiteral("plain"));
        QCOMPARE(plain.fontFamilies().toStringList(), QStringList{QStringLiteral("Courier New")});
        QCOMPARE(plain.intProperty(DocumentFormat::Pitch), 1);
        QCOMPARE(DocumentFormat::sizeTwips(plain), 240);
        QCOMPARE(formatAt(document, QStringLiteral("long")).fontFamilies().toStringList(),
                 QStringList{QStringLiteral("A Face Name Longer Than Thirty-One Letters")});

        const QTextCharFormat all = formatAt(document, QStringLiteral("all"));
        QVERIFY(all.fontWeight() == QFont::Bold && all.fontItalic() && all.fontUnderline() &&
                all.fontStrikeOut());
        QCOMPARE(all.foreground().color(), QColor(0, 0, 255));
        QCOMPARE(DocumentFormat::sizeTwips(all), 400);
    }

    void paragraphFormats()
    {
        const QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
                               "\\pard\\qr\\fi-360\\li720\\ri240 right\\par"
                               "\\pard\\qc\\li300\\fi200 centre\\par"
                               "\\pard\\qj justified\\par"
                               "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'"
                               "b7}}\\fi-200\\li200 b1\\par"
                               "{\\pntext\\f1\\'b7\\tab}b2\\par"
                               "\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}n1\\par"
                               "\\pard{\\listtext\\f1\\'b7\\tab}\\ls1 w1\\par"
                               "\\pard plain}";
        QTextDocument document;
        QVERIFY(RtfReader::read(rtf, document));
        QCOMPARE(document.blockCount(), 8);

        struct Expected {
            Qt::Alignment align;
            int first, offset, right;
            int list; // 0 none, 1 bullet, 2 numbered
        };
        const Expected expected[] = {
            {Qt::AlignRight, 360, 360, 240, 0}, {Qt::AlignHCenter, 500, -200, 0, 0},
            {Qt::AlignJustify, 0, 0, 0, 0},     {Qt::AlignLeft, 0, 200, 0, 1},
            {Qt::AlignLeft, 0, 200, 0, 1},      {Qt::AlignLeft, 0, 0, 0, 2},
            {Qt::AlignLeft, 0, 0, 0, 1},        {Qt::AlignLeft, 0, 0, 0, 0},
        };
        QTextBlock block = document.begin();
        for (const Expected& e : expected) {
            const QTextBlockFormat format = block.blockFormat();
            QCOMPARE(format.alignment() & Qt::AlignHorizontal_Mask, e.align);
            QCOMPARE(format.intProperty(DocumentFormat::FirstIndentTwips), e.first);
            QCOMPARE(format.intProperty(DocumentFormat::LeftOffsetTwips), e.offset);
            QCOMPARE(format.intProperty(DocumentFormat::RightIndentTwips), e.right);
            const QTextList* list = block.textList();
            QCOMPARE(list == nullptr, e.list == 0);
            if (list)
                QCOMPARE(list->format().style(),
                         e.list == 1 ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
            block = block.next();
        }
        // Consecutive bullets share one list; a new kind starts another.
        QCOMPARE(document.begin().next().next().next().textList(),
                 document.begin().next().next().next().next().textList());
    }

    void loadingLeavesNoUndoHistory()
    {
        QTextDocument document;
        QTextCursor(&document).insertText(QStringLiteral("typed"));
        QVERIFY(document.isUndoAvailable());
        QVERIFY(RtfReader::read(QByteArray("{\\rtf1 loaded}"), document));
        QVERIFY(!document.isUndoAvailable());
        QVERIFY(document.isUndoRedoEnabled());
        QCOMPARE(document.toPlainText(), QStringLiteral("loaded"));
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
