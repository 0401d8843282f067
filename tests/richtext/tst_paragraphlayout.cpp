// Where paragraphs put their text: tab stops from the margin, default stops, the hanging indent as
// a stop, and the text after a bullet or number, as word processors print the same RTF (the
// positions are LibreOffice's, measured on its printed pages), and where the markers are drawn.
#include "richtext/DocumentFormat.h"
#include "richtext/ParagraphDecorations.h"
#include "richtext/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {
constexpr double PixelsPerPoint = DocumentFormat::ScreenDpi / 72.0;

// The document of one paragraph, laid out for the screen as the editor lays it out.
void readParagraph(QTextDocument& document, const QByteArray& header, const QByteArray& paragraph)
{
    const QByteArray rtf = "{\\rtf1\\ansi" + header + "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fcharset2 Symbol;}}\\f0\\fs24 " +
                           paragraph + "}";
    QVERIFY(RtfReader::read(rtf, document));
    document.setDocumentMargin(0); // the text area starts at the margin, as on the page
    document.setTextWidth(600 * PixelsPerPoint);
    document.documentLayout()->documentSize();
}

// Points from the left edge where the paragraph's text starts, and where the text after each of
// its tabs starts.
QList<double> textStarts(const QTextBlock& block)
{
    QList<double> starts;
    const QString text = block.text();
    const QTextLayout* layout = block.layout();
    for (int i = 0; i <= text.size(); ++i) {
        if (i == 0 || text.at(i - 1) == u'\t') {
            const QTextLine line = layout->lineForTextPosition(i);
            starts.append(qRound((layout->position().x() + line.cursorToX(i)) / PixelsPerPoint * 10) / 10.0);
        }
    }
    return starts;
}
} // namespace

class TestParagraphLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textStartsWhereReadersPutIt_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("paragraph");
        QTest::addColumn<QList<double>>("starts");
        const QByteArray bullet = "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'B7}}";
        const QByteArray number = "{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}";
        QTest::newRow("default stops every half inch") << QByteArray() << QByteArray("A\\tab B\\tab C")
                                                       << QList<double>{0, 36, 72};
        QTest::newRow("default stops of the document") << QByteArray("\\deftab360") << QByteArray("A\\tab B\\tab C")
                                                       << QList<double>{0, 18, 36};
        QTest::newRow("stops count from the margin, not the indent")
            << QByteArray() << QByteArray("\\li720 I\\tab J\\tab K") << QList<double>{36, 72, 108};
        QTest::newRow("default stops only after the explicit ones")
            << QByteArray() << QByteArray("\\li360\\tx2880 O\\tab P\\tab Q") << QList<double>{18, 144, 180};
        QTest::newRow("the hanging indent is a stop") << QByteArray() << QByteArray("\\fi-720\\li720 L\\tab M\\tab N")
                                                      << QList<double>{0, 36, 72};
        QTest::newRow("and default stops before it do not count")
            << QByteArray() << QByteArray("\\fi-1440\\li1440 a\\tab b") << QList<double>{0, 72};
        QTest::newRow("first line indented to a stop of its own")
            << QByteArray() << QByteArray("\\fi360\\tx2160 R\\tab S\\tab T") << QList<double>{18, 108, 144};
        QTest::newRow("hanging bullet") << QByteArray() << bullet + "\\fi-360\\li360 text" << QList<double>{18};
        QTest::newRow("bullet at no indent: text at the next default stop")
            << QByteArray() << bullet + "\\li0 text" << QList<double>{36};
        QTest::newRow("bullet beyond the left indent") << QByteArray() << bullet + "\\fi360\\li720 text"
                                                       << QList<double>{72};
        QTest::newRow("bullet hanging by an inch") << QByteArray() << bullet + "\\fi-1440\\li1440 text"
                                                   << QList<double>{72};
        QTest::newRow("bullet before an explicit stop") << QByteArray() << bullet + "\\fi-360\\li360\\tx2880 a\\tab b"
                                                        << QList<double>{18, 144};
        QTest::newRow("number") << QByteArray() << number + "\\fi-360\\li360 text" << QList<double>{18};
    }

    void textStartsWhereReadersPutIt()
    {
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, paragraph);
        QFETCH(QList<double>, starts);
        QTextDocument document;
        readParagraph(document, header, paragraph);
        QCOMPARE(textStarts(document.begin()), starts);
    }

    void rightAndCentredStopsAlignTheTextAfterThem()
    {
        QTextDocument document;
        readParagraph(document, QByteArray(), "\\tqr\\tx8640\\tqc\\tx4320 a\\tab centred\\tab right");
        const QTextBlock block = document.begin();
        const QTextLine line = block.layout()->lineAt(0);
        const QString text = block.text();
        // The right stop: the text ends at 432 points.
        QCOMPARE(qRound(line.cursorToX(int(text.size())) / PixelsPerPoint), 432);
        // The centred one: its text is centred on 216 points.
        const qsizetype from = text.indexOf(QLatin1String("centred"));
        const double middle = (line.cursorToX(int(from)) + line.cursorToX(int(from + 7))) / 2 / PixelsPerPoint;
        QVERIFY2(qAbs(middle - 216) < 1, qPrintable(QString::number(middle)));
    }

    // The marker stands at the first-line indent, before the text, drawn without a symbol face.
    void markersAreDrawnAtTheFirstLineIndent_data()
    {
        QTest::addColumn<QByteArray>("paragraph");
        QTest::addColumn<double>("marker");
        QTest::newRow("hanging bullet") << QByteArray("{\\*\\pn\\pnlvlblt\\pnf1}\\fi-360\\li360 text") << 0.0;
        QTest::newRow("bullet beyond the left indent") << QByteArray("{\\*\\pn\\pnlvlblt\\pnf1}\\fi360\\li720 text")
                                                       << 54.0;
        QTest::newRow("number") << QByteArray("{\\*\\pn\\pnlvlbody\\pndec}\\fi-360\\li1080 text") << 36.0;
    }

    void markersAreDrawnAtTheFirstLineIndent()
    {
        QFETCH(QByteArray, paragraph);
        QFETCH(double, marker);
        QTextDocument document;
        readParagraph(document, QByteArray(), paragraph);
        const double text = textStarts(document.begin()).first();
        QImage image(int(600 * PixelsPerPoint), 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        ParagraphDecorations::paint(painter, document, QRectF(image.rect()), DocumentFormat::ScreenDpi, Qt::black);
        painter.end();
        // Ink from the marker's position on, and none from the text's (only the marker is drawn).
        int firstInk = -1, lastInk = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qGray(image.pixel(x, y)) < 128) {
                    firstInk = firstInk < 0 ? x : firstInk;
                    lastInk = x;
                    break;
                }
            }
        }
        QVERIFY(firstInk >= 0);
        QVERIFY2(qAbs(firstInk / PixelsPerPoint - marker) < 2, qPrintable(QString::number(firstInk / PixelsPerPoint)));
        QVERIFY(lastInk / PixelsPerPoint < text);
    }
};

QTEST_MAIN(TestParagraphLayout)
#include "tst_paragraphlayout.moc"
