// Printing a document page by page, checked on PDF output with poppler's tools.

#include "framework/AppError.h"
#include "framework/TPrinter.h"
#include "richtext/PageRenderer.h"
#include "richtext/RichEditPrinter.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"
#include "richtext/TTextAttributes.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

namespace {
// Output of a poppler tool, or a skip when it is not installed.
QString popplerOutput(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString& pdf)
{
    const QString info = popplerOutput(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}
} // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

    QString print(TCustomRichEdit& editor, const QString& name)
    {
        const QString pdf = m_folder.filePath(name);
        TPrinter::instance().selectPdfFile(pdf);
        RichEditPrinter::print(editor, QStringLiteral("/home/user/%1.rtf").arg(name));
        return pdf;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("poppler-utils are not installed");
    }

    void renderingWidthFollowsThePrintersResolution_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QSize>("twips");
        QTest::newRow("600 dpi, 8 inches wide") << QSize(4800, 6000) << 600 << QSize(11520, 14400);
        QTest::newRow("truncated") << QSize(1001, 999) << 300 << QSize(4804, 4795);
    }

    void renderingWidthFollowsThePrintersResolution()
    {
        QFETCH(QSize, pixels);
        QFETCH(int, dpi);
        QFETCH(QSize, twips);
        QCOMPARE(PageRenderer::renderingRectTwips(pixels, dpi, dpi), QRect(QPoint(0, 0), twips));
    }

    void longDocumentGivesThePagesItNeeds()
    {
        TCustomRichEdit editor;
        QTextCursor cursor(editor.document());
        for (int i = 0; i < 300; ++i)
            cursor.insertText(QStringLiteral("Line %1 of a long document\n").arg(i));
        cursor.insertText(QStringLiteral("The last line"));
        const QString pdf = print(editor, QStringLiteral("long.pdf"));
        const int pages = pdfPages(pdf);
        QVERIFY2(pages >= 4 && pages <= 12, qPrintable(QString::number(pages)));
        const QString text = popplerOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        // Each line once: a line that only touches a page's edge is not drawn, hidden, there too.
        for (int i = 0; i < 300; ++i)
            QCOMPARE(text.count(QStringLiteral("Line %1 of a long document").arg(i)), 1);
        QVERIFY(text.contains(QStringLiteral("The last line")));
        // Every page but the last is full: no line is lost or cut between pages.
        const QString lastPage = popplerOutput(QStringLiteral("pdftotext"),
                                               {QStringLiteral("-f"), QString::number(pages), pdf, QStringLiteral("-")});
        QVERIFY(lastPage.contains(QStringLiteral("The last line")));
        QVERIFY(popplerOutput(QStringLiteral("pdfinfo"), {pdf}).contains(QStringLiteral("/home/user/long.pdf.rtf")));
    }

    void defaultAttributesArePrinted()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm is not installed");
        TCustomRichEdit editor;
        editor.defaultAttributes()->setColor(Colors::clRed);
        editor.defaultAttributes()->setSize(48);
        QTextCursor(editor.document()).insertText(QStringLiteral("MMMM"));
        const QString pdf = print(editor, QStringLiteral("red.pdf"));
        const QString png = m_folder.filePath(QStringLiteral("red"));
        QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"),
                                                       QStringLiteral("-singlefile"), pdf, png});
        const QImage page(png + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        int red = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            }
        QVERIFY2(red > 5, "the text's default colour is not on the page");
    }

    // The printer lays paragraphs out at its own resolution as the screen does at its own: the
    // bullet at the first-line indent, the text after it and after each tab where word
    // processors print them (points from the margin, as LibreOffice prints this document).
    void printedParagraphsKeepTheirLayout()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("layout.rtf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\\f0\\fs24 "
                   "\\pard A\\tab default\\par "
                   "\\pard{\\*\\pn\\pnlvlblt\\pnf1}\\fi-360\\li720 Hanging\\par "
                   "\\pard\\li360\\tx2880 Indented\\tab x\\tab next\\par "
                   "\\pard\\tqr\\tx8640 Left\\tab right}");
        file.close();
        TCustomRichEdit editor;
        editor.lines()->LoadFromFile(path);
        const QString bbox =
            popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), print(editor, QStringLiteral("layout.pdf")),
                                                        QStringLiteral("-")});
        QHash<QString, QPair<double, double>> words; // left and right edges
        const QRegularExpression word(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\"[^>]*>([^<]+)<"));
        for (auto it = word.globalMatch(bbox); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            words.insert(m.captured(3), {m.captured(1).toDouble(), m.captured(2).toDouble()});
        }
        QVERIFY2(words.contains(QStringLiteral("A")), qPrintable(bbox));
        const double margin = words.value(QStringLiteral("A")).first;
        const QList<QPair<QString, double>> expected{{QStringLiteral("default"), 36}, {QString(QChar(0x2022)), 18},
                                                     {QStringLiteral("Hanging"), 36},  {QStringLiteral("Indented"), 18},
                                                     {QStringLiteral("x"), 144}, {QStringLiteral("next"), 180}};
        for (const auto& [text, points] : expected) {
            QVERIFY2(words.contains(text), qPrintable(text));
            const double at = words.value(text).first - margin;
            QVERIFY2(qAbs(at - points) < 1, qPrintable(QStringLiteral("%1 at %2, not %3").arg(text).arg(at).arg(points)));
        }
        QVERIFY(qAbs(words.value(QStringLiteral("right")).second - margin - 432) < 1);
    }

    void emptyDocumentGivesOneBlankPage()
    {
        TCustomRichEdit editor;
        QCOMPARE(pdfPages(print(editor, QStringLiteral("empty.pdf"))), 1);
    }

    void aJobUnderWayRefusesAnotherAndAnAbortedOneFreesThePrinter()
    {
        TCustomRichEdit editor;
        TPrinter& printer = TPrinter::instance();
        printer.selectPdfFile(m_folder.filePath(QStringLiteral("first.pdf")));
        printer.BeginDoc();
        try {
            RichEditPrinter::print(editor, QStringLiteral("second"));
            QFAIL("a second job started while one was under way");
        } catch (const AppError& error) {
            QCOMPARE(error.message(), QStringLiteral("Printing in progress"));
        }
        printer.Abort();
        QVERIFY(!printer.printing());
        QCOMPARE(pdfPages(print(editor, QStringLiteral("after.pdf"))), 1);
        try {
            printer.NewPage();
            QFAIL("a new page outside a job");
        } catch (const AppError& error) {
            QCOMPARE(error.message(), QStringLiteral("Printer is not currently printing"));
        }
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
