// The command line without a window, run as a separate process on the built program.
#include "ProgramRun.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
ProgramRun lumaropad(const QStringList& arguments, const QString& folder)
{
    return ProgramRun::run(QStringLiteral(LUMAROPAD_PATH), arguments, folder);
}
} // namespace

class TestHeadless : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(TestFiles::write(m_dir.filePath(QStringLiteral("rich.rtf")),
                                 "{\\rtf1\\ansi {\\b caf\\'e9}\\par second\\line line}"));
        QVERIFY(TestFiles::write(m_dir.filePath(QStringLiteral("plain.name.txt")), "plain\r\ntext"));
    }

    void convertsToTextInTheCurrentFolder()
    {
        const ProgramRun run = lumaropad({QStringLiteral("--convert-to"), QStringLiteral("txt"),
                                   QStringLiteral("rich.rtf")},
                                  m_dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(TestFiles::read(m_dir.filePath(QStringLiteral("rich.txt"))), QByteArray("café\nsecond\nline\n"));
        // Only the last extension is replaced.
        const ProgramRun plain = lumaropad({QStringLiteral("--convert-to"), QStringLiteral("txt"), QStringLiteral("--outdir"),
                                     QStringLiteral("text"), QStringLiteral("plain.name.txt")},
                                    m_dir.path());
        QCOMPARE(plain.exitCode, 0);
        QCOMPARE(TestFiles::read(m_dir.filePath(QStringLiteral("text/plain.name.txt"))), QByteArray("plain\ntext\n"));
    }

    void convertsToRtfInAnOutputFolder()
    {
        const QString out = m_dir.filePath(QStringLiteral("out/nested"));
        const ProgramRun run = lumaropad({QStringLiteral("--convert-to=rtf"), QStringLiteral("--outdir"), out,
                                   m_dir.filePath(QStringLiteral("rich.rtf"))},
                                  m_dir.path());
        QCOMPARE(run.exitCode, 0);
        const QByteArray rtf = TestFiles::read(out + QStringLiteral("/rich.rtf"));
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.contains("\\b"));
        // Text that names no face, and plain text, take the editor's defaults, as Save in the
        // window writes them, never a face without a name.
        QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset1 MS Sans Serif;}}"));
        const ProgramRun plain = lumaropad({QStringLiteral("--convert-to=rtf"), QStringLiteral("--outdir"), out,
                                            m_dir.filePath(QStringLiteral("plain.name.txt"))},
                                           m_dir.path());
        QCOMPARE(plain.exitCode, 0);
        const QByteArray text = TestFiles::read(out + QStringLiteral("/plain.name.rtf"));
        QVERIFY(text.contains("{\\fonttbl{\\f0\\fnil\\fcharset1 MS Sans Serif;}}"));
        QVERIFY(text.contains("{\\f0\\fs16 plain}"));
    }

    void convertsToPdfWithThePrintedPagination()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are not installed");
        QByteArray rtf = "{\\rtf1\\ansi\\fs24 ";
        for (int i = 0; i < 400; ++i)
            rtf += "Paragraph " + QByteArray::number(i) + "\\par ";
        QVERIFY(TestFiles::write(m_dir.filePath(QStringLiteral("long.rtf")), rtf + "The end.}"));
        const ProgramRun run = lumaropad({QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("long.rtf"),
                                   QStringLiteral("plain.name.txt")},
                                  m_dir.path());
        QCOMPARE(run.exitCode, 0);
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {m_dir.filePath(QStringLiteral("long.pdf"))});
        QVERIFY(info.waitForFinished());
        const QString details = QString::fromUtf8(info.readAllStandardOutput());
        const int pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(details).captured(1).toInt();
        QVERIFY2(pages >= 6 && pages <= 12, qPrintable(details)); // 400 lines of 12 points
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {m_dir.filePath(QStringLiteral("long.pdf")), QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY(printed.contains(QStringLiteral("Paragraph 0\n")));
        QVERIFY(printed.contains(QStringLiteral("Paragraph 399\n")));
        QVERIFY(printed.contains(QStringLiteral("The end.")));
        QVERIFY(TestFiles::read(m_dir.filePath(QStringLiteral("plain.name.pdf"))).startsWith("%PDF-"));
    }

    // The pages are of the paper LC_PAPER names, whatever LC_MEASUREMENT says. The locales are
    // compiled into a folder of the test's own (LOCPATH).
    void pdfPaperFollowsLcPaper_data()
    {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<QString>("measurement");
        QTest::addColumn<QString>("size");
        QTest::newRow("US paper, metric measures") << "en_US.UTF-8" << "de_DE.UTF-8" << "612 x 792 pts (letter)";
        QTest::newRow("A4 paper, US measures") << "de_DE.UTF-8" << "en_US.UTF-8" << "595 x 842 pts (A4)";
    }

    void pdfPaperFollowsLcPaper()
    {
        QFETCH(QString, paper);
        QFETCH(QString, measurement);
        QFETCH(QString, size);
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("poppler-utils are not installed");
        const QString locales = m_dir.filePath(QStringLiteral("locales"));
        QVERIFY(QDir().mkpath(locales));
        for (const QString& locale : {paper, measurement}) {
            if (QFileInfo::exists(locales + u'/' + locale))
                continue;
            QProcess localedef;
            localedef.start(QStringLiteral("localedef"),
                            {QStringLiteral("-i"), locale.section(u'.', 0, 0), QStringLiteral("-f"),
                             QStringLiteral("UTF-8"), locales + u'/' + locale});
            if (!localedef.waitForFinished(60000) || localedef.exitCode() != 0)
                QSKIP("cannot compile the locales (Debian package locales)");
        }
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("LOCPATH"), locales);
        environment.insert(QStringLiteral("LC_ALL"), QString());
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        environment.insert(QStringLiteral("LC_PAPER"), paper);
        environment.insert(QStringLiteral("LC_MEASUREMENT"), measurement);
        const ProgramRun run = ProgramRun::run(QStringLiteral(LUMAROPAD_PATH),
                                               {QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                                                QStringLiteral("--outdir"), QStringLiteral("paper"),
                                                QStringLiteral("rich.rtf")},
                                               m_dir.path(), environment);
        QCOMPARE(run.exitCode, 0);
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {m_dir.filePath(QStringLiteral("paper/rich.pdf"))});
        QVERIFY(info.waitForFinished());
        const QString details = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(details.contains(QStringLiteral("Page size:       ") + size), qPrintable(details));
    }

    void aFailingFileDoesNotStopTheOthers()
    {
        const QString out = m_dir.filePath(QStringLiteral("mixed"));
        const ProgramRun run =
            lumaropad({QStringLiteral("--convert-to"), QStringLiteral("txt"), QStringLiteral("--outdir"), out,
                       QStringLiteral("missing.rtf"), QStringLiteral("rich.rtf")},
                      m_dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("missing.rtf: Cannot open file missing.rtf")),
                 qPrintable(run.err));
        QVERIFY(QFile::exists(out + QStringLiteral("/rich.txt")));
        QVERIFY(!QFile::exists(out + QStringLiteral("/missing.txt")));
    }
};

QTEST_MAIN(TestHeadless)
#include "tst_headless.moc"
