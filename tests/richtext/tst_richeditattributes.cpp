// The rich-text control's character and paragraph attributes: units, masks (a write changes one
// property), the automatic colour, the default attributes and the control's own font.

#include "RichEditFixture.h"
#include "framework/Colors.h"
#include "framework/TFont.h"
#include "richtext/TParaAttributes.h"
#include "richtext/TTextAttributes.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTest>
#include <QTextList>

using namespace RichEditFixture;

namespace {
enum Property { Name, Size, Style, Color, Charset };

// Every character property of the attributes, read through them.
QVariantList snapshot(const TTextAttributes& attributes)
{
    return {attributes.name(), attributes.size(), int(attributes.style()), attributes.color(),
            attributes.charset()};
}

void write(TTextAttributes& attributes, int property, const QVariant& value)
{
    switch (property) {
    case Name:
        attributes.setName(value.toString());
        break;
    case Size:
        attributes.setSize(value.toInt());
        break;
    case Style:
        attributes.setStyle(TFont::TFontStyles(value.toInt()));
        break;
    case Color:
        attributes.setColor(value.toUInt());
        break;
    case Charset:
        attributes.setCharset(value.toInt());
        break;
    }
}

// Two runs that differ in every property: "alpha" and "beta".
void fillTwoRuns(TCustomRichEdit& edit)
{
    append(edit, QStringLiteral("alpha"), runFormat(QStringLiteral("Arial"), 12, true, false, Qt::red, 0));
    append(edit, QStringLiteral("beta"),
           runFormat(QStringLiteral("Courier New"), 14, false, true, Qt::blue, 2));
}

QVariantList runSnapshot(TCustomRichEdit& edit, int start, int length)
{
    select(edit, start, length);
    return snapshot(*edit.selectionAttributes());
}
} // namespace

class TestRichEditAttributes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sizesArePointsHeldAsTwips();
    void sizesTheLayoutCannotDrawAreRefused_data();
    void sizesTheLayoutCannotDrawAreRefused();
    void writeChangesOnlyItsProperty_data();
    void writeChangesOnlyItsProperty();
    void styleBitsRoundTrip_data();
    void styleBitsRoundTrip();
    void windowTextIsTheAutomaticColour();
    void pitchWritesChangeNothing();
    void faceNamesAreKeptWhole();
    void mixedSelectionAnswersWithItsFirstCharacter();
    void emptySelectionFormatsTheNextTypedText();
    void defaultAttributesFormatNewAndUnformattedText();
    void controlFontIsCopiedIntoDefaults();
    void fontHelpersCopyEveryProperty();
    void indentsReadBackExactly_data();
    void indentsReadBackExactly();
    void indentsTruncateTowardZero();
    void paragraphWriteChangesOnlyItsProperty();
    void alignment_data();
    void alignment();
    void numberingAdjustsTheLeftIndent_data();
    void numberingAdjustsTheLeftIndent();
    void paragraphFormatReachesEveryPiece();
};

void TestRichEditAttributes::sizesArePointsHeldAsTwips()
{
    TCustomRichEdit edit;
    append(edit, QStringLiteral("text"));
    edit.SelectAll();
    edit.selectionAttributes()->setSize(11);
    QCOMPARE(DocumentFormat::sizeTwips(edit.document()->begin().begin().fragment().charFormat()), 220);

    QTextCharFormat odd;
    DocumentFormat::setSizeTwips(odd, 230);
    QTextCursor all(edit.document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(odd);
    QCOMPARE(edit.selectionAttributes()->size(), 11);

    edit.defaultAttributes()->setSize(13);
    QCOMPARE(DocumentFormat::sizeTwips(edit.defaultCharFormat()), 260);
    QCOMPARE(edit.document()->defaultFont().pointSizeF(), 13.0);
}

void TestRichEditAttributes::sizesTheLayoutCannotDrawAreRefused_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("zero") << 0;
    QTest::newRow("minus one, an empty size box") << -1;
    QTest::newRow("above the largest") << TTextAttributes::MaxSize + 1;
}

void TestRichEditAttributes::sizesTheLayoutCannotDrawAreRefused()
{
    QFETCH(int, size);
    TCustomRichEdit edit;
    append(edit, QStringLiteral("text"), runFormat(QStringLiteral("Arial"), 12, false, false, Qt::black, 0));
    edit.SelectAll();
    edit.selectionAttributes()->setSize(size);
    edit.defaultAttributes()->setSize(size);
    QCOMPARE(edit.selectionAttributes()->size(), 12);
    QCOMPARE(edit.defaultAttributes()->size(), 8);
}

void TestRichEditAttributes::writeChangesOnlyItsProperty_data()
{
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("name") << int(Name) << QVariant(QStringLiteral("Times New Roman"))
                          << QVariant(QStringLiteral("Times New Roman"));
    QTest::newRow("size") << int(Size) << QVariant(20) << QVariant(20);
    QTest::newRow("style") << int(Style) << QVariant(int(TFont::fsUnderline | TFont::fsStrikeOut))
                           << QVariant(int(TFont::fsUnderline | TFont::fsStrikeOut));
    QTest::newRow("colour") << int(Color) << QVariant(Colors::clMaroon) << QVariant(Colors::clMaroon);
    QTest::newRow("automatic colour")
        << int(Color) << QVariant(Colors::clWindowText) << QVariant(Colors::clWindowText);
    QTest::newRow("system colour as its RGB value")
        << int(Color) << QVariant(Colors::clBtnFace) << QVariant(Colors::toRgb(Colors::clBtnFace));
    QTest::newRow("character set") << int(Charset) << QVariant(204) << QVariant(204);
    QTest::newRow("character set is a byte") << int(Charset) << QVariant(0x1EE) << QVariant(0xEE);
}

void TestRichEditAttributes::writeChangesOnlyItsProperty()
{
    QFETCH(int, property);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);

    // The selection: both runs change that property and keep every other one of their own.
    TCustomRichEdit edit;
    fillTwoRuns(edit);
    QVariantList alpha = runSnapshot(edit, 0, 5);
    QVariantList beta = runSnapshot(edit, 5, 4);
    select(edit, 0, 9);
    write(*edit.selectionAttributes(), property, value);
    alpha[property] = expected;
    beta[property] = expected;
    QCOMPARE(runSnapshot(edit, 0, 5), alpha);
    QCOMPARE(runSnapshot(edit, 5, 4), beta);

    // The default attributes likewise.
    QVariantList defaults = snapshot(*edit.defaultAttributes());
    write(*edit.defaultAttributes(), property, value);
    defaults[property] = expected;
    QCOMPARE(snapshot(*edit.defaultAttributes()), defaults);
}

void TestRichEditAttributes::styleBitsRoundTrip_data()
{
    QTest::addColumn<int>("style");
    for (int bits = 0; bits < 16; ++bits)
        QTest::addRow("bits %d", bits) << bits;
}

void TestRichEditAttributes::styleBitsRoundTrip()
{
    QFETCH(int, style);
    TCustomRichEdit edit;
    append(edit, QStringLiteral("text"), runFormat(QStringLiteral("Arial"), 12, true, true, Qt::black, 0));
    edit.SelectAll();
    edit.selectionAttributes()->setStyle(TFont::TFontStyles(style));
    edit.defaultAttributes()->setStyle(TFont::TFontStyles(style));
    QCOMPARE(int(edit.selectionAttributes()->style()), style);
    QCOMPARE(int(edit.defaultAttributes()->style()), style);
    const QTextCharFormat format = edit.document()->begin().begin().fragment().charFormat();
    QCOMPARE(format.fontWeight() == QFont::Bold, bool(style & TFont::fsBold));
    QCOMPARE(format.fontUnderline(), bool(style & TFont::fsUnderline));
}

void TestRichEditAttributes::windowTextIsTheAutomaticColour()
{
    TCustomRichEdit edit;
    append(edit, QStringLiteral("text"), runFormat(QStringLiteral("Arial"), 12, false, false, Qt::red, 0));
    edit.SelectAll();
    QCOMPARE(edit.selectionAttributes()->color(), Colors::clRed);
    edit.selectionAttributes()->setColor(Colors::clWindowText);
    // No colour of its own: the text follows the window-text colour.
    QVERIFY(
        !edit.document()->begin().begin().fragment().charFormat().hasProperty(QTextFormat::ForegroundBrush));
    QCOMPARE(edit.selectionAttributes()->color(), Colors::clWindowText);

    // A default colour shows on text without a colour of its own; automatic goes back to the
    // palette's text colour.
    edit.defaultAttributes()->setColor(Colors::clBlue);
    QCOMPARE(edit.palette().color(QPalette::Text), QColor(Qt::blue));
    QCOMPARE(edit.selectionAttributes()->color(), Colors::clBlue);
    edit.defaultAttributes()->setColor(Colors::clWindowText);
    QCOMPARE(edit.palette().color(QPalette::Text), QGuiApplication::palette().color(QPalette::Text));
}

void TestRichEditAttributes::pitchWritesChangeNothing()
{
    TCustomRichEdit edit;
    QTextCharFormat fixed = runFormat(QStringLiteral("Courier New"), 10, false, false, Qt::black, 0);
    fixed.setProperty(DocumentFormat::Pitch, 1);
    append(edit, QStringLiteral("text"), fixed);
    edit.SelectAll();
    QCOMPARE(edit.selectionAttributes()->pitch(), TFont::fpFixed);
    edit.setModified(false);
    const QTextFormat before = edit.document()->begin().begin().fragment().charFormat();
    edit.selectionAttributes()->setPitch(TFont::fpVariable);
    edit.defaultAttributes()->setPitch(TFont::fpFixed);
    QCOMPARE(QTextFormat(edit.document()->begin().begin().fragment().charFormat()), before);
    QCOMPARE(edit.defaultAttributes()->pitch(), TFont::fpDefault);
    QVERIFY(!edit.modified());
}

void TestRichEditAttributes::faceNamesAreKeptWhole()
{
    const QString longName = QStringLiteral("Noto Sans Canadian Aboriginal Syllabics Condensed");
    QVERIFY(longName.size() > 31);
    TCustomRichEdit edit;
    append(edit, QStringLiteral("text"));
    edit.SelectAll();
    edit.selectionAttributes()->setName(longName);
    edit.defaultAttributes()->setName(longName);
    QCOMPARE(edit.selectionAttributes()->name(), longName);
    QCOMPARE(edit.defaultAttributes()->name(), longName);
    // An empty name leaves the face as it was.
    edit.selectionAttributes()->setName(QString());
    QCOMPARE(edit.selectionAttributes()->name(), longName);
}

void TestRichEditAttributes::mixedSelectionAnswersWithItsFirstCharacter()
{
    TCustomRichEdit edit;
    fillTwoRuns(edit);
    select(edit, 3, 4); // "ha" bold, "be" italic
    QCOMPARE(int(edit.selectionAttributes()->style()), int(TFont::fsBold));
    QCOMPARE(edit.selectionAttributes()->name(), QStringLiteral("Arial"));
    select(edit, 5, 4);
    QCOMPARE(int(edit.selectionAttributes()->style()), int(TFont::fsItalic));
}

void TestRichEditAttributes::emptySelectionFormatsTheNextTypedText()
{
    TCustomRichEdit edit;
    fillTwoRuns(edit);
    edit.setSelStart(2);
    edit.setModified(false);
    QCOMPARE(edit.selectionAttributes()->name(), QStringLiteral("Arial")); // at the insertion point
    edit.selectionAttributes()->setSize(30);
    QVERIFY(!edit.modified());
    QTest::keyClicks(&edit, QStringLiteral("xy"));
    QCOMPARE(edit.document()->toPlainText(), QStringLiteral("alxyphabeta"));
    select(edit, 2, 2);
    QCOMPARE(edit.selectionAttributes()->size(), 30);
    QCOMPARE(int(edit.selectionAttributes()->style()), int(TFont::fsBold));
    select(edit, 0, 2);
    QCOMPARE(edit.selectionAttributes()->size(), 12);
}

void TestRichEditAttributes::defaultAttributesFormatNewAndUnformattedText()
{
    TCustomRichEdit edit;
    edit.defaultAttributes()->setName(QStringLiteral("Liberation Serif"));
    edit.defaultAttributes()->setSize(16);
    QTest::keyClicks(&edit, QStringLiteral("typed"));
    edit.SelectAll();
    QCOMPARE(edit.selectionAttributes()->name(), QStringLiteral("Liberation Serif"));
    QCOMPARE(edit.selectionAttributes()->size(), 16);

    // Typed text carries no face of its own: a later default applies to it too, while text
    // with a face of its own keeps it.
    append(edit, QStringLiteral("own"), runFormat(QStringLiteral("Arial"), 9, false, false, Qt::black, 0));
    edit.defaultAttributes()->setName(QStringLiteral("Liberation Mono"));
    select(edit, 0, 5);
    QCOMPARE(edit.selectionAttributes()->name(), QStringLiteral("Liberation Mono"));
    QCOMPARE(edit.document()->defaultFont().family(), QStringLiteral("Liberation Mono"));
    select(edit, 5, 3);
    QCOMPARE(edit.selectionAttributes()->name(), QStringLiteral("Arial"));
}

void TestRichEditAttributes::controlFontIsCopiedIntoDefaults()
{
    TCustomRichEdit edit;
    // As created: the control's font, the framework's default face at 8 points.
    QCOMPARE(edit.defaultAttributes()->name(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(edit.defaultAttributes()->size(), 8);

    TFont* font = edit.font();
    font->setName(QStringLiteral("Liberation Sans"));
    QCOMPARE(edit.defaultAttributes()->name(), QStringLiteral("Liberation Sans"));
    font->setHeight(-13);
    QCOMPARE(edit.defaultAttributes()->size(), 10);
    font->setStyle(TFont::fsBold | TFont::fsItalic);
    QCOMPARE(int(edit.defaultAttributes()->style()), int(TFont::fsBold | TFont::fsItalic));
    font->setColor(Colors::clPurple);
    QCOMPARE(edit.defaultAttributes()->color(), Colors::clPurple);
    font->setCharset(238);
    QCOMPARE(edit.defaultAttributes()->charset(), 238);
    font->setName(QStringLiteral("Default"));
    QCOMPARE(edit.defaultAttributes()->name(), QStringLiteral("MS Sans Serif"));
    // The font goes to the default attributes only, never to the text's own formats.
    QVERIFY(!edit.modified());
}

void TestRichEditAttributes::fontHelpersCopyEveryProperty()
{
    TCustomRichEdit edit;
    append(edit, QStringLiteral("text"));
    edit.SelectAll();
    TFont source;
    source.setName(QStringLiteral("Liberation Serif"));
    source.setSize(14);
    source.setStyle(TFont::fsItalic | TFont::fsStrikeOut);
    source.setColor(Colors::clMaroon);
    source.setCharset(161);
    edit.selectionAttributes()->assign(source);

    TFont copy;
    edit.selectionAttributes()->assignTo(copy);
    QCOMPARE(copy.name(), source.name());
    QCOMPARE(copy.size(), 14);
    QCOMPARE(copy.style(), source.style());
    QCOMPARE(copy.color(), source.color());
    QCOMPARE(copy.charset(), 161);
    QCOMPARE(copy.pitch(), TFont::fpDefault);
}

void TestRichEditAttributes::indentsReadBackExactly_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("none") << 0 << 0 << 0;
    QTest::newRow("ruler values") << 36 << -18 << 10;
    QTest::newRow("negative first line") << -8 << 100 << 0;
    QTest::newRow("one point each") << 1 << 1 << 1;
    QTest::newRow("large") << 5000 << -5000 << 4000;
}

void TestRichEditAttributes::indentsReadBackExactly()
{
    QFETCH(int, first);
    QFETCH(int, left);
    QFETCH(int, right);
    TCustomRichEdit edit;
    append(edit, QStringLiteral("paragraph"));
    TParaAttributes& paragraph = *edit.paragraphAttributes();
    paragraph.setFirstIndent(first);
    paragraph.setLeftIndent(left);
    paragraph.setRightIndent(right);
    QCOMPARE(paragraph.firstIndent(), first);
    QCOMPARE(paragraph.leftIndent(), left);
    QCOMPARE(paragraph.rightIndent(), right);

    // Held in twips; laid out with the following lines at first + left.
    const QTextBlockFormat format = blockFormat(edit, 0);
    QCOMPARE(format.intProperty(DocumentFormat::FirstIndentTwips), first * 20);
    QCOMPARE(format.intProperty(DocumentFormat::LeftOffsetTwips), left * 20);
    QCOMPARE(format.intProperty(DocumentFormat::RightIndentTwips), right * 20);
    const double pixelsPerPoint = edit.layoutDpi() / 72.0;
    QCOMPARE(format.leftMargin(), (first + left) * pixelsPerPoint);
    QCOMPARE(format.textIndent(), -left * pixelsPerPoint);
    QCOMPARE(format.rightMargin(), right * pixelsPerPoint);
}

void TestRichEditAttributes::indentsTruncateTowardZero()
{
    TCustomRichEdit edit;
    QTextBlockFormat format;
    format.setProperty(DocumentFormat::FirstIndentTwips, 230);
    format.setProperty(DocumentFormat::LeftOffsetTwips, -230);
    format.setProperty(DocumentFormat::RightIndentTwips, 19);
    QTextCursor(edit.document()).setBlockFormat(format);
    QCOMPARE(edit.paragraphAttributes()->firstIndent(), 11);
    QCOMPARE(edit.paragraphAttributes()->leftIndent(), -11);
    QCOMPARE(edit.paragraphAttributes()->rightIndent(), 0);
}

void TestRichEditAttributes::paragraphWriteChangesOnlyItsProperty()
{
    TCustomRichEdit edit;
    append(edit, QStringLiteral("one\ntwo\nthree\nfour"));
    const int firsts[] = {5, 10, 15, 20};
    for (int i = 0; i < 4; ++i) {
        edit.setSelStart(edit.document()->findBlockByNumber(i).position());
        edit.paragraphAttributes()->setFirstIndent(firsts[i]);
        edit.paragraphAttributes()->setAlignment(i % 2 ? TParaAttributes::Center
                                                       : TParaAttributes::RightJustify);
    }
    // A selection from inside "two" to inside "three" touches exactly those two paragraphs.
    select(edit, 5, 6);
    edit.paragraphAttributes()->setLeftIndent(30);
    for (int i = 0; i < 4; ++i) {
        edit.setSelStart(edit.document()->findBlockByNumber(i).position());
        QCOMPARE(edit.paragraphAttributes()->firstIndent(), firsts[i]);
        QCOMPARE(edit.paragraphAttributes()->leftIndent(), (i == 1 || i == 2) ? 30 : 0);
        QCOMPARE(edit.paragraphAttributes()->alignment(),
                 i % 2 ? TParaAttributes::Center : TParaAttributes::RightJustify);
    }
    // The whole write is one step to undo.
    edit.Undo();
    select(edit, 5, 6);
    QCOMPARE(edit.paragraphAttributes()->leftIndent(), 0);
    edit.setSelStart(edit.document()->findBlockByNumber(2).position());
    QCOMPARE(edit.paragraphAttributes()->leftIndent(), 0);
}

void TestRichEditAttributes::alignment_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("read");
    QTest::addColumn<int>("qtAlignment");
    QTest::newRow("left") << 0 << 0 << int(Qt::AlignLeft);
    QTest::newRow("right") << 1 << 1 << int(Qt::AlignRight);
    QTest::newRow("centre") << 2 << 2 << int(Qt::AlignHCenter);
    QTest::newRow("out of range changes nothing") << 3 << 1 << int(Qt::AlignRight);
    QTest::newRow("negative changes nothing") << -1 << 1 << int(Qt::AlignRight);
}

void TestRichEditAttributes::alignment()
{
    QFETCH(int, value);
    QFETCH(int, read);
    QFETCH(int, qtAlignment);
    TCustomRichEdit edit;
    append(edit, QStringLiteral("paragraph"));
    edit.paragraphAttributes()->setAlignment(1);
    edit.paragraphAttributes()->setAlignment(value);
    QCOMPARE(edit.paragraphAttributes()->alignment(), read);
    QCOMPARE(int(blockFormat(edit, 0).alignment() & Qt::AlignHorizontal_Mask), qtAlignment);
}

void TestRichEditAttributes::numberingAdjustsTheLeftIndent_data()
{
    QTest::addColumn<int>("leftBefore");
    QTest::addColumn<int>("numbering");
    QTest::addColumn<int>("leftAfter");
    QTest::addColumn<int>("numberingAfter");
    QTest::newRow("bullet raises 0 to 10") << 0 << 1 << 10 << 1;
    QTest::newRow("bullet raises 5 to 10") << 5 << 1 << 10 << 1;
    QTest::newRow("bullet raises a negative indent") << -3 << 1 << 10 << 1;
    QTest::newRow("bullet keeps 15") << 15 << 1 << 15 << 1;
    QTest::newRow("none sets 0") << 25 << 0 << 0 << 0;
    QTest::newRow("an unknown numbering changes nothing") << 25 << 2 << 25 << 0;
}

void TestRichEditAttributes::numberingAdjustsTheLeftIndent()
{
    QFETCH(int, leftBefore);
    QFETCH(int, numbering);
    QFETCH(int, leftAfter);
    QFETCH(int, numberingAfter);
    TCustomRichEdit edit;
    append(edit, QStringLiteral("one\ntwo"));
    edit.SelectAll();
    edit.paragraphAttributes()->setFirstIndent(4);
    edit.paragraphAttributes()->setLeftIndent(leftBefore);
    edit.paragraphAttributes()->setNumbering(numbering);
    for (int i = 0; i < 2; ++i) {
        edit.setSelStart(edit.document()->findBlockByNumber(i).position());
        QCOMPARE(edit.paragraphAttributes()->numbering(), numberingAfter);
        QCOMPARE(edit.paragraphAttributes()->leftIndent(), leftAfter);
        QCOMPARE(edit.paragraphAttributes()->firstIndent(), 4);
        const QTextList* list = edit.document()->findBlockByNumber(i).textList();
        QCOMPARE(list != nullptr, numberingAfter == 1);
        if (list)
            QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
    }
    // Taking the bullets off again leaves plain paragraphs.
    edit.SelectAll();
    edit.paragraphAttributes()->setNumbering(0);
    QVERIFY(!edit.document()->begin().textList());
    QCOMPARE(edit.paragraphAttributes()->leftIndent(), 0);
    QCOMPARE(blockFormat(edit, 1).indent(), 0);
}

// A paragraph held as several blocks is formatted as one, wherever the caret is in it, and keeps
// one bullet.
void TestRichEditAttributes::paragraphFormatReachesEveryPiece()
{
    TCustomRichEdit edit;
    fillWithLongParagraph(edit);
    const int blocks = edit.document()->blockCount();
    QVERIFY(blocks > 20);
    edit.setSelStart(edit.document()->findBlockByNumber(blocks / 2).position() + 3);
    TParaAttributes& paragraph = *edit.paragraphAttributes();
    paragraph.setAlignment(TParaAttributes::Center);
    paragraph.setFirstIndent(6);
    paragraph.setNumbering(TParaAttributes::Bullet);
    QCOMPARE(paragraph.numbering(), int(TParaAttributes::Bullet));
    for (int i = 1; i < blocks - 1; ++i) {
        const QTextBlock block = edit.document()->findBlockByNumber(i);
        QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(block.blockFormat().intProperty(DocumentFormat::FirstIndentTwips), 120);
        QCOMPARE(block.textList() != nullptr, i == 1);
        if (i > 1)
            QCOMPARE(block.blockFormat().textIndent(), 0.0);
    }
    QCOMPARE(edit.document()->findBlockByNumber(1).textList()->count(), 1);
    for (int i : {0, blocks - 1}) {
        const QTextBlock block = edit.document()->findBlockByNumber(i);
        QVERIFY(!block.textList());
        QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }
}

QTEST_MAIN(TestRichEditAttributes)
#include "tst_richeditattributes.moc"
