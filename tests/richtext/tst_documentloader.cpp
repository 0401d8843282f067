// Loading a document on a thread of its own: progress, cancelling (also once the read has ended)
// and failures; the readers stop when asked to.

#include "richtext/DocumentLoader.h"
#include "richtext/PlainTextReader.h"
#include "richtext/ReadProgress.h"
#include "richtext/RtfReader.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCharFormat>
#include <QTextDocument>

namespace {
// Paragraphs enough for the readers to report progress more than once.
QByteArray largeRtf()
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 ";
    for (int i = 0; i < 6000; ++i)
        rtf += "Paragraph " + QByteArray::number(i) + " with {\\b some bold} words in it.\\par\n";
    return rtf + "The end.}";
}

QByteArray largeText()
{
    QByteArray text;
    for (int i = 0; i < 40000; ++i)
        text += "Line " + QByteArray::number(i) + " of plain text\r\n";
    return text;
}

// Records how far the read came; stops it at the report numbered stopAt.
class Recorder : public ReadProgress {
public:
    explicit Recorder(int stopAt = -1) : m_stopAt(stopAt) {}
    void report(qint64 done, qint64 total) override
    {
        QVERIFY(done >= 0 && done <= total);
        reports.append(done);
        if (reports.size() == m_stopAt)
            throw ReadCancelled();
    }
    QList<qint64> reports;

private:
    int m_stopAt;
};
} // namespace

class TestDocumentLoader : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QString();
        return path;
    }

private Q_SLOTS:
    void readersReportProgressAndStopWhenAsked_data()
    {
        QTest::addColumn<bool>("rich");
        QTest::newRow("rich text") << true;
        QTest::newRow("plain text") << false;
    }

    void readersReportProgressAndStopWhenAsked()
    {
        QFETCH(bool, rich);
        const QByteArray data = rich ? largeRtf() : largeText();
        auto read = [&](QTextDocument& document, ReadProgress& progress) {
            if (rich)
                QVERIFY(RtfReader::read(data, document, &progress));
            else
                PlainTextReader::read(data, document, QTextCharFormat(), nullptr, &progress);
        };
        QTextDocument whole;
        Recorder all;
        read(whole, all);
        QVERIFY(all.reports.size() > 2);
        QVERIFY(std::is_sorted(all.reports.begin(), all.reports.end()));
        QVERIFY(whole.toPlainText().endsWith(rich ? QStringLiteral("The end.") : QStringLiteral("Line 39999 of plain text\n")));

        QTextDocument stopped;
        Recorder second(2);
        QVERIFY_THROWS_EXCEPTION(ReadCancelled, read(stopped, second));
        QCOMPARE(second.reports.size(), 2);
    }

    void loadsOnItsOwnThreadWithProgress()
    {
        DocumentLoader loader;
        QSignalSpy progress(&loader, &DocumentLoader::progressed);
        QSignalSpy finished(&loader, &DocumentLoader::finished);
        QTextCharFormat defaults;
        defaults.setFontPointSize(11);
        loader.start(write(QStringLiteral("large.rtf"), largeRtf()), defaults);
        QVERIFY(loader.isLoading());
        QVERIFY(finished.wait(30000));
        QVERIFY(!loader.isLoading());
        DocumentLoader::Result result = loader.takeResult();
        QVERIFY(result.document);
        QCOMPARE(result.document->thread(), thread());
        QVERIFY(result.document->toPlainText().endsWith(QStringLiteral("The end.")));
        QCOMPARE(result.kind, DocumentFile::Kind::RichText);
        QVERIFY(!progress.isEmpty());
        QVERIFY(progress.last().at(0).toInt() <= 100);
    }

    void aCancelWinsEvenAfterTheReadHasEnded()
    {
        DocumentLoader loader;
        QSignalSpy finished(&loader, &DocumentLoader::finished);
        loader.start(write(QStringLiteral("small.txt"), "small"), QTextCharFormat());
        // Nothing has been delivered yet, however quickly the thread is done.
        loader.cancel();
        QVERIFY(finished.wait(30000));
        const DocumentLoader::Result result = loader.takeResult();
        QVERIFY(result.cancelled);
        QVERIFY(!result.document);
    }

    void aFailureComesAsTheResult()
    {
        DocumentLoader loader;
        QSignalSpy finished(&loader, &DocumentLoader::finished);
        const QString missing = m_folder.filePath(QStringLiteral("missing.rtf"));
        loader.start(missing, QTextCharFormat());
        QVERIFY(finished.wait(30000));
        const DocumentLoader::Result result = loader.takeResult();
        QCOMPARE(result.error, QStringLiteral("Cannot open file %1").arg(missing));
        QVERIFY(!result.document);
    }

    void anotherLoadReplacesTheOneUnderWay()
    {
        DocumentLoader loader;
        QSignalSpy finished(&loader, &DocumentLoader::finished);
        loader.start(write(QStringLiteral("first.rtf"), largeRtf()), QTextCharFormat());
        loader.start(write(QStringLiteral("second.txt"), "second"), QTextCharFormat());
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(loader.takeResult().document->toPlainText(), QStringLiteral("second"));
    }
};

QTEST_MAIN(TestDocumentLoader)
#include "tst_documentloader.moc"
