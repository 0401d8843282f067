// Real documents written by other programs (the shared corpus, read in place when it is there):
// every file loads or is refused without a crash, and the text matches the references as well
// as the measured target says (a token similarity like the corpus's own score script).
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/RtfWriterSink.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextDocument>

#include <vector>

namespace {
// Words of alphabetic scripts; each wide (CJK) character and each symbol is a token of its own.
bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) || (c >= 0x1F900 && c <= 0x1F9FF) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

QStringList tokens(const QString& text)
{
    QStringList out;
    QString word;
    for (char32_t c : text.normalized(QString::NormalizationForm_C).toUcs4()) {
        const QChar::Category category = QChar::category(c);
        const bool symbol = c > 127 && category >= QChar::Symbol_Math && category <= QChar::Symbol_Other;
        const bool single = isWide(c) || symbol;
        if ((QChar::isLetterOrNumber(c) || c == U'_') && !single) {
            word += QString::fromUcs4(&c, 1);
            continue;
        }
        if (!word.isEmpty())
            out << std::exchange(word, QString());
        if (single)
            out << QString::fromUcs4(&c, 1);
    }
    if (!word.isEmpty())
        out << word;
    return out;
}

// 2 * (longest common subsequence) / (total tokens).
double similarity(const QString& expected, const QString& got)
{
    const QStringList a = tokens(expected);
    const QStringList b = tokens(got);
    if (a.isEmpty() && b.isEmpty())
        return 1.0;
    std::vector<int> previous(size_t(b.size()) + 1), current(size_t(b.size()) + 1);
    for (const QString& token : a) {
        for (qsizetype j = 0; j < b.size(); ++j)
            current[size_t(j) + 1] = token == b[j] ? previous[size_t(j)] + 1
                                                   : std::max(previous[size_t(j) + 1], current[size_t(j)]);
        std::swap(previous, current);
    }
    return 2.0 * previous.back() / double(a.size() + b.size());
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestRtfCorpus : public QObject {
    Q_OBJECT

private:
    QDir m_files;

private slots:
    void initTestCase()
    {
        const QString corpus = qEnvironmentVariable("LUMARO_CORPUS_DIR");
        if (corpus.isEmpty() || !QDir(corpus + QStringLiteral("/files")).exists())
            QSKIP("The RTF corpus is not here (LUMARO_CORPUS_DIR)");
        m_files = QDir(corpus + QStringLiteral("/files"));
    }

    // Every file loads (or is refused as not RTF), and the document holds the same text as the
    // text-only reading that conversion to text uses.
    void everyDocumentLoads()
    {
        const QStringList names = m_files.entryList(QStringList{QStringLiteral("*.rtf")}, QDir::Files);
        QVERIFY(names.size() >= 60);
        for (const QString& name : names) {
            const QByteArray data = readAll(m_files.filePath(name));
            QTextDocument document;
            const bool rich = RtfReader::read(data, document);
            QCOMPARE(rich, RtfReader::looksLikeRtf(data));
            QString text;
            QCOMPARE(RtfReader::readText(data, text), rich);
            QString documentText = document.toRawText();
            documentText.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
            QVERIFY2(!rich || documentText == text, qPrintable(name));
        }
    }

    // Converting RTF to RTF skips the document: it must give the bytes saving the document gives.
    void writtenStraightAsFromTheDocument()
    {
        const QStringList names = m_files.entryList(QStringList{QStringLiteral("*.rtf")}, QDir::Files);
        int straight = 0;
        for (const QString& name : names) {
            const QByteArray data = readAll(m_files.filePath(name));
            QTextDocument document;
            if (!RtfReader::read(data, document))
                continue;
            RtfWriterSink sink(RtfEmitter::defaultFace(document.defaultFont()));
            QVERIFY(RtfReader::parse(data, sink));
            if (!sink.complete())
                continue;
            ++straight;
            QCOMPARE(sink.takeRtf(), RtfWriter::toRtf(document));
        }
        qInfo("%d of %lld written straight", straight, qlonglong(names.size()));
    }

    void textMatchesTheReferences()
    {
        const QStringList names =
            m_files.entryList(QStringList{QStringLiteral("*.expected.txt")}, QDir::Files);
        double sum = 0;
        int good = 0;
        for (const QString& name : names) {
            const QString stem = name.chopped(int(qstrlen(".expected.txt")));
            QString text;
            QVERIFY(RtfReader::readText(readAll(m_files.filePath(stem + QStringLiteral(".rtf"))), text));
            const double score = similarity(QString::fromUtf8(readAll(m_files.filePath(name))), text);
            if (score < 0.98)
                qInfo("%s: %.3f", qPrintable(stem), score);
            sum += score;
            good += score >= 0.98 ? 1 : 0;
        }
        const double mean = sum / double(names.size());
        qInfo("mean %.3f, %d of %lld at 0.98 or better", mean, good, qlonglong(names.size()));
        QVERIFY(mean >= 0.98);
        QVERIFY(good >= names.size() - 5);
    }
};

QTEST_MAIN(TestRtfCorpus)
#include "tst_rtfcorpus.moc"
