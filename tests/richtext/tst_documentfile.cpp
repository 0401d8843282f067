// Loading and saving files: rich text first, else plain text; the messages; a failed save that
// leaves the old file intact.
#include "framework/AppError.h"
#include "richtext/DocumentDefaults.h"
#include "richtext/DocumentFile.h"
#include "richtext/DocumentFormat.h"
#include "richtext/ParagraphPieces.h"
#include "richtext/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace {
void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& error) {
        return error.message();
    }
    return QStringLiteral("no failure");
}
// Lists longer than a document holds as one list (DocumentFormat): numbered, then after a plain
// paragraph a numbered list anew, then bulleted.
QByteArray longLists()
{
    QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\\f0 ";
    const auto items = [&](int count, const char* marker) {
        for (int i = 1; i <= count; ++i)
            rtf += "{\\pntext " + QByteArray::number(i) + ".\\tab}" + marker + "\\fi-360\\li360 item\\par\n";
    };
    items(2 * DocumentFormat::NumbersPerList + 5, "{\\*\\pn\\pnlvlbody\\pndec}");
    rtf += "\\pard plain\\par ";
    items(2, "{\\*\\pn\\pnlvlbody\\pndec}");
    items(3 * DocumentFormat::BulletsPerList, "{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'B7}}");
    return rtf + "\\pard last}";
}
} // namespace

class TestDocumentFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // What read gives for a named pipe that another thread writes bytes into.
    template <typename Read>
    auto throughPipe(const QByteArray& bytes, Read read)
    {
        const QString pipe = path(QStringLiteral("pipe"));
        QFile::remove(pipe);
        if (::mkfifo(QFile::encodeName(pipe).constData(), 0600) != 0)
            qFatal("cannot make a pipe");
        std::thread writer([&] {
            QFile out(pipe);
            if (out.open(QIODevice::WriteOnly))
                out.write(bytes);
        });
        auto result = read(pipe);
        writer.join();
        return result;
    }

private slots:
    // A paragraph too long for one block is read as several and written back as one.
    void longParagraphRoundTrips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("line");
        QString words;
        while (words.size() < 2000)
            words += QStringLiteral("word, ");
        // No space to cut after: the cuts must not split a surrogate pair or strand a mark.
        QString unbroken;
        while (unbroken.size() < 2000)
            unbroken += QStringLiteral("ab\U0001F600e\u0301");
        QTest::newRow("text, words") << "a.txt" << words;
        QTest::newRow("text, unbroken") << "b.txt" << unbroken;
        QTest::newRow("rtf, words") << "a.rtf" << words;
        QTest::newRow("rtf, unbroken") << "b.rtf" << unbroken;
    }
    void longParagraphRoundTrips()
    {
        QFETCH(QString, name);
        QFETCH(QString, line);
        const bool rtf = name.endsWith(QLatin1String(".rtf"));
        const QString text = QStringLiteral("before\n") + line + QStringLiteral("\nafter");
        QByteArray original;
        if (rtf) {
            // Our own RTF of the text, written while nothing is cut.
            QTextDocument whole;
            whole.setPlainText(text);
            DocumentFile::save(whole, path(name));
            original = readBytes(path(name));
            QVERIFY(!original.contains("Continues"));
        } else {
            original = text.toUtf8();
            writeBytes(path(name), original);
        }

        const ParagraphPieces::Sizes usual = ParagraphPieces::sizes();
        ParagraphPieces::setSizes({1000, 100});
        QTextDocument document;
        PlainTextFormat format;
        DocumentFile::load(path(name), document, QTextCharFormat(), &format);
        ParagraphPieces::setSizes(usual);

        QVERIFY(document.blockCount() > 20);
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            QVERIFY(block.length() <= 101);
            const QString piece = block.text();
            QVERIFY(piece.isEmpty() || !(piece.front().isLowSurrogate() || piece.front().isMark()));
        }
        QCOMPARE(document.findBlock(0).next().text(), line.left(document.findBlock(0).next().length() - 1));
        const QString saved = path(QStringLiteral("saved-") + name);
        if (rtf)
            DocumentFile::save(document, saved);
        else
            DocumentFile::saveText(document, saved, format);
        QCOMPARE(readBytes(saved), original);
    }

    // RTF converted to RTF skips the document, and must come out as loading and saving it would
    // write it; text a document would break into paragraphs is left to that way. Paragraphs are
    // held in pieces of 20 characters here, so that runs cross the cuts.
    void copiesRichTextAsLoadAndSaveWrite_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<bool>("copied");
        QTest::newRow("formats, lists, tabs, a long paragraph")
            << QByteArray("{\\rtf1\\ansi\\deftab360{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern\\fcharset204\\fprq1 Courier;}}"
                          "{\\colortbl;\\red255\\green0\\blue0;}\\fs24 plain {\\b bold {\\i both}} \\f1 mono\\par"
                          "\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\fi-360\\li720\\tx1440\\tqr\\tldot\\tx4000 one\\tab two\\par"
                          "{\\pntext\\'b7\\tab}three\\par\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}\\fi-360\\li360 first\\par"
                          "{\\pntext 2.\\tab}second\\par\\pard\\qj a paragraph long enough to be held in several pieces, "
                          "{\\cf1\\ul with a red run across the cuts} and {\\super raised}{\\sub lowered}\\u8364? text after\\par"
                          "\\pard\\qc\\f0 last}")
            << true;
        QTest::newRow("long lists") << longLists() << true;
        QTest::newRow("the same run in two groups")
            << QByteArray("{\\rtf1 {\\b one}{\\b two} three\\par}") << true;
        QTest::newRow("tab stops out of order, one set twice")
            << QByteArray("{\\rtf1\\tx2000\\tx1000\\tqr\\tx1000 a\\tab b\\par}") << true;
        QTest::newRow("empty") << QByteArray("{\\rtf1}") << true;
        QTest::newRow("a paragraph separator in the text")
            << QByteArray("{\\rtf1 a\\u8233?b\\par c}") << false;
        QTest::newRow("a carriage return in the text") << QByteArray("{\\rtf1 a\\'0db}") << false;
        QTest::newRow("plain text") << QByteArray("not rich") << false;
    }

    void copiesRichTextAsLoadAndSaveWrite()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(bool, copied);
        writeBytes(path(QStringLiteral("copy-in.rtf")), rtf);
        const QString copy = path(QStringLiteral("copy-out.rtf"));
        const QString saved = path(QStringLiteral("saved-out.rtf"));
        QFile::remove(copy);

        const ParagraphPieces::Sizes usual = ParagraphPieces::sizes();
        ParagraphPieces::setSizes({30, 20});
        // As the editor opens a file: text that names no face or size takes its defaults.
        QTextCharFormat defaults;
        defaults.setFontFamilies(QStringList{QStringLiteral("MS Sans Serif")});
        DocumentFormat::setSizeTwips(defaults, 160);
        QTextDocument document;
        DocumentFile::load(path(QStringLiteral("copy-in.rtf")), document, defaults);
        DocumentDefaults::setCharFormat(document, defaults);
        DocumentFile::save(document, saved);
        const bool done =
            DocumentFile::copyRichText(path(QStringLiteral("copy-in.rtf")), copy, QStringLiteral("MS Sans Serif"));
        ParagraphPieces::setSizes(usual);

        QCOMPARE(done, copied);
        QCOMPARE(QFile::exists(copy), copied);
        if (copied)
            QCOMPARE(readBytes(copy), readBytes(saved));
        if (QTest::currentDataTag() == QByteArrayLiteral("formats, lists, tabs, a long paragraph"))
            QVERIFY(document.blockCount() > 8); // the long paragraph was held in pieces
    }

    void richTextFirstElsePlainText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("rich");
        QTest::addColumn<QString>("text");
        QTest::newRow("rtf named .txt")
            << "a.txt" << QByteArray("{\\rtf1 {\\b bold} text}") << true << "bold text";
        QTest::newRow("text named .rtf")
            << "b.rtf" << QByteArray("plain {\\b} text\r\nline") << false << "plain {\\b} text\nline";
        QTest::newRow("empty file") << "c.rtf" << QByteArray() << false << QString();
    }

    void richTextFirstElsePlainText()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, rich);
        QFETCH(QString, text);
        writeBytes(path(name), bytes);
        QTextDocument document;
        const auto kind = DocumentFile::load(path(name), document, QTextCharFormat());
        QCOMPARE(kind == DocumentFile::Kind::RichText, rich);
        QCOMPARE(document.toPlainText(), text);
        QCOMPARE(DocumentFile::loadText(path(name)), text);

        // The same through a pipe (a shell's <(...)), which is read once and cannot seek.
        QTextDocument piped;
        const auto pipedKind = throughPipe(
            bytes, [&](const QString& pipe) { return DocumentFile::load(pipe, piped, QTextCharFormat()); });
        QCOMPARE(pipedKind == DocumentFile::Kind::RichText, rich);
        QCOMPARE(piped.toPlainText(), text);
        QCOMPARE(throughPipe(bytes, [](const QString& pipe) { return DocumentFile::loadText(pipe); }), text);
    }

    void cannotOpenLeavesTheDocument()
    {
        QTextDocument document;
        document.setPlainText(QStringLiteral("kept"));
        const QString missing = path(QStringLiteral("missing.rtf"));
        QCOMPARE(failureOf([&] { DocumentFile::load(missing, document, QTextCharFormat()); }),
                 QStringLiteral("Cannot open file %1").arg(missing));
        QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
        QCOMPARE(failureOf([&] { DocumentFile::loadText(missing); }),
                 QStringLiteral("Cannot open file %1").arg(missing));
    }

    void savesRtfWhateverTheExtension()
    {
        QTextDocument document;
        document.setPlainText(QStringLiteral("saved text"));
        const QString target = path(QStringLiteral("notes.txt"));
        DocumentFile::save(document, target);
        const QByteArray bytes = readBytes(target);
        QVERIFY(bytes.startsWith("{\\rtf1"));
        QString text;
        QVERIFY(RtfReader::readText(bytes, text));
        QCOMPARE(text, QStringLiteral("saved text"));
    }

    void cannotCreate()
    {
        QTextDocument document;
        const QString target = path(QStringLiteral("no/such/folder/x.rtf"));
        QCOMPARE(failureOf([&] { DocumentFile::save(document, target); }),
                 QStringLiteral("Cannot create file %1: No such file or directory").arg(target));
    }

    void replacingKeepsPermissions()
    {
        const QString target = path(QStringLiteral("perms.rtf"));
        writeBytes(target, "old");
        const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(target, permissions));
        QTextDocument document;
        document.setPlainText(QStringLiteral("new"));
        DocumentFile::save(document, target);
        QCOMPARE(QFile::permissions(target) & 0x7077, permissions & 0x7077); // owner, group, others
        QVERIFY(readBytes(target).startsWith("{\\rtf1"));
    }

    // The file system refuses the write part-way (a file-size limit works for root too): the
    // old file is still whole and no temporary file is left.
    void failedSaveLeavesTheOldFile()
    {
        const QString target = path(QStringLiteral("precious.rtf"));
        const QByteArray old = "{\\rtf1 the old document}";
        writeBytes(target, old);

        QTextDocument document;
        document.setPlainText(QString(200000, u'x'));
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const QString message = failureOf([&] { DocumentFile::save(document, target); });
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(message, QStringLiteral("Failed to Save Stream: File too large"));
        QCOMPARE(readBytes(target), old);
        QCOMPARE(QDir(m_dir.path()).entryList(QStringList{QStringLiteral("precious*")}, QDir::Files),
                 QStringList{QStringLiteral("precious.rtf")});
    }
};

QTEST_MAIN(TestDocumentFile)
#include "tst_documentfile.moc"
