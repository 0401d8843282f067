// The command line without a window, run as a separate process on the built program.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Run {
    int exitCode;
    QString out;
    QString err;
};

Run lumaropad(const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // it must not need one
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(LUMAROPAD_PATH), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}, QStringLiteral("did not finish normally")};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
} // namespace

class TestHeadless : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        writeBytes(m_dir.filePath(QStringLiteral("rich.rtf")),
                   "{\\rtf1\\ansi {\\b caf\\'e9}\\par second\\line line}");
        writeBytes(m_dir.filePath(QStringLiteral("plain.name.txt")), "plain\r\ntext");
    }

    void helpAndVersion()
    {
        const Run help = lumaropad({QStringLiteral("--help")}, m_dir.path());
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains(QStringLiteral("--convert-to")));
        const Run version = lumaropad({QStringLiteral("--version")}, m_dir.path());
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out.trimmed(), QStringLiteral("lumaropad " LUMARO_VERSION));
    }

    void convertsToTextInTheCurrentFolder()
    {
        const Run run = lumaropad({QStringLiteral("--convert-to"), QStringLiteral("txt"),
                                   QStringLiteral("rich.rtf"), QStringLiteral("plain.name.txt")},
                                  m_dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(readBytes(m_dir.filePath(QStringLiteral("rich.txt"))), QByteArray("café\nsecond\nline\n"));
        // The output replaces the input of the same name only after reading it whole.
        QCOMPARE(readBytes(m_dir.filePath(QStringLiteral("plain.name.txt"))), QByteArray("plain\ntext\n"));
    }

    void convertsToRtfInAnOutputFolder()
    {
        const QString out = m_dir.filePath(QStringLiteral("out/nested"));
        const Run run = lumaropad({QStringLiteral("--convert-to=rtf"), QStringLiteral("--outdir"), out,
                                   m_dir.filePath(QStringLiteral("rich.rtf"))},
                                  m_dir.path());
        QCOMPARE(run.exitCode, 0);
        const QByteArray rtf = readBytes(out + QStringLiteral("/rich.rtf"));
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.contains("\\b"));
    }

    void convertsToPdfWithThePrintedPagination()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are not installed");
        QByteArray rtf = "{\\rtf1\\ansi\\fs24 ";
        for (int i = 0; i < 400; ++i)
            rtf += "Paragraph " + QByteArray::number(i) + "\\par ";
        writeBytes(m_dir.filePath(QStringLiteral("long.rtf")), rtf + "The end.}");
        const Run run = lumaropad({QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("long.rtf"),
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
        QVERIFY(readBytes(m_dir.filePath(QStringLiteral("plain.name.pdf"))).startsWith("%PDF-"));
    }

    void aFailingFileDoesNotStopTheOthers()
    {
        const QString out = m_dir.filePath(QStringLiteral("mixed"));
        const Run run =
            lumaropad({QStringLiteral("--convert-to"), QStringLiteral("txt"), QStringLiteral("--outdir"), out,
                       QStringLiteral("missing.rtf"), QStringLiteral("rich.rtf")},
                      m_dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("missing.rtf: Cannot open file missing.rtf")),
                 qPrintable(run.err));
        QVERIFY(QFile::exists(out + QStringLiteral("/rich.txt")));
        QVERIFY(!QFile::exists(out + QStringLiteral("/missing.txt")));
    }

    void badUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown format")
            << QStringList{QStringLiteral("--convert-to"), QStringLiteral("doc"), QStringLiteral("rich.rtf")};
        QTest::newRow("no files") << QStringList{QStringLiteral("--convert-to"), QStringLiteral("txt")};
        QTest::newRow("format missing") << QStringList{QStringLiteral("--convert-to")};
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--convert-to"), QStringLiteral("txt"),
                           QStringLiteral("--frobnicate"), QStringLiteral("rich.rtf")};
        QTest::newRow("outdir without a conversion")
            << QStringList{QStringLiteral("--outdir"), QStringLiteral("x")};
    }

    void badUsage()
    {
        QFETCH(QStringList, arguments);
        const Run run = lumaropad(arguments, m_dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.startsWith(QStringLiteral("lumaropad: ")));
    }
};

QTEST_MAIN(TestHeadless)
#include "tst_headless.moc"
