// Run by cups_print.sh against a private CUPS scheduler whose default printer is a PDF queue:
// prints a long document through the window's print command.

#include "MainWindowFixture.h"
#include "richtext/TCustomRichEdit.h"

#include <QDir>
#include <QTest>

class TestCupsPrint : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void printsThroughThePrintCommand()
    {
        const QString folder = qEnvironmentVariable("LUMARO_PRINT_FOLDER");
        if (folder.isEmpty())
            QSKIP("run by cups_print.sh, which starts the scheduler");
        const QString document = QDir(folder).filePath(QStringLiteral("Quarterly report.rtf"));
        QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
        for (int i = 0; i < 200; ++i)
            rtf += "paragraph " + QByteArray::number(i) + "\\par ";
        MainWindowFixture::writeFile(document, rtf + "}");

        MainWindowFixture fixture({document});
        fixture.show();
        QCOMPARE(fixture.form().documentName(), document);
        fixture.dialogs().printAnswers = {true};
        QTest::keyClick(&fixture.editor(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(fixture.dialogs().asked, QStringList{"print"});
        QCOMPARE(fixture.dialogs().errors, QStringList());
    }
};

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
