// The rich-text control's operations: selection, text length, modified and read-only flags,
// clipboard, undo, display lines, the format rectangle, the hidden selection, notifications and
// creation from a layout.

#include "RichEditFixture.h"
#include "ScriptedDialogs.h"
#include "framework/AppError.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReader.h"
#include "framework/TForm.h"
#include "richtext/DocumentDefaults.h"
#include "richtext/RichTextClasses.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/TTextAttributes.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <tuple>

using namespace RichEditFixture;

namespace {
QTextCharFormat boldRed()
{
    return runFormat(QStringLiteral("Arial"), 12, true, false, Qt::red, 0);
}

void setClipboard(const QString& mimeType, const QByteArray& bytes)
{
    auto* data = new QMimeData;
    data->setData(mimeType, bytes);
    QGuiApplication::clipboard()->setMimeData(data);
}

void showAndWait(QWidget& widget)
{
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
}

int countPixels(const QImage& image, QColor color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == color;
    return count;
}
} // namespace

class TLayoutWindow : public TForm {
    Q_OBJECT
public:
    using TForm::TForm;
    int changes = 0;
    int selectionChanges = 0;

public Q_SLOTS:
    void RichEditChange(QObject*) { ++changes; }
    void SelectionChange(QObject*) { ++selectionChanges; }
};

class TestRichEdit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void selectionAndTextLength();
    void modifiedFlag();
    void clearEmptiesTextAndHistory();
    void readOnlyRefusesEditsButNotSelection();
    void copyPutsRichAndPlainText();
    void selectionDataIsMadeWhenRead();
    void copyHoldsTheSelectedTextAndFormats_data();
    void copyHoldsTheSelectedTextAndFormats();
    void pasteKeepsFormatting_data();
    void pasteKeepsFormatting();
    void plainTextPasteBreaks_data();
    void plainTextPasteBreaks();
    void canPaste_data();
    void canPaste();
    void cutAndDelete();
    void undo();
    void enterInsideAPieceBreaksTheParagraph_data();
    void enterInsideAPieceBreaksTheParagraph();
    void pastedParagraphsInsideAPieceStayParagraphs_data();
    void pastedParagraphsInsideAPieceStayParagraphs();
    void noLengthLimit();
    void displayLinesOfAWrappedParagraph();
    void formatRectangleLeavesMargins();
    void hiddenSelection_data();
    void hiddenSelection();
    void notifications();
    void notificationFailureReachesTheErrorBox();
    void createdFromALayout();
};

void TestRichEdit::init()
{
    QGuiApplication::clipboard()->clear();
}

void TestRichEdit::selectionAndTextLength()
{
    TCustomRichEdit edit;
    append(edit, QStringLiteral("ab\ncd\n"));
    QCOMPARE(edit.textLength(), 6); // one character per paragraph break
    select(edit, 1, 3);
    QCOMPARE(edit.selStart(), 1);
    QCOMPARE(edit.selLength(), 3);
    QCOMPARE(edit.textCursor().selectedText(), QStringLiteral("b\u2029c"));
    select(edit, 4, 100);
    QCOMPARE(edit.selLength(), 2);
    edit.setSelStart(100);
    QCOMPARE(edit.selStart(), 6);
    QCOMPARE(edit.selLength(), 0);
    edit.SelectAll();
    QCOMPARE(edit.selStart(), 0);
    QCOMPARE(edit.selLength(), 6);
}

void TestRichEdit::modifiedFlag()
{
    TCustomRichEdit edit;
    QVERIFY(!edit.modified());
    QTest::keyClicks(&edit, QStringLiteral("a"));
    QVERIFY(edit.modified());
    edit.setModified(false);
    QVERIFY(!edit.modified());
    // A format change is an edit too.
    edit.SelectAll();
    edit.selectionAttributes()->setSize(20);
    QVERIFY(edit.modified());
    edit.setModified(true);
    edit.Clear();
    QVERIFY(!edit.modified());
}

void TestRichEdit::clearEmptiesTextAndHistory()
{
    TCustomRichEdit edit;
    edit.defaultAttributes()->setSize(15);
    append(edit, QStringLiteral("formatted"), boldRed());
    edit.setSelStart(4);
    edit.Clear();
    QCOMPARE(edit.textLength(), 0);
    QVERIFY(!edit.CanUndo());
    // New text takes the default attributes, not the caret's last format.
    QTest::keyClicks(&edit, QStringLiteral("new"));
    edit.SelectAll();
    QCOMPARE(edit.selectionAttributes()->size(), 15);
    QCOMPARE(int(edit.selectionAttributes()->style()), 0);
}

void TestRichEdit::readOnlyRefusesEditsButNotSelection()
{
    TCustomRichEdit edit;
    append(edit, QStringLiteral("fixed"));
    edit.setModified(false);
    edit.setReadOnly(true);
    QVERIFY(edit.readOnly());
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    QVERIFY(!edit.CanPaste());
    edit.SelectAll();
    QTest::keyClicks(&edit, QStringLiteral("typed"));
    edit.PasteFromClipboard();
    edit.CutToClipboard();
    edit.ClearSelection();
    QCOMPARE(edit.lines()->text(), QStringLiteral("fixed"));
    QCOMPARE(edit.selLength(), 5);
    edit.CopyToClipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("fixed"));
    // Keys still move the caret.
    QTest::keyClick(&edit, Qt::Key_Home);
    QCOMPARE(edit.selLength(), 0);
    QVERIFY(!edit.modified());

    edit.setReadOnly(false);
    QTest::keyClicks(&edit, QStringLiteral("x"));
    QCOMPARE(edit.lines()->text(), QStringLiteral("xfixed"));
}

void TestRichEdit::copyPutsRichAndPlainText()
{
    TCustomRichEdit edit;
    append(edit, QStringLiteral("alpha"), boldRed());
    append(edit, QStringLiteral("\nbeta"));
    select(edit, 3, 5);
    edit.CopyToClipboard();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->data(QStringLiteral("text/rtf")).startsWith("{\\rtf"));
    QCOMPARE(data->text(), QStringLiteral("ha\nbe"));
    // And HTML, for programs that know no RTF.
    QVERIFY(data->html().contains(QStringLiteral(">ha</span>")));
}

// The data offered for the selection (the X11 primary selection) costs nothing until it is read,
// and then is the selected text as it stands; a drag's data is the selection as it was.
void TestRichEdit::selectionDataIsMadeWhenRead()
{
    struct Probe : TCustomRichEdit {
        using TCustomRichEdit::createMimeDataFromSelection;
    };
    Probe edit;
    append(edit, QStringLiteral("alpha"), boldRed());
    append(edit, QStringLiteral(" beta"));
    select(edit, 0, 5);
    const std::unique_ptr<QMimeData> offered(edit.createMimeDataFromSelection());
    QVERIFY(offered->hasFormat(QStringLiteral("text/rtf")) && offered->hasText());
    QTextCursor(edit.document()).insertText(QStringLiteral(">> "));
    QTextCursor inside(edit.document());
    inside.setPosition(5);
    inside.insertText(QStringLiteral("X"));
    QCOMPARE(offered->text(), QStringLiteral("alXpha"));
    QVERIFY(offered->data(QStringLiteral("text/rtf")).contains("alXpha"));
    QVERIFY(offered->data(QStringLiteral("text/rtf")).contains("\\b"));

    showAndWait(edit);
    select(edit, 3, 6);
    QTest::mousePress(edit.viewport(), Qt::LeftButton, {}, edit.cursorRect().center() - QPoint(8, 0));
    const std::unique_ptr<QMimeData> dragged(edit.createMimeDataFromSelection());
    QTest::mouseRelease(edit.viewport(), Qt::LeftButton, {}, edit.cursorRect().center() - QPoint(8, 0));
    edit.ClearSelection();
    QCOMPARE(dragged->text(), QStringLiteral("alXpha"));
}

void TestRichEdit::copyHoldsTheSelectedTextAndFormats_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    // "Plain bold italic\n" 0-18, "first bullet\n" 18-31, "second bullet\n" 31-45, "last" 45-49
    QTest::newRow("everything") << 0 << 49;
    QTest::newRow("inside one run") << 7 << 9;
    QTest::newRow("mid-paragraph to mid-list") << 8 << 38;
    QTest::newRow("whole list paragraphs") << 18 << 45;
    QTest::newRow("ending where a paragraph starts") << 18 << 31;
    QTest::newRow("from a paragraph's end") << 17 << 40;
}

// What Copy puts on the clipboard, read back, is the selected text with the formats it shows
// (the control's default face and colour included), and each paragraph whose start is selected
// keeps its indents and its bullet.
void TestRichEdit::copyHoldsTheSelectedTextAndFormats()
{
    QFETCH(int, start);
    QFETCH(int, end);
    TCustomRichEdit edit;
    auto* source = new QTextDocument;
    QVERIFY(RtfReader::read(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}{\\f2\\fcharset2 Symbol;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}"
        "\\pard\\li720 Plain {\\b bold} {\\i\\cf1 italic}\\par"
        "\\pard{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li1080 first bullet\\par"
        "{\\f1\\fs28 second} bullet\\par"
        "\\pard\\qc last}",
        *source));
    edit.replaceDocument(source);
    QTextCharFormat defaults = DocumentDefaults::charFormat(*source);
    defaults.setForeground(QColor(0, 128, 0)); // beyond a face and a size: resolved into every run
    DocumentDefaults::setCharFormat(*source, defaults);
    QCOMPARE(edit.textLength(), 49);
    select(edit, start, end - start);
    const QString selected = edit.lines()->text().mid(start, end - start);
    edit.CopyToClipboard();

    QTextDocument copy;
    QVERIFY(RtfReader::read(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/rtf")), copy));
    QCOMPARE(copy.toPlainText().replace(QChar::ParagraphSeparator, u'\n'), selected);
    auto shown = [](const QTextDocument& document, int position) {
        QTextCursor at(const_cast<QTextDocument*>(&document));
        at.setPosition(position + 1);
        const QTextCharFormat format = DocumentDefaults::resolved(document, at.charFormat());
        return std::tuple(format.fontFamilies(), DocumentFormat::sizeTwips(format), format.fontWeight(),
                          format.fontItalic(), format.foreground().color());
    };
    for (int i = 0; i < selected.size(); ++i) {
        if (selected[i] != u'\n')
            QCOMPARE(shown(copy, i), shown(*source, start + i));
    }
    for (QTextBlock block = copy.begin(); block.isValid(); block = block.next()) {
        const QTextBlock original = source->findBlock(start + block.position());
        if ((block.position() == 0 && start != original.position()) || block.length() == 1)
            continue; // the first paragraph's start is not selected, or nothing of it is
        QCOMPARE(block.blockFormat().leftMargin(), original.blockFormat().leftMargin());
        QCOMPARE(block.blockFormat().textIndent(), original.blockFormat().textIndent());
        QCOMPARE(block.blockFormat().alignment(), original.blockFormat().alignment());
        QCOMPARE(block.textList() != nullptr, original.textList() != nullptr);
    }
    // And the HTML, made when asked for, holds the text (Qt reads an empty paragraph before a
    // list in HTML as two).
    QTextDocument html;
    html.setHtml(QGuiApplication::clipboard()->mimeData()->html());
    QCOMPARE(html.toPlainText().split(u'\n', Qt::SkipEmptyParts),
             selected.split(u'\n', Qt::SkipEmptyParts));
}

void TestRichEdit::pasteKeepsFormatting_data()
{
    QTest::addColumn<QString>("mimeType");
    QTest::newRow("text/rtf") << QStringLiteral("text/rtf");
    QTest::newRow("application/rtf") << QStringLiteral("application/rtf");
}

void TestRichEdit::pasteKeepsFormatting()
{
    QFETCH(QString, mimeType);
    TCustomRichEdit source;
    append(source, QStringLiteral("alpha"), boldRed());
    append(source, QStringLiteral("beta"),
           runFormat(QStringLiteral("Courier New"), 14, false, true, Qt::blue, 0));
    select(source, 3, 4);
    source.CopyToClipboard();
    const QByteArray rtf = QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/rtf"));
    setClipboard(mimeType, rtf);

    TCustomRichEdit target;
    append(target, QStringLiteral("[]"));
    target.setSelStart(1);
    QVERIFY(target.CanPaste());
    target.PasteFromClipboard();
    QCOMPARE(target.lines()->text(), QStringLiteral("[habe]"));
    QCOMPARE(target.selStart(), 5);
    select(target, 1, 2);
    QCOMPARE(target.selectionAttributes()->name(), QStringLiteral("Arial"));
    QCOMPARE(target.selectionAttributes()->size(), 12);
    QCOMPARE(int(target.selectionAttributes()->style()), int(TFont::fsBold));
    QCOMPARE(target.selectionAttributes()->color(), Colors::clRed);
    select(target, 3, 2);
    QCOMPARE(target.selectionAttributes()->name(), QStringLiteral("Courier New"));
    QCOMPARE(int(target.selectionAttributes()->style()), int(TFont::fsItalic));
    QCOMPARE(target.selectionAttributes()->color(), Colors::clBlue);
}

void TestRichEdit::plainTextPasteBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb\r\nc");
    QTest::newRow("lone CR") << QStringLiteral("a\rb\rc");
    QTest::newRow("lone LF") << QStringLiteral("a\nb\nc");
    QTest::newRow("mixed") << QStringLiteral("a\r\nb\rc");
}

void TestRichEdit::plainTextPasteBreaks()
{
    QFETCH(QString, text);
    TCustomRichEdit edit;
    append(edit, QStringLiteral("start:"), boldRed());
    edit.setSelStart(6);
    QGuiApplication::clipboard()->setText(text);
    edit.PasteFromClipboard();
    QCOMPARE(edit.lines()->text(), QStringLiteral("start:a\nb\nc"));
    QCOMPARE(edit.document()->blockCount(), 3);
    // Plain text takes the format at the caret.
    select(edit, 6, 1);
    QCOMPARE(edit.selectionAttributes()->color(), Colors::clRed);
}

void TestRichEdit::canPaste_data()
{
    QTest::addColumn<QString>("mimeType");
    QTest::addColumn<bool>("canPaste");
    QTest::newRow("plain text") << QStringLiteral("text/plain") << true;
    QTest::newRow("rtf") << QStringLiteral("text/rtf") << true;
    QTest::newRow("a picture only") << QStringLiteral("image/png") << false;
    QTest::newRow("nothing") << QString() << false;
}

void TestRichEdit::canPaste()
{
    QFETCH(QString, mimeType);
    QFETCH(bool, canPaste);
    if (!mimeType.isEmpty())
        setClipboard(mimeType, "{\\rtf1 x}");
    TCustomRichEdit edit;
    QCOMPARE(edit.CanPaste(), canPaste);
}

void TestRichEdit::cutAndDelete()
{
    TCustomRichEdit edit;
    append(edit, QStringLiteral("one two three"));
    select(edit, 4, 4);
    edit.CutToClipboard();
    QCOMPARE(edit.lines()->text(), QStringLiteral("one three"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("two "));

    select(edit, 0, 4);
    edit.ClearSelection();
    QCOMPARE(edit.lines()->text(), QStringLiteral("three"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("two "));
    // Nothing selected: nothing deleted.
    edit.ClearSelection();
    QCOMPARE(edit.lines()->text(), QStringLiteral("three"));
}

void TestRichEdit::undo()
{
    TCustomRichEdit edit;
    QVERIFY(!edit.CanUndo());
    // The default attributes are no edit of the text.
    edit.defaultAttributes()->setSize(12);
    edit.font()->setName(QStringLiteral("Liberation Sans"));
    QVERIFY(!edit.CanUndo());

    QTest::keyClicks(&edit, QStringLiteral("abc"));
    QVERIFY(edit.CanUndo());
    edit.SelectAll();
    edit.selectionAttributes()->setStyle(TFont::fsBold);
    edit.Undo();
    QCOMPARE(int(edit.selectionAttributes()->style()), 0);
    QCOMPARE(edit.lines()->text(), QStringLiteral("abc"));
    while (edit.CanUndo())
        edit.Undo();
    QCOMPARE(edit.lines()->text(), QString());
}

void TestRichEdit::pastedParagraphsInsideAPieceStayParagraphs_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("text") << QByteArray("text/plain") << QByteArray("one\ntwo\nthree");
    QTest::newRow("rtf") << QByteArray("text/rtf") << QByteArray("{\\rtf1\\ansi one\\par two\\par three}");
}

// Paragraphs pasted inside a paragraph held as several blocks keep their breaks when saved.
void TestRichEdit::pastedParagraphsInsideAPieceStayParagraphs()
{
    QFETCH(QByteArray, format);
    QFETCH(QByteArray, data);
    TCustomRichEdit edit;
    fillWithLongParagraph(edit);
    const QTextDocument& document = *edit.document();
    const QString before = edit.lines()->text();
    const int position = document.findBlockByNumber(document.blockCount() / 2).position() + 7;
    const qsizetype at = ParagraphPieces::joined(document, 0, document.toPlainText().left(position)).size();
    edit.setSelStart(position);
    setClipboard(QString::fromLatin1(format), data);
    edit.PasteFromClipboard();

    QCOMPARE(edit.lines()->text(), QString(before).insert(at, QStringLiteral("one\ntwo\nthree")));
    QCOMPARE(RtfWriter::toRtf(document).count("\\par}"), 4);
}

void TestRichEdit::enterInsideAPieceBreaksTheParagraph_data()
{
    QTest::addColumn<int>("offset");
    QTest::newRow("piece start") << 0;
    QTest::newRow("inside a piece") << 7;
}

// Enter in a paragraph held as several blocks makes a real paragraph: saved with a mark of its
// own, one edit with the key.
void TestRichEdit::enterInsideAPieceBreaksTheParagraph()
{
    QFETCH(int, offset);
    TCustomRichEdit edit;
    fillWithLongParagraph(edit);
    const QTextDocument& document = *edit.document();
    const QString before = edit.lines()->text();
    const int position = document.findBlockByNumber(document.blockCount() / 2).position() + offset;
    const qsizetype at = ParagraphPieces::joined(document, 0, document.toPlainText().left(position)).size();
    edit.setSelStart(position);
    QTest::keyClick(&edit, Qt::Key_Return);

    QCOMPARE(edit.lines()->text(), QString(before).insert(at, u'\n'));
    QVERIFY(!ParagraphPieces::continues(edit.textCursor().block()));
    QCOMPARE(RtfWriter::toRtf(document).count("\\par}"), 3);
    edit.Undo();
    QCOMPARE(edit.lines()->text(), before);
}

void TestRichEdit::noLengthLimit()
{
    TCustomRichEdit edit;
    const QString block(40000, u'x');
    QGuiApplication::clipboard()->setText(block);
    edit.PasteFromClipboard();
    edit.PasteFromClipboard();
    QTest::keyClicks(&edit, QStringLiteral("yz"));
    QCOMPARE(edit.textLength(), 80002);
    QVERIFY(edit.lines()->text().endsWith(QStringLiteral("xyz")));
}

void TestRichEdit::displayLinesOfAWrappedParagraph()
{
    TCustomRichEdit edit;
    edit.resize(220, 300);
    showAndWait(edit);
    QStringList words;
    for (int i = 0; i < 60; ++i)
        words << QStringLiteral("word%1").arg(i);
    append(edit, words.join(u' ') + QStringLiteral("\nlast"));
    const int secondParagraph = edit.document()->lastBlock().position();

    // Walk the lines of the wrapped paragraph: each starts below the one before.
    QList<int> starts;
    for (int line = 0;; ++line) {
        const int start = edit.lineIndex(line);
        QVERIFY(start >= 0);
        if (start >= secondParagraph) {
            QCOMPARE(start, secondParagraph);
            break;
        }
        starts << start;
    }
    QVERIFY2(starts.size() >= 3, "the paragraph wraps");
    QCOMPARE(starts.first(), 0);
    for (int line = 0; line < starts.size(); ++line) {
        QCOMPARE(edit.lineFromChar(starts[line]), line);
        if (line > 0) {
            QCOMPARE(edit.lineFromChar(starts[line] - 1), line - 1);
            QTextCursor at(edit.document());
            at.setPosition(starts[line]);
            QTextCursor before(edit.document());
            before.setPosition(starts[line - 1]);
            QVERIFY(edit.cursorRect(at).top() > edit.cursorRect(before).top());
        }
    }
    const int lines = starts.size() + 1;
    QCOMPARE(edit.lineFromChar(secondParagraph), lines - 1);
    QCOMPARE(edit.lineFromChar(edit.textLength() + 10), lines - 1);
    QCOMPARE(edit.lineIndex(lines), -1);
    // A negative line stands for the line of the selection start.
    edit.setSelStart(starts[1] + 2);
    QCOMPARE(edit.lineIndex(-1), starts[1]);
}

void TestRichEdit::formatRectangleLeavesMargins()
{
    TCustomRichEdit edit;
    edit.resize(300, 200);
    append(edit, QStringLiteral("text"));
    showAndWait(edit);
    const QSize client = edit.clientSize();
    edit.setFormatRect(QRect(6, 0, client.width() - 12, client.height()));
    QCOMPARE(edit.formatRect(), QRect(6, 0, client.width() - 12, client.height()));
    QCOMPARE(edit.clientSize(), client);

    // The text starts 6 pixels in; the margin shows the text background, not the window's.
    QTextCursor start(edit.document());
    const QPoint caret = edit.viewport()->mapTo(&edit, edit.cursorRect(start).topLeft());
    const int frame = edit.frameWidth();
    QVERIFY(caret.x() >= frame + 6 && caret.x() <= frame + 8);
    const QImage image = edit.grab().toImage();
    const QColor base = edit.palette().color(QPalette::Base);
    QCOMPARE(image.pixelColor(frame + 2, frame + 20), base);
    QCOMPARE(image.pixelColor(frame + client.width() - 3, frame + 20), base);

    // Set again for a wider control, as the main window does when it paints.
    edit.resize(400, 200);
    const QSize wider = edit.clientSize();
    QCOMPARE(wider.width(), client.width() + 100);
    edit.setFormatRect(QRect(6, 0, wider.width() - 12, wider.height()));
    QCOMPARE(edit.formatRect(), QRect(6, 0, wider.width() - 12, wider.height()));
    QCOMPARE(edit.viewport()->width(), wider.width() - 12);
}

void TestRichEdit::hiddenSelection_data()
{
    QTest::addColumn<bool>("hide");
    QTest::newRow("hidden without the focus") << true;
    QTest::newRow("shown without the focus") << false;
}

void TestRichEdit::hiddenSelection()
{
    QFETCH(bool, hide);
    QWidget window;
    auto* edit = new TCustomRichEdit(&window);
    auto* other = new TCustomRichEdit(&window);
    edit->setGeometry(0, 0, 200, 100);
    other->setGeometry(0, 100, 200, 100);
    edit->setHideSelection(hide);
    append(*edit, QStringLiteral("selected text"),
           runFormat(QStringLiteral("Arial"), 20, false, false, Qt::black, 0));
    edit->SelectAll();
    showAndWait(window);
    other->setFocus();
    QVERIFY(!edit->hasFocus());
    const QColor highlight = edit->palette().color(QPalette::Inactive, QPalette::Highlight);
    const int highlighted = countPixels(edit->viewport()->grab().toImage(), highlight);
    QCOMPARE(highlighted == 0, hide);
    QCOMPARE(edit->selLength(), 13);
}

void TestRichEdit::notifications()
{
    TCustomRichEdit edit;
    append(edit, QStringLiteral("some text"));
    QSignalSpy changes(&edit, &TCustomRichEdit::OnChange);
    QSignalSpy moves(&edit, &TCustomRichEdit::OnSelectionChange);

    edit.setSelStart(3);
    QCOMPARE(moves.size(), 1);
    QCOMPARE(moves.first().first().value<QObject*>(), &edit);
    edit.setSelStart(3); // no move
    QCOMPARE(moves.size(), 1);
    select(edit, 3, 2);
    QCOMPARE(moves.size(), 2);
    QCOMPARE(changes.size(), 0);

    edit.selectionAttributes()->setStyle(TFont::fsItalic);
    QVERIFY(changes.size() >= 1);
    QCOMPARE(moves.size(), 2);

    changes.clear();
    QTest::keyClick(&edit, Qt::Key_X);
    QVERIFY(changes.size() >= 1);
    QCOMPARE(changes.first().first().value<QObject*>(), &edit);
    QCOMPARE(moves.size(), 3);

    changes.clear();
    edit.Clear();
    QVERIFY(changes.size() >= 1);
    QCOMPARE(moves.size(), 4);
}

void TestRichEdit::notificationFailureReachesTheErrorBox()
{
    ScriptedDialogs::Scope dialogs;
    TCustomRichEdit edit;
    connect(&edit, &TCustomRichEdit::OnChange, &edit,
            [] { throw AppError(QStringLiteral("handler failed")); });
    QTest::keyClick(&edit, Qt::Key_A);
    QCOMPARE(dialogs->errors, QStringList{QStringLiteral("handler failed.")});
    QCOMPARE(edit.lines()->text(), QStringLiteral("a"));
}

void TestRichEdit::createdFromALayout()
{
    registerRichTextClasses();
    const QString layout = QStringLiteral(R"(object Window : TLayoutWindow
  object Editor : TRichEdit
    Left = 51
    Top = 44
    Width = 728
    Height = 443
    Font.Name = "Default"
    Font.Height = -13
    ScrollBars = ssVertical
    PlainText = false
    WordWrap = false
    HideSelection = true
    ReadOnly = true
    TabOrder = 1
    OnChange = RichEditChange
    OnSelectionChange = SelectionChange
  end
end
)");
    TLayoutWindow window;
    LayoutReader::read(window, LayoutParser::parse(layout, QStringLiteral("Test.layout")),
                       LayoutReader::Mode::Create, QStringLiteral("Test.layout"));
    auto* edit = window.findChild<TCustomRichEdit*>(QStringLiteral("Editor"));
    QVERIFY(edit);
    QCOMPARE(edit->geometry(), QRect(51, 44, 728, 443));
    QCOMPARE(edit->defaultAttributes()->name(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(edit->defaultAttributes()->size(), 10);
    QCOMPARE(edit->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QCOMPARE(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(edit->lineWrapMode(), QTextEdit::NoWrap);
    QVERIFY(edit->readOnly());
    edit->setReadOnly(false);
    QTest::keyClick(edit, Qt::Key_A);
    QVERIFY(window.changes >= 1);
    QCOMPARE(window.selectionChanges, 1);
}

QTEST_MAIN(TestRichEdit)
#include "tst_richedit.moc"
