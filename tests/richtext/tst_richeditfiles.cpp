// Loading and saving the rich-text control's document through its lines: plain and rich text,
// a failed load that leaves the document as it was, the modified flag, and round trips of the
// whole attribute model.

#include "RichEditFixture.h"
#include "framework/AppError.h"
#include "framework/Colors.h"
#include "richtext/DocumentFormat.h"
#include "richtext/ListNumbering.h"
#include "richtext/RtfWriter.h"
#include "richtext/TParaAttributes.h"
#include "richtext/TTextAttributes.h"

#include <QFile>
#include <QSet>
#include <QTextList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTemporaryDir>
#include <QTest>

using namespace RichEditFixture;

namespace {
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// Each paragraph as the document holds it and as Qt lays it out.
QStringList describeParagraphs(const QTextDocument& document)
{
    QStringList out{QStringLiteral("default tab %1").arg(DocumentFormat::defaultTabTwips(document))};
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat f = block.blockFormat();
        QStringList stops;
        for (const TabStop& stop : DocumentFormat::tabStops(f))
            stops << QStringLiteral("%1/%2/%3").arg(stop.positionTwips).arg(int(stop.alignment)).arg(int(stop.leader));
        QStringList tabs;
        for (const QTextOption::Tab& tab : f.tabPositions())
            tabs << QStringLiteral("%1/%2").arg(tab.position).arg(int(tab.type));
        out << QStringLiteral("%1 | list %2 | %3 %4 %5 | %6 | margin %7 indent %8 tabs %9")
                   .arg(block.text())
                   .arg(int(DocumentFormat::listKind(block)))
                   .arg(f.intProperty(DocumentFormat::FirstIndentTwips))
                   .arg(f.intProperty(DocumentFormat::LeftOffsetTwips))
                   .arg(f.intProperty(DocumentFormat::RightIndentTwips))
                   .arg(stops.join(u' '))
                   .arg(f.leftMargin())
                   .arg(f.textIndent())
                   .arg(tabs.join(u' '));
    }
    return out;
}

QByteArray readFile(const QString& path)
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
    return QString();
}

// What the attribute objects report for a selection and its first paragraph.
QVariantList attributesOf(TCustomRichEdit& edit, int start, int length)
{
    select(edit, start, length);
    const TTextAttributes& text = *edit.selectionAttributes();
    const TParaAttributes& paragraph = *edit.paragraphAttributes();
    return {text.name(),
            text.size(),
            int(text.style()),
            text.color(),
            text.charset(),
            paragraph.alignment(),
            paragraph.numbering(),
            paragraph.firstIndent(),
            paragraph.leftIndent(),
            paragraph.rightIndent()};
}
} // namespace

class TestRichEditFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void plainTextShowsInTheDefaultAttributes();
    void richTextKeepsItsFormatting();
    void failedLoadLeavesTheDocument_data();
    void failedLoadLeavesTheDocument();
    void savingWritesRichTextWhateverTheName();
    void failedSaveReportsTheName();
    void attributeModelRoundTrips_data();
    void attributeModelRoundTrips();
    void defaultAttributesLeaveWithTheText();
    void bulletsAndTabsRoundTripAndPasteAsTheyLoad();
    void backspaceAtABulletTakesItAwayInOneEdit();
    void longBulletedRunsAreHeldInShortLists();
    void longNumberedListsCountOnAcrossShortLists();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRichEditFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRichEditFiles::plainTextShowsInTheDefaultAttributes()
{
    TCustomRichEdit edit;
    edit.defaultAttributes()->setName(QStringLiteral("Liberation Mono"));
    edit.defaultAttributes()->setSize(11);
    QTest::keyClicks(&edit, QStringLiteral("old"));
    const QString path = writeFile(*m_dir, QStringLiteral("notes.rtf"), "one\r\ntwo\rthree\nfour \xe9t\xe9");
    edit.lines()->LoadFromFile(path);

    QCOMPARE(edit.lines()->text(), QStringLiteral("one\ntwo\nthree\nfour \u00e9t\u00e9"));
    QVERIFY(!edit.modified());
    QVERIFY(!edit.CanUndo());
    QCOMPARE(edit.selStart(), 0);
    edit.SelectAll();
    QCOMPARE(edit.selectionAttributes()->name(), QStringLiteral("Liberation Mono"));
    QCOMPARE(edit.selectionAttributes()->size(), 11);
    QCOMPARE(edit.selectionAttributes()->color(), Colors::clWindowText);
    // The default attributes stay the control's, and the text follows them.
    edit.font()->setName(QStringLiteral("Liberation Serif"));
    QCOMPARE(edit.selectionAttributes()->name(), QStringLiteral("Liberation Serif"));
}

void TestRichEditFiles::richTextKeepsItsFormatting()
{
    TCustomRichEdit edit;
    const QString path =
        writeFile(*m_dir, QStringLiteral("letter.txt"),
                  "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                  "\\f0\\fs22 {\\b\\cf1 bold}\\par\\qc\\fi720 centred}");
    edit.lines()->LoadFromFile(path);
    QCOMPARE(edit.lines()->text(), QStringLiteral("bold\ncentred"));
    QCOMPARE(attributesOf(edit, 0, 4), (QVariantList{QStringLiteral("Arial"), 11, int(TFont::fsBold),
                                                     Colors::clRed, 1, 0, 0, 0, 0, 0}));
    QCOMPARE(attributesOf(edit, 5, 7),
             (QVariantList{QStringLiteral("Arial"), 11, 0, Colors::clWindowText, 1, 2, 0, 36, -36, 0}));
}

void TestRichEditFiles::failedLoadLeavesTheDocument_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QStringLiteral("missing.rtf");
    QTest::newRow("a folder") << QStringLiteral("folder");
}

void TestRichEditFiles::failedLoadLeavesTheDocument()
{
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    TCustomRichEdit edit;
    append(edit, QStringLiteral("kept"), runFormat(QStringLiteral("Arial"), 12, true, false, Qt::red, 0));
    const QString path = m_dir->filePath(name);
    QCOMPARE(failureOf([&] { edit.lines()->LoadFromFile(path); }),
             QStringLiteral("Cannot open file %1").arg(path));
    QCOMPARE(edit.lines()->text(), QStringLiteral("kept"));
    QVERIFY(edit.modified());
    QVERIFY(edit.CanUndo());
    QCOMPARE(attributesOf(edit, 0, 4).first(), QVariant(QStringLiteral("Arial")));
}

void TestRichEditFiles::savingWritesRichTextWhateverTheName()
{
    TCustomRichEdit edit;
    QTest::keyClicks(&edit, QStringLiteral("saved"));
    const QString path = m_dir->filePath(QStringLiteral("plain.txt"));
    edit.lines()->SaveToFile(path);
    QVERIFY(readFile(path).startsWith("{\\rtf"));
    // Saving leaves the flag to the caller; loading clears it.
    QVERIFY(edit.modified());
    edit.lines()->LoadFromFile(path);
    QCOMPARE(edit.lines()->text(), QStringLiteral("saved"));
    QVERIFY(!edit.modified());
}

void TestRichEditFiles::failedSaveReportsTheName()
{
    TCustomRichEdit edit;
    QTest::keyClicks(&edit, QStringLiteral("text"));
    const QString missingFolder = m_dir->filePath(QStringLiteral("nowhere/file.rtf"));
    QCOMPARE(failureOf([&] { edit.lines()->SaveToFile(missingFolder); }),
             QStringLiteral("Cannot create file %1: No such file or directory").arg(missingFolder));

    QVERIFY(!QFile::exists(missingFolder));
}

void TestRichEditFiles::attributeModelRoundTrips_data()
{
    // name, size, style, colour, charset, alignment, numbering, first, left, right
    QTest::addColumn<QVariantList>("attributes");
    QTest::newRow("bold red centred with indents")
        << QVariantList{QStringLiteral("Arial"), 14, int(TFont::fsBold), Colors::clRed, 0, 2, 0, 36, -18, 10};
    QTest::newRow("italic underline bullet") << QVariantList{QStringLiteral("Courier New"),
                                                             10,
                                                             int(TFont::fsItalic | TFont::fsUnderline),
                                                             Colors::clNavy,
                                                             0,
                                                             0,
                                                             1,
                                                             0,
                                                             10,
                                                             0};
    QTest::newRow("strike-out right-aligned east european")
        << QVariantList{QStringLiteral("Liberation Serif"),
                        9,
                        int(TFont::fsStrikeOut),
                        Colors::clPurple,
                        238,
                        1,
                        0,
                        -8,
                        100,
                        3};
    QTest::newRow("every style, odd colour, large") << QVariantList{
        QStringLiteral("Times New Roman"), 72, 15, Colors::TColor(0x123456), 0, 0, 1, 20, 25, 0};
    QTest::newRow("automatic colour, long face name")
        << QVariantList{QStringLiteral("Noto Sans Canadian Aboriginal Syllabics Condensed"),
                        8,
                        0,
                        Colors::clWindowText,
                        1,
                        0,
                        0,
                        0,
                        0,
                        0};
}

void TestRichEditFiles::attributeModelRoundTrips()
{
    QFETCH(QVariantList, attributes);
    TCustomRichEdit edit;
    // The case's paragraph between two plain ones, so that neighbours must not leak into it.
    append(edit, QStringLiteral("before\nthe case\nafter"));
    const int start = 7, length = 8;
    select(edit, start, length);
    TTextAttributes& text = *edit.selectionAttributes();
    TParaAttributes& paragraph = *edit.paragraphAttributes();
    text.setName(attributes[0].toString());
    text.setSize(attributes[1].toInt());
    text.setStyle(TFont::TFontStyles(attributes[2].toInt()));
    text.setColor(attributes[3].toUInt());
    text.setCharset(attributes[4].toInt());
    paragraph.setAlignment(attributes[5].toInt());
    paragraph.setNumbering(attributes[6].toInt()); // before the left indent, which it adjusts
    paragraph.setFirstIndent(attributes[7].toInt());
    paragraph.setLeftIndent(attributes[8].toInt());
    paragraph.setRightIndent(attributes[9].toInt());
    QCOMPARE(attributesOf(edit, start, length), attributes);
    const QVariantList plain = attributesOf(edit, 0, 6);

    const QString path = m_dir->filePath(QStringLiteral("round.rtf"));
    edit.lines()->SaveToFile(path);
    TCustomRichEdit reread;
    reread.lines()->LoadFromFile(path);
    QCOMPARE(reread.lines()->text(), edit.lines()->text());
    QCOMPARE(attributesOf(reread, start, length), attributes);
    QCOMPARE(attributesOf(reread, 0, 6), plain);
    QCOMPARE(attributesOf(reread, 16, 5), plain);
}

void TestRichEditFiles::defaultAttributesLeaveWithTheText()
{
    TCustomRichEdit edit;
    TTextAttributes& defaults = *edit.defaultAttributes();
    defaults.setName(QStringLiteral("Liberation Serif"));
    defaults.setSize(15);
    defaults.setStyle(TFont::fsBold | TFont::fsItalic);
    defaults.setColor(Colors::clGreen);
    defaults.setCharset(204);
    QTest::keyClicks(&edit, QStringLiteral("typed"));
    const QVariantList typed = attributesOf(edit, 0, 5);
    QCOMPARE(typed[2], QVariant(int(TFont::fsBold | TFont::fsItalic)));

    // In a file...
    const QString path = m_dir->filePath(QStringLiteral("defaults.rtf"));
    edit.lines()->SaveToFile(path);
    TCustomRichEdit reread;
    reread.lines()->LoadFromFile(path);
    QCOMPARE(attributesOf(reread, 0, 5), typed);

    // ...and on the clipboard.
    select(edit, 0, 5);
    edit.CopyToClipboard();
    TCustomRichEdit pasted;
    pasted.PasteFromClipboard();
    QCOMPARE(attributesOf(pasted, 0, 5), typed);
}

void TestRichEditFiles::bulletsAndTabsRoundTripAndPasteAsTheyLoad()
{
    const QString source = writeFile(
        *m_dir, QStringLiteral("lists.rtf"),
        "{\\rtf1\\deftab360{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\\f0\\fs24 "
        "\\pard\\tx1440\\tqr\\tldot\\tx5760\\tqc\\tx7200\\tqdec\\tx8640 a\\tab b\\tab c\\tab 1.5\\par "
        "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'B7}}\\fi-360\\li360 hanging bullet\\par "
        "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'B7}}\\li0 bullet at no indent\\par "
        "\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}\\fi-360\\li360 number\\par "
        "\\pard\\li720 bulleted by the user}");
    TCustomRichEdit edit;
    edit.lines()->LoadFromFile(source);
    // A bullet given in the editor.
    edit.setSelStart(edit.textLength());
    edit.paragraphAttributes()->setNumbering(TParaAttributes::Bullet);
    const QStringList loaded = describeParagraphs(*edit.document());
    QVERIFY(loaded.last().contains(QLatin1String("| list 1 |")));

    const QString saved = m_dir->filePath(QStringLiteral("saved.rtf"));
    edit.lines()->SaveToFile(saved);
    TCustomRichEdit again;
    again.lines()->LoadFromFile(saved);
    QCOMPARE(describeParagraphs(*again.document()), loaded);

    // Pasted into a document of the same default tab width, the paragraphs are laid out as loaded.
    edit.SelectAll();
    edit.CopyToClipboard();
    TCustomRichEdit pasted;
    pasted.lines()->LoadFromFile(writeFile(*m_dir, QStringLiteral("empty.rtf"), "{\\rtf1\\deftab360}"));
    pasted.PasteFromClipboard();
    QStringList inPasted = describeParagraphs(*pasted.document());
    QCOMPARE(inPasted.mid(0, loaded.size()), loaded);
}

void TestRichEditFiles::backspaceAtABulletTakesItAwayInOneEdit()
{
    TCustomRichEdit edit;
    edit.lines()->LoadFromFile(writeFile(*m_dir, QStringLiteral("bullet.rtf"),
                                         "{\\rtf1{\\*\\pn\\pnlvlblt}\\li0 text after a bullet}"));
    const auto layout = [&] {
        const QTextBlock block = edit.document()->begin();
        return QStringLiteral("%1 %2").arg(block.textList() != nullptr).arg(block.blockFormat().textIndent());
    };
    QCOMPARE(layout(), QStringLiteral("1 48")); // the text at the first default stop after the bullet
    edit.setSelStart(0);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(layout(), QStringLiteral("0 0"));
    QCOMPARE(edit.lines()->text(), QStringLiteral("text after a bullet"));
    edit.Undo();
    QCOMPARE(layout(), QStringLiteral("1 48"));
}

// Building one list of n items costs Qt n squared: long runs of bullets, read or given, are held as
// several short lists, and still show, save and come off as one.
void TestRichEditFiles::longBulletedRunsAreHeldInShortLists()
{
    constexpr int Paragraphs = 3 * DocumentFormat::BulletsPerList + 5;
    const auto check = [&](const TCustomRichEdit& edit, bool bulleted) {
        QSet<const QTextList*> lists;
        for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
            QCOMPARE(DocumentFormat::listKind(block),
                     bulleted ? DocumentFormat::ListKind::Bullet : DocumentFormat::ListKind::None);
            if (bulleted) {
                QVERIFY(block.textList()->count() <= DocumentFormat::BulletsPerList);
                lists.insert(block.textList());
            }
        }
        QCOMPARE(lists.size(), bulleted ? 4 : 0);
        if (bulleted) {
            // One list in the file (its entry in the table, then every paragraph).
            const QByteArray rtf = RtfWriter::toRtf(*edit.document());
            QCOMPARE(rtf.count("\\ls1"), Paragraphs + 1);
            QVERIFY(!rtf.contains("\\ls2"));
        }
    };

    QByteArray read = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}";
    for (int i = 0; i < Paragraphs; ++i) {
        read += "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'B7}}\\fi-360\\li360 item";
        read += i + 1 < Paragraphs ? "\\par " : "";
    }
    TCustomRichEdit loaded;
    loaded.lines()->LoadFromFile(writeFile(*m_dir, QStringLiteral("bullets.rtf"), read + '}'));
    check(loaded, true);

    TCustomRichEdit given;
    given.lines()->LoadFromFile(
        writeFile(*m_dir, QStringLiteral("plain.txt"), QByteArrayList(Paragraphs, "item").join('\n')));
    given.SelectAll();
    given.setParagraphsBulleted(true);
    check(given, true);
    given.setParagraphsBulleted(false);
    check(given, false);
    given.Undo();
    check(given, true);
}

// A long numbered list is read as several lists, each going on from the one before: the numbers
// shown run on across them, also after an item is taken out, and a list after a plain paragraph
// starts again.
void TestRichEditFiles::longNumberedListsCountOnAcrossShortLists()
{
    constexpr int Items = 2 * DocumentFormat::NumbersPerList + 5;
    QByteArray read = "{\\rtf1 ";
    for (int i = 0; i < Items; ++i)
        read += "{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}\\fi-360\\li360 item\\par ";
    read += "\\pard plain\\par{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}\\fi-360\\li360 anew}";
    TCustomRichEdit edit;
    edit.lines()->LoadFromFile(writeFile(*m_dir, QStringLiteral("numbered.rtf"), read));
    const auto numbers = [&] {
        QList<int> shown;
        for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next())
            shown.append(block.textList() ? ListNumbering::number(block) : 0);
        return shown;
    };
    QList<int> expected;
    for (int i = 1; i <= Items; ++i)
        expected.append(i);
    expected << 0 << 1;
    QCOMPARE(numbers(), expected);
    {
        const ListNumbering pass; // as a layout or a painting pass asks
        QCOMPARE(numbers(), expected);
    }
    QSet<const QTextList*> lists;
    for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
        if (block.textList())
            lists.insert(block.textList());
    }
    QCOMPARE(lists.size(), 4);

    // The last item of the first list is taken out of the numbering.
    edit.setSelStart(edit.document()->findBlockByNumber(DocumentFormat::NumbersPerList - 1).position());
    edit.setParagraphsBulleted(false);
    expected[DocumentFormat::NumbersPerList - 1] = 0;
    for (int i = DocumentFormat::NumbersPerList; i < Items; ++i)
        --expected[i];
    QCOMPARE(numbers(), expected);
}

QTEST_MAIN(TestRichEditFiles)
#include "tst_richeditfiles.moc"
