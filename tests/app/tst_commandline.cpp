// The command line: what it asks for, and the rules of conversions, run as a separate process on
// the built program without any display, as a script would.
#include "app/CommandLine.h"

#include "ProgramRun.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
ProgramRun lumaropad(const QStringList& arguments, const QString& folder)
{
    return ProgramRun::run(QStringLiteral(LUMAROPAD_PATH), arguments, folder);
}

QStringList words(const char* line)
{
    return QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts);
}

const QByteArray PictureRtf = "{\\rtf1\\ansi first {\\pict\\pngblip 89504e47}\\par}";
} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void init()
    {
        // Each case starts from the same files.
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        QVERIFY(TestFiles::write(path(QStringLiteral("a.rtf")), PictureRtf));
        QVERIFY(TestFiles::write(path(QStringLiteral("b.txt")), "plain\r\ntext"));
        QVERIFY(TestFiles::write(path(QStringLiteral("d1/x.rtf")), "{\\rtf1 from d1}"));
        QVERIFY(TestFiles::write(path(QStringLiteral("d2/x.rtf")), "{\\rtf1 from d2}"));
        QVERIFY(TestFiles::write(path(QStringLiteral("-dash.rtf")), "{\\rtf1 dashed}"));
    }

    // What the parser makes of a command line, before any application object exists.
    void parses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("qtArguments");
        using A = CommandLine::Action;
        QTest::newRow("nothing: the window")
            << QStringList() << int(A::OpenWindow) << QStringList() << QStringList();
        QTest::newRow("documents: the first is opened")
            << words("a.rtf b.rtf") << int(A::OpenWindow) << words("a.rtf b.rtf") << QStringList();
        QTest::newRow("names after -- are names")
            << words("-- -v --help") << int(A::OpenWindow) << words("-v --help") << QStringList();
        QTest::newRow("Qt's options go to Qt, not into the document")
            << words("-platform xcb a.rtf -style fusion -reverse") << int(A::OpenWindow) << words("a.rtf")
            << words("-platform xcb -style fusion -reverse");
        QTest::newRow("format in any case")
            << words("--convert-to=PDF x.rtf") << int(A::Convert) << words("x.rtf") << QStringList();
        QTest::newRow("-v") << words("-v a.rtf") << int(A::ShowVersion) << QStringList() << QStringList();
        QTest::newRow("-h") << words("-h") << int(A::ShowHelp) << QStringList() << QStringList();
    }

    void parses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QStringList, files);
        QFETCH(QStringList, qtArguments);
        const CommandLine line = CommandLine::parse(QStringList{QStringLiteral("lumaropad")} + arguments);
        QCOMPARE(int(line.action()), action);
        QCOMPARE(line.inputs(), files);
        QCOMPARE(line.document(), files.value(0));
        QCOMPARE(line.qtArguments(), qtArguments);
        if (line.action() == CommandLine::Action::Convert)
            QCOMPARE(line.format(), QStringLiteral("pdf"));
    }

    // A wrong command line is refused with exit status 2 before any window is tried: without a
    // display, anything else would end otherwise.
    void refusesWrongUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("says");
        QTest::newRow("unknown long option") << words("--bogus a.rtf") << "Unknown option 'bogus'";
        QTest::newRow("unknown short option") << words("-x") << "Unknown option 'x'";
        QTest::newRow("unknown option among conversions")
            << words("--convert-to txt --frobnicate a.rtf") << "Unknown option 'frobnicate'";
        QTest::newRow("unknown format") << words("--convert-to doc a.rtf") << "the formats are txt, rtf, pdf";
        QTest::newRow("format missing") << words("--convert-to") << "Missing value after '--convert-to'";
        QTest::newRow("no files") << words("--convert-to txt") << "no files to convert";
        QTest::newRow("outdir without a conversion")
            << words("--outdir x a.rtf") << "--outdir needs --convert-to";
        QTest::newRow("two files to standard output") << words("--convert-to txt --outdir - a.rtf b.txt")
                                                      << "one converted file to standard output, not 2";
    }

    void refusesWrongUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, says);
        const ProgramRun run = lumaropad(arguments, m_dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith(QStringLiteral("lumaropad: ")) && run.err.contains(says),
                 qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QCOMPARE(TestFiles::read(path(QStringLiteral("a.rtf"))), PictureRtf);
    }

    void helpAndVersionNeedNoDisplay()
    {
        const ProgramRun help = lumaropad(words("--help"), m_dir.path());
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("--convert-to FORMAT"));
        const ProgramRun version = lumaropad(words("-v"), m_dir.path());
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QByteArray("lumaropad " LUMARO_VERSION "\n"));
    }

    // Asking for the window without a display says so instead of aborting.
    void windowWithoutADisplay()
    {
        const ProgramRun run = lumaropad(words("a.rtf"), m_dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("no display")), qPrintable(run.err));
    }

    // No conversion replaces one of its inputs or another input's output; the files that are
    // refused are named with the reason, and the others are still converted.
    void neverOverwrites_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("refused");   // inputs named on standard error
        QTest::addColumn<QStringList>("converted"); // outputs that must exist
        QTest::newRow("rich text onto itself")
            << words("--convert-to rtf a.rtf") << words("a.rtf") << QStringList();
        QTest::newRow("text onto itself, through another spelling of its folder")
            << words("--convert-to txt --outdir d1/.. b.txt") << words("b.txt") << QStringList();
        QTest::newRow("onto another input") << words("--convert-to rtf --outdir d1 d2/x.rtf d1/x.rtf a.rtf")
                                            << words("d2/x.rtf d1/x.rtf") << words("d1/a.rtf");
        QTest::newRow("two inputs of one name: the first wins")
            << words("--convert-to txt --outdir out d1/x.rtf d2/x.rtf a.rtf") << words("d2/x.rtf")
            << words("out/x.txt out/a.txt");
    }

    void neverOverwrites()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, refused);
        QFETCH(QStringList, converted);
        const ProgramRun run = lumaropad(arguments, m_dir.path());
        QCOMPARE(run.exitCode, 1);
        const QStringList errors = run.err.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(errors.size(), refused.size());
        for (int i = 0; i < refused.size(); ++i) {
            QVERIFY2(errors[i].startsWith(QStringLiteral("lumaropad: %1: not converted: ").arg(refused[i])),
                     qPrintable(errors[i]));
        }
        for (const QString& output : converted)
            QVERIFY2(QFile::exists(path(output)), qPrintable(output));
        // The inputs are as they were.
        QCOMPARE(TestFiles::read(path(QStringLiteral("a.rtf"))), PictureRtf);
        QCOMPARE(TestFiles::read(path(QStringLiteral("b.txt"))), QByteArray("plain\r\ntext"));
        QCOMPARE(TestFiles::read(path(QStringLiteral("d1/x.rtf"))), QByteArray("{\\rtf1 from d1}"));
        if (QFile::exists(path(QStringLiteral("out/x.txt"))))
            QCOMPARE(TestFiles::read(path(QStringLiteral("out/x.txt"))), QByteArray("from d1\n"));
    }

    void aSymbolicLinkToAnInputIsNotReplaced()
    {
        QVERIFY(QDir().mkpath(path(QStringLiteral("out"))));
        QVERIFY(QFile::link(path(QStringLiteral("b.txt")), path(QStringLiteral("out/a.txt"))));
        const ProgramRun run = lumaropad(words("--convert-to txt --outdir out a.rtf b.txt"), m_dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("a.rtf: not converted")), qPrintable(run.err));
        QCOMPARE(TestFiles::read(path(QStringLiteral("b.txt"))), QByteArray("plain\r\ntext"));
        QCOMPARE(TestFiles::read(path(QStringLiteral("out/b.txt"))), QByteArray("plain\ntext\n"));
    }

    void namesStartingWithADashAfterTheOptions()
    {
        const ProgramRun run = lumaropad(words("--convert-to txt -- -dash.rtf"), m_dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(TestFiles::read(path(QStringLiteral("-dash.txt"))), QByteArray("dashed\n"));
    }

    void oneFileToStandardOutput_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("starts");
        QTest::newRow("text") << "txt" << QByteArray("from d1\n");
        QTest::newRow("rich text") << "rtf" << QByteArray("{\\rtf1");
        QTest::newRow("pdf") << "pdf" << QByteArray("%PDF-");
    }

    void oneFileToStandardOutput()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, starts);
        const ProgramRun run = lumaropad({QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"),
                                          QStringLiteral("-"), QStringLiteral("d1/x.rtf")},
                                         m_dir.path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith(starts), run.out.left(40).constData());
        QVERIFY2(!run.err.contains(QStringLiteral("lumaropad:")), qPrintable(run.err));
        QVERIFY(!QFile::exists(path(QStringLiteral("x.") + format)));
        QVERIFY(!QFile::exists(path(QStringLiteral("-"))));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
