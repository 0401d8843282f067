// A document copied a slice at a time while it is being edited comes out as the document is at
// the end, formats and bulleted lists included.
#include "richtext/DocumentDefaults.h"
#include "richtext/DocumentFormat.h"
#include "richtext/DocumentSnapshot.h"
#include "richtext/ParagraphPieces.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace {
QTextCharFormat styled(int variant)
{
    QTextCharFormat format;
    format.setFontFamilies(
        QStringList{variant % 2 ? QStringLiteral("Arial") : QStringLiteral("Courier New")});
    format.setFontWeight(variant % 3 ? QFont::Normal : QFont::Bold);
    format.setFontItalic(variant % 5 == 0);
    if (variant % 7 == 0)
        format.setForeground(QColor(0x80, 0, 0));
    return format;
}

void fill(QTextDocument& document, int paragraphs)
{
    DocumentFormat::setDefaultTabTwips(document, 567);
    QTextCursor cursor(&document);
    QTextList* bullets = nullptr;
    for (int i = 0; i < paragraphs; ++i) {
        if (i > 0) {
            QTextBlockFormat format;
            format.setAlignment(i % 4 == 0 ? Qt::AlignRight : Qt::AlignLeft);
            cursor.insertBlock(format);
        }
        if (i % 10 >= 6) { // runs of bulleted paragraphs
            if (bullets && i % 10 != 6)
                bullets->add(cursor.block());
            else
                bullets = cursor.createList(QTextListFormat::ListDisc);
        }
        cursor.insertText(QStringLiteral("Paragraph %1 ").arg(i), styled(i));
        cursor.insertText(QStringLiteral("with a second run"), styled(i + 1));
    }
}

// One edit of the kinds typing and formatting make, somewhere in the document.
void edit(QTextDocument& document, QRandomGenerator& random)
{
    const int length = document.characterCount() - 1;
    QTextCursor cursor(&document);
    cursor.setPosition(int(random.bounded(length + 1)));
    switch (random.bounded(6)) {
    case 0:
        cursor.insertText(QStringLiteral("typed"), styled(int(random.bounded(10))));
        break;
    case 1:
        cursor.setPosition(qMin(length, cursor.position() + int(random.bounded(40))),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        break;
    case 2:
        cursor.insertBlock();
        break;
    case 3: {
        QTextBlockFormat format;
        format.setAlignment(Qt::AlignHCenter);
        cursor.mergeBlockFormat(format);
        break;
    }
    case 4:
        if (QTextList* list = cursor.currentList())
            list->remove(cursor.block());
        else
            cursor.createList(QTextListFormat::ListDisc);
        break;
    default:
        cursor.setPosition(qMin(length, cursor.position() + 10), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(styled(int(random.bounded(10))));
        break;
    }
}
} // namespace

class TestDocumentSnapshot : public QObject {
    Q_OBJECT

private slots:
    void copiesTheDocumentAsItIsAtTheEnd_data()
    {
        QTest::addColumn<int>("editsPerSlice");
        QTest::newRow("untouched") << 0;
        QTest::newRow("an edit between slices") << 1;
        QTest::newRow("several edits between slices") << 4;
    }

    void copiesTheDocumentAsItIsAtTheEnd()
    {
        QFETCH(int, editsPerSlice);
        QRandomGenerator random(13);
        for (int round = 0; round < 10; ++round) {
            QTextDocument source;
            fill(source, 120);
            DocumentSnapshot snapshot(source);
            QObject::connect(&source, &QTextDocument::contentsChange,
                             [&](int position, int, int) { snapshot.sourceChanged(position); });
            int slices = 0;
            // An expired deadline copies a handful of paragraphs per slice.
            while (!snapshot.copyMore(QDeadlineTimer(0))) {
                ++slices;
                for (int i = 0; i < editsPerSlice; ++i)
                    edit(source, random);
            }
            QVERIFY(slices > 3);
            const std::atomic_bool cancelled = false;
            const std::optional<QByteArray> copy = snapshot.toRtf(QTextCharFormat(), cancelled);
            QVERIFY(copy);
            QCOMPARE(*copy, RtfWriter::toRtf(source));
        }
    }

    // A document read anew while it is copied numbers its formats and lists anew: the part copied
    // before must not lend them to the new text.
    void followsADocumentReadAnew()
    {
        QTextDocument source;
        fill(source, 60);
        DocumentSnapshot snapshot(source);
        QObject::connect(&source, &QTextDocument::contentsChange,
                         [&](int position, int, int) { snapshot.sourceChanged(position); });
        QVERIFY(!snapshot.copyMore(QDeadlineTimer(0)));
        QVERIFY(RtfReader::read("{\\rtf1{\\fonttbl{\\f0 Verdana;}}{\\colortbl;\\red0\\green128\\blue0;}"
                                "\\f0\\fs20{\\cf1\\ul green} {\\i slanted}\\par\\qc centred\\par\\pard"
                                "{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}\\fi-360\\li360 numbered\\par}",
                                source));
        QVERIFY(snapshot.copyMore(QDeadlineTimer::Forever));
        const std::atomic_bool cancelled = false;
        const std::optional<QByteArray> copy = snapshot.toRtf(QTextCharFormat(), cancelled);
        QVERIFY(copy);
        QCOMPARE(QString::fromLatin1(*copy), QString::fromLatin1(RtfWriter::toRtf(source)));
    }

    // The recovery copy is the RTF that saving the document with the editor's defaults writes. Paragraphs are held in pieces of 20
    // characters here, so that runs and lists meet the cuts.
    void writesTheRtfOfItsDocument_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QTextCharFormat>("defaults");
        QTextCharFormat face;
        face.setFontFamilies(QStringList{QStringLiteral("Verdana")});
        DocumentFormat::setSizeTwips(face, 200);
        QTextCharFormat beyond = face;
        beyond.setFontWeight(QFont::Bold);
        beyond.setForeground(QColor(0, 0, 0x80));
        beyond.setProperty(DocumentFormat::Charset, 204);
        const QByteArray rich = "{\\rtf1\\deftab360{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
                                "{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs24 plain {\\b bold {\\i both}} "
                                "{\\cf1\\ul a red run long enough to cross the cuts}\\par"
                                "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}\\fi-360\\li720 "
                                "a bullet with a long line of text\\par{\\pntext\\f1\\'b7\\tab}two\\par"
                                "\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}\\fi-360\\li360\\tx2000\\tqr\\tx4000 one\\par"
                                "{\\pntext 2.\\tab}two\\par\\pard\\qc\\plain centred, no face of its own\\par}";
        QTest::newRow("defaults of a face and a size") << rich << face;
        QTest::newRow("defaults beyond a face and a size") << rich << beyond;
        QTest::newRow("no defaults") << rich << QTextCharFormat();
        QTest::newRow("empty") << QByteArray("{\\rtf1}") << beyond;
        // A numbered list longer than a document holds as one list, and one after it anew.
        QByteArray numbered = "{\\rtf1 ";
        for (int i = 0; i < DocumentFormat::NumbersPerList + 3; ++i)
            numbered += "{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}\\fi-360\\li360 item\\par ";
        numbered += "\\pard plain\\par{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}\\fi-360\\li360 anew\\par}";
        QTest::newRow("a long numbered list") << numbered << face;
    }

    void writesTheRtfOfItsDocument()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QTextCharFormat, defaults);
        const ParagraphPieces::Sizes usual = ParagraphPieces::sizes();
        ParagraphPieces::setSizes({30, 20});
        QTextDocument source;
        QVERIFY(RtfReader::read(rtf, source));
        ParagraphPieces::setSizes(usual);

        const std::unique_ptr<QTextDocument> saved(source.clone());
        DocumentDefaults::setCharFormat(*saved, defaults);
        if (DocumentDefaults::beyondDefaultFont(*saved))
            DocumentDefaults::resolveAll(*saved);

        DocumentSnapshot snapshot(source);
        QVERIFY(snapshot.copyMore(QDeadlineTimer::Forever));
        const std::atomic_bool cancelled = false;
        const std::optional<QByteArray> written = snapshot.toRtf(defaults, cancelled);
        QVERIFY(written);
        QCOMPARE(QString::fromLatin1(*written), QString::fromLatin1(RtfWriter::toRtf(*saved)));
    }

    void writingStopsWhenCancelled()
    {
        QTextDocument source;
        fill(source, 10);
        DocumentSnapshot snapshot(source);
        QVERIFY(snapshot.copyMore(QDeadlineTimer::Forever));
        const std::atomic_bool cancelled = true;
        QVERIFY(!snapshot.toRtf(QTextCharFormat(), cancelled));
    }
};

QTEST_MAIN(TestDocumentSnapshot)
#include "tst_documentsnapshot.moc"
