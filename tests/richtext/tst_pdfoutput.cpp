// Our PDF output: the pages Qt's PDF engine draws, with text in fonts we embed ourselves.
#include "BitmapFaces.h"

#include "richtext/PdfExporter.h"
#include "richtext/PdfFile.h"
#include "richtext/PdfFonts.h"
#include "richtext/RtfReader.h"
#include "richtext/TrueTypeSubset.h"

#include <QBuffer>
#include <QDir>
#include <QHash>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPainterPath>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

namespace {
QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The 15 mm margin is 57 pixels at 96 dots per inch: 42.75 points.
constexpr double Margin = 42.75;

struct Word {
    int page;
    QString text;
    QRectF box;
};

// The words pdftotext finds, with their page and box in points; only those inside the printable
// area (Qt's engine also draws lines that its clip hides: the last line of the page before and
// the first of the next).
QList<Word> wordsOf(const QString& pdf)
{
    const QString html = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QList<Word> words;
    int page = 0;
    double printableBottom = 0;
    static const QRegularExpression tag(
        QStringLiteral("<page width=\"[\\d.]+\" height=\"([\\d.]+)\"|"
                       "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (const QRegularExpressionMatch& match : tag.globalMatch(html)) {
        if (!match.captured(1).isEmpty()) {
            ++page;
            printableBottom = match.captured(1).toDouble() - Margin;
            continue;
        }
        const QRectF box(QPointF(match.captured(2).toDouble(), match.captured(3).toDouble()),
                         QPointF(match.captured(4).toDouble(), match.captured(5).toDouble()));
        if (box.center().y() > Margin && box.center().y() < printableBottom)
            words.append({page, match.captured(6), box});
    }
    return words;
}

void load(QTextDocument& document, const QByteArray& rtf)
{
    QVERIFY(RtfReader::read(rtf, document));
}

// Paragraphs with everything the page shows of text: faces, sizes, styles, colours, lines under
// and through, raised and lowered text, bullets, numbers, tab leaders, justified lines, accents
// made of two characters, scripts other than Latin.
QByteArray richDocument()
{
    QByteArray body;
    for (int i = 0; i < 24; ++i)
        body += "\\pard\\qj Paragraph " + QByteArray::number(i) +
                " {\\b bold} {\\i italic} {\\ul underlined words} {\\strike struck} x{\\super 2} H{\\sub 2}O "
                "{\\cf1 red} {\\fs36 large} {\\f1 serif text} {\\f2 mono} e\\u769?\\u769? \\u1087?\\u1088?\\u1080? "
                "\\u945?\\u946? {\\cf1 \\u1513?\\u1500?\\u1493?\\u1501?} office fluffy figures, and enough words to fill two lines of a justified paragraph "
                "so that its spaces are wider than a space.\\par"
                "\\pard\\li720\\fi-360{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}{\\pntext\\'b7\\tab}A bulleted item\\par"
                "\\pard\\li720\\fi-360{\\*\\pn\\pnlvlbody\\pndec}{\\pntext 1.\\tab}A numbered item\\par"
                "\\pard\\tqr\\tldot\\tx6000 Before\\tab After\\par";
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}{\\f2 Courier New;}}"
           "{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs20 " +
           body + "}";
}
} // namespace

class TestPdfOutput : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

    // Writes rtf as ours (ours) and through Qt's engine beside it, and compares their words.
    bool writtenBothWays(const QByteArray& rtf, const QString& ours)
    {
        QTextDocument document, qtsDocument;
        if (!RtfReader::read(rtf, document) || !RtfReader::read(rtf, qtsDocument))
            return false;
        const QString qts = ours + QStringLiteral(".qt.pdf");
        PdfExporter::write(document, ours, QStringLiteral("ours"));
        PdfExporter::writeWithQtEngine(qtsDocument, qts, QStringLiteral("qts"));

        const QList<Word> expected = wordsOf(qts);
        if (expected.size() < 1000 || expected.last().page < 2) {
            qWarning("too few words or pages to compare");
            return false;
        }
        QHash<QPair<int, QString>, QList<Word>> unmatched;
        for (const Word& word : expected)
            unmatched[{word.page, word.text}].append(word);
        for (const Word& word : wordsOf(ours)) {
            QList<Word>& candidates = unmatched[{word.page, word.text}];
            const auto match = std::find_if(candidates.begin(), candidates.end(), [&](const Word& other) {
                return qAbs(other.box.left() - word.box.left()) < 0.05 &&
                       qAbs(other.box.right() - word.box.right()) < 0.05 &&
                       qAbs(other.box.bottom() - word.box.bottom()) < 0.25;
            });
            if (match == candidates.end()) {
                qWarning() << "not where Qt puts it:" << word.text << "on page" << word.page << "at" << word.box;
                return false;
            }
            candidates.erase(match);
        }
        for (const QList<Word>& left : std::as_const(unmatched)) {
            if (!left.isEmpty()) {
                qWarning() << "missing:" << left.first().text << "on page" << left.first().page;
                return false;
            }
        }
        return true;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
    }

    // Every word where Qt's own PDF engine puts it, on the same page, with the same text.
    void placesTextAsQtsEngineDoes()
    {
        const QString ours = m_folder.filePath(QStringLiteral("ours.pdf"));
        QVERIFY(writtenBothWays(richDocument(), ours));
        // Its fonts are subsets of ours, and its text can be found.
        const QString fonts = poppler(QStringLiteral("pdffonts"), {ours});
        QVERIFY2(fonts.contains(QStringLiteral("AAAAAA+")), qPrintable(fonts));
        const QString text = poppler(QStringLiteral("pdftotext"), {ours, QStringLiteral("-")});
        QVERIFY(text.contains(QStringLiteral("office fluffy figures")));
        QVERIFY(text.contains(QStringLiteral("пр")));
        QVERIFY(text.contains(QStringLiteral("•")));
    }

    // A face with CFF outlines is embedded whole in a long document (in a short one it would
    // outweigh the text), and its words land where Qt's engine puts them too.
    void embedsCffFacesWholeInLongDocuments()
    {
        const QString family = QStringLiteral("TeX Gyre Heros");
        if (QRawFont::fromFont(QFont(family)).fontTable("CFF ").isEmpty())
            QSKIP("no TeX Gyre Heros (fonts-texgyre)");
        QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 " + family.toLatin1() + ";}}\\f0 ";
        const QByteArray paragraph = "A paragraph of words in a face with CFF outlines, {\\b bold} and {\\i italic} "
                                     "ones among them, long enough to wrap onto a second line of its page.\\par ";
        for (int i = 0; rtf.size() < 250000; ++i)
            rtf += QByteArray::number(i) + ' ' + paragraph;
        const QString ours = m_folder.filePath(QStringLiteral("cff.pdf"));
        QVERIFY(writtenBothWays(rtf + '}', ours));
        QVERIFY(poppler(QStringLiteral("pdffonts"), {ours}).contains(QStringLiteral("Type 0C (OT)")));

        QTextDocument shortOne;
        load(shortOne, "{\\rtf1\\ansi{\\fonttbl{\\f0 " + family.toLatin1() + ";}}\\f0 Short\\par}");
        const QString small = m_folder.filePath(QStringLiteral("short.pdf"));
        PdfExporter::write(shortOne, small, QStringLiteral("short"));
        QVERIFY(!poppler(QStringLiteral("pdffonts"), {small}).contains(QStringLiteral("Type 0C (OT)")));
    }

    // A page's text holds its own lines only: a line at the top of a page is not also in the
    // text of the page before, hidden there by the clip.
    void eachLineOnOnePage()
    {
        QByteArray rtf = "{\\rtf1\\ansi ";
        for (int i = 0; i < 300; ++i)
            rtf += "line" + QByteArray::number(i) + "\\par ";
        QTextDocument document;
        load(document, rtf + '}');
        const QString path = m_folder.filePath(QStringLiteral("lines.pdf"));
        PdfExporter::write(document, path, QStringLiteral("lines"));
        const QString text = poppler(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        QCOMPARE(text.count(QLatin1Char('\f')), 300 / 60 + 1);
        for (int i = 0; i < 300; ++i)
            QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\bline%1\\b").arg(i))), 1);
    }

    // A face without outlines of its own cannot be embedded: the document goes through Qt's
    // engine instead, complete, and nothing is left of the first attempt.
    void bitmapFaceGoesThroughQtsEngine()
    {
        QFont fixed(QStringLiteral("Fixed"));
        if (!QFontInfo(fixed).family().startsWith(QStringLiteral("Fixed")))
            QSKIP("no bitmap face named Fixed (xfonts-base)");
        QVERIFY_THROWS_EXCEPTION(PdfFonts::Unsupported, [&] {
            PdfFonts fonts(true);
            QBuffer out;
            out.open(QIODevice::WriteOnly);
            PdfFile file(out);
            fonts.fontFor(file, QRawFont::fromFont(fixed));
        }());

        QTemporaryDir folder;
        QTextDocument document;
        load(document, "{\\rtf1\\ansi{\\fonttbl{\\f0 Fixed;}}\\f0 Bitmap face words\\par}");
        const QString path = folder.filePath(QStringLiteral("fixed.pdf"));
        PdfExporter::write(document, path, QStringLiteral("fixed"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("fixed.pdf")});
        QVERIFY(poppler(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}).contains(QStringLiteral("Bitmap face words")));
    }

    // The subset keeps the outlines of the glyphs asked for, with the parts of composite ones
    // (é is an e and an accent in DejaVu Sans), and drops the others.
    void subsetKeepsWhatIsDrawn()
    {
        const QRawFont original = QRawFont::fromFont(QFont(QStringLiteral("DejaVu Sans"), 20));
        if (original.familyName() != QStringLiteral("DejaVu Sans"))
            QSKIP("DejaVu Sans is not installed");
        QVERIFY(TrueTypeSubset::canEmbed(original));
        const QList<quint32> kept = original.glyphIndexesForString(QStringLiteral("Aé"));
        const quint32 dropped = original.glyphIndexesForString(QStringLiteral("Z")).first();
        std::vector<bool> used(size_t(dropped) + 200, false);
        for (const quint32 glyph : kept)
            used[glyph] = true;

        const QRawFont subset(TrueTypeSubset::build(original, used), original.pixelSize());
        QVERIFY(subset.isValid());
        for (const quint32 glyph : kept) {
            const QPainterPath expected = original.pathForGlyph(glyph);
            const QPainterPath actual = subset.pathForGlyph(glyph);
            QVERIFY(!expected.isEmpty());
            QCOMPARE(actual.elementCount(), expected.elementCount());
            QCOMPARE(actual.boundingRect(), expected.boundingRect());
        }
        QVERIFY(!original.pathForGlyph(dropped).isEmpty());
        QVERIFY(subset.pathForGlyph(dropped).isEmpty());
    }

    void numbersAsPdfWritesThem_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("whole") << 12.0 << QByteArray("12");
        QTest::newRow("fraction") << 0.75 << QByteArray("0.75");
        QTest::newRow("negative") << -42.0625 << QByteArray("-42.0625");
        QTest::newRow("rounded to four places") << 1.23456 << QByteArray("1.2346");
        QTest::newRow("too small to show") << 0.00001 << QByteArray("0");
        QTest::newRow("no exponent") << 1e12 << QByteArray("1000000000000");
        QTest::newRow("not a number") << std::nan("") << QByteArray("0");
        QTest::newRow("beyond any page") << 1e300 << QByteArray("1000000000000");
    }

    void numbersAsPdfWritesThem()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, written);
        QByteArray out;
        PdfFile::appendNumber(out, value);
        QCOMPARE(out, written);
    }
};

int main(int argc, char** argv)
{
    // The bitmap faces, which Debian hides, are the faces that cannot be embedded.
    QTemporaryDir folder;
    BitmapFaces::showInThisProcess(folder.isValid() ? folder.path() : QString());
    QGuiApplication app(argc, argv);
    TestPdfOutput test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pdfoutput.moc"
