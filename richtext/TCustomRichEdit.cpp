#include "richtext/TCustomRichEdit.h"

#include "framework/Colors.h"
#include "framework/MessageDispatch.h"
#include "richtext/DocumentDefaults.h"
#include "richtext/DocumentFormat.h"
#include "richtext/LazyDocumentLayout.h"
#include "richtext/ParagraphDecorations.h"
#include "richtext/ParagraphLayout.h"
#include "richtext/ParagraphPieces.h"
#include "richtext/RtfReader.h"
#include "richtext/SelectionMimeData.h"
#include "richtext/TParaAttributes.h"
#include "richtext/TRichEditStrings.h"
#include "richtext/TTextAttributes.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QTextList>
#include <QVector>

namespace {
const QString RtfMimeAlternative = QStringLiteral("application/rtf");

// One run of a selection with the format it has.
struct Run {
    int start;
    int end;
    QTextCharFormat format;
};

QVector<Run> runsOf(const QTextDocument& document, int start, int end)
{
    QVector<Run> runs;
    for (QTextBlock block = document.findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = qMax(start, fragment.position());
            const int to = qMin(end, fragment.position() + fragment.length());
            if (from < to)
                runs.append({from, to, fragment.charFormat()});
        }
    }
    return runs;
}

// Documents up to this many characters have every display line counted whenever one is asked
// for (a few milliseconds); larger ones count in idle time.
constexpr int CountAtOnceCharacters = 200000;

LazyDocumentLayout* lazyLayout(const QTextDocument& document)
{
    return qobject_cast<LazyDocumentLayout*>(document.documentLayout());
}

// The clipboard's data is the selection as it was copied (or cut): the selection's data is
// frozen as soon as it becomes the clipboard's.
void freezeClipboardSelections()
{
    static const bool connected = [] {
        QClipboard* clipboard = QGuiApplication::clipboard();
        QObject::connect(clipboard, &QClipboard::changed, clipboard, [clipboard](QClipboard::Mode mode) {
            if (mode != QClipboard::Clipboard)
                return;
            const QMimeData* data = clipboard->mimeData(mode);
            if (auto* selection = qobject_cast<const SelectionMimeData*>(data))
                const_cast<SelectionMimeData*>(selection)->freeze();
        });
        return true;
    }();
    Q_UNUSED(connected);
}

QString withParagraphBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}
} // namespace

TCustomRichEdit::TCustomRichEdit(QWidget* parent)
    : QTextEdit(parent), m_font(new TFont(this)),
      m_selectionAttributes(new TTextAttributes(this, TTextAttributes::Kind::Selection)),
      m_defaultAttributes(new TTextAttributes(this, TTextAttributes::Kind::Default)),
      m_paragraphAttributes(new TParaAttributes(this)), m_lines(new TRichEditStrings(this))
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // The format rectangle's margins lie outside the viewport: they show the text background.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setTabChangesFocus(false);
    setFocusPolicy(Qt::StrongFocus);
    prepareDocument(*document());
    setScrollBars(ssBoth);
    setWordWrap(true);

    connect(this, &QTextEdit::textChanged, this, &TCustomRichEdit::documentChanged);
    followLayout();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TCustomRichEdit::showLayoutTheView);
    connect(this, &QTextEdit::cursorPositionChanged, this, &TCustomRichEdit::selectionMoved);
    connect(this, &QTextEdit::selectionChanged, this, &TCustomRichEdit::selectionMoved);
    connect(m_font, &TFont::changed, this, &TCustomRichEdit::fontChanged);
    freezeClipboardSelections();
    // As the window is created, the control's font becomes the default attributes.
    fontChanged();
    document()->setModified(false);
}

TCustomRichEdit::~TCustomRichEdit() = default;

void TCustomRichEdit::prepareDocument(QTextDocument& document) const
{
    // The text starts at the format rectangle's edge; the margins are the viewport's.
    document.setDocumentMargin(0);
    DocumentFormat::setDefaultTabTwips(document, DocumentFormat::defaultTabTwips(document));
    document.clearUndoRedoStacks();
    // Only what is shown or asked for is laid out (set last: it estimates every paragraph).
    if (!document.findChild<LazyDocumentLayout*>(QString(), Qt::FindDirectChildrenOnly))
        document.setDocumentLayout(new LazyDocumentLayout(&document));
}

void TCustomRichEdit::followLayout()
{
    LazyDocumentLayout* layout = lazyLayout(*document());
    showLayoutTheView();
    // Paragraphs above the view that are measured anew move the text in view: the view follows.
    connect(layout, &LazyDocumentLayout::viewShifted, this, &TCustomRichEdit::followShift, Qt::UniqueConnection);
}

void TCustomRichEdit::showLayoutTheView()
{
    if (LazyDocumentLayout* layout = lazyLayout(*document()))
        layout->setView(verticalScrollBar()->value(), viewport()->height());
}

void TCustomRichEdit::holdLayout()
{
    // The click or key lands on the text as shown: the view follows what measuring moved first.
    if (LazyDocumentLayout* layout = lazyLayout(*document())) {
        layout->holdMeasuring();
        layout->tellChanges();
    }
}

void TCustomRichEdit::followShift(qreal delta)
{
    // The bar moves by whole pixels; what is left over waits for the next shift.
    m_unscrolledShift += delta;
    const int whole = qRound(m_unscrolledShift);
    m_unscrolledShift -= whole;
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + whole);
}

void TCustomRichEdit::setScrollBars(TScrollStyle scrollBars)
{
    m_scrollBars = scrollBars;
    const bool horizontal = scrollBars == ssHorizontal || scrollBars == ssBoth;
    const bool vertical = scrollBars == ssVertical || scrollBars == ssBoth;
    // Bars show only when the text needs them.
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TCustomRichEdit::setReadOnly(bool readOnly)
{
    if (readOnly == isReadOnly())
        return;
    QTextEdit::setReadOnly(readOnly);
    if (readOnly)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TCustomRichEdit::setWordWrap(bool wordWrap)
{
    m_wordWrap = wordWrap;
    setLineWrapMode(wordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TCustomRichEdit::setHideSelection(bool hide)
{
    m_hideSelection = hide;
    viewport()->update();
}

bool TCustomRichEdit::modified() const
{
    return document()->isModified();
}

void TCustomRichEdit::setModified(bool modified)
{
    document()->setModified(modified);
}

int TCustomRichEdit::selStart() const
{
    return textCursor().selectionStart();
}

void TCustomRichEdit::setSelStart(int start)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(qBound(0, start, textLength()));
    setTextCursor(cursor);
}

int TCustomRichEdit::selLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TCustomRichEdit::setSelLength(int length)
{
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(qBound(0, start + qMax(length, -start), textLength()), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

int TCustomRichEdit::textLength() const
{
    // The document's last paragraph break is not text.
    return document()->characterCount() - 1;
}

void TCustomRichEdit::Clear()
{
    QTextEdit::clear();
    DocumentFormat::setDefaultTabTwips(*document(), DocumentFormat::StandardDefaultTabTwips);
    m_lines->forgetPlainTextFormat();
    // New text takes the default attributes again, not the format the caret had.
    setCurrentCharFormat(QTextCharFormat());
    DocumentDefaults::reapply(*document());
    document()->clearUndoRedoStacks();
    setModified(false);
}

void TCustomRichEdit::CutToClipboard()
{
    if (!isReadOnly())
        cut();
}

void TCustomRichEdit::CopyToClipboard()
{
    copy();
}

void TCustomRichEdit::PasteFromClipboard()
{
    if (!isReadOnly())
        paste();
}

void TCustomRichEdit::ClearSelection()
{
    if (isReadOnly())
        return;
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return;
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

void TCustomRichEdit::SelectAll()
{
    selectAll();
}

void TCustomRichEdit::Undo()
{
    if (!isReadOnly())
        undo();
}

bool TCustomRichEdit::CanUndo() const
{
    return document()->isUndoAvailable();
}

bool TCustomRichEdit::CanPaste() const
{
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    return !isReadOnly() && offered && canInsertFromMimeData(offered);
}

QTextBlock TCustomRichEdit::countedBlock(int index) const
{
    const QTextDocument& doc = *document();
    const QTextBlock block = doc.findBlock(qBound(0, index, textLength()));
    LazyDocumentLayout* layout = lazyLayout(doc);
    if (doc.characterCount() <= CountAtOnceCharacters)
        layout->measureThrough(block);
    layout->blockBoundingRect(block);
    return block;
}

int TCustomRichEdit::lineFromChar(int index) const
{
    const QTextBlock block = countedBlock(index);
    int lineInBlock = 0;
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine line = layout->lineForTextPosition(qBound(0, index, textLength()) - block.position());
        lineInBlock = line.isValid() ? line.lineNumber() : layout->lineCount() - 1;
    }
    return block.firstLineNumber() + lineInBlock;
}

int TCustomRichEdit::lineIndex(int line) const
{
    if (line < 0)
        line = lineFromChar(selStart());
    const QTextDocument& doc = *document();
    if (doc.characterCount() <= CountAtOnceCharacters)
        countedBlock(textLength());
    for (;;) {
        // Laying the paragraph out may change its line count (an estimate until then): look again.
        const QTextBlock block = doc.findBlockByLineNumber(line);
        if (!block.isValid())
            return -1;
        const int before = block.lineCount();
        lazyLayout(doc)->blockBoundingRect(block);
        if (block.lineCount() != before)
            continue;
        const QTextLine textLine = block.layout()->lineAt(line - block.firstLineNumber());
        return block.position() + (textLine.isValid() ? textLine.textStart() : 0);
    }
}

void TCustomRichEdit::setFormatRect(const QRect& rect)
{
    const QSize client = clientSize();
    const QMargins margins(qMax(0, rect.left()), qMax(0, rect.top()),
                           qMax(0, client.width() - rect.left() - rect.width()),
                           qMax(0, client.height() - rect.top() - rect.height()));
    // The main window sets the rectangle at every paint: only a change lays the text out anew.
    if (margins == m_formatMargins)
        return;
    m_formatMargins = margins;
    setViewportMargins(m_formatMargins);
}

QRect TCustomRichEdit::formatRect() const
{
    return QRect(QPoint(0, 0), clientSize()).marginsRemoved(m_formatMargins);
}

QSize TCustomRichEdit::clientSize() const
{
    return viewport()->size().grownBy(m_formatMargins);
}

QTextCharFormat TCustomRichEdit::selectionCharFormat() const
{
    const QTextCursor cursor = textCursor();
    QTextCharFormat own;
    if (cursor.hasSelection()) {
        // A selection answers with its first character.
        QTextCursor first(document());
        first.setPosition(cursor.selectionStart());
        first.setPosition(cursor.selectionStart() + 1, QTextCursor::KeepAnchor);
        own = first.charFormat();
    } else {
        own = cursor.charFormat();
    }
    return DocumentDefaults::resolved(*document(), own);
}

QTextCharFormat TCustomRichEdit::defaultCharFormat() const
{
    return DocumentDefaults::charFormat(*document());
}

void TCustomRichEdit::changeSelectionCharFormat(const QTextCharFormat& set, int removedProperty)
{
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        // The format the next typed text takes.
        QTextCharFormat format = cursor.charFormat();
        format.merge(set);
        if (removedProperty >= 0)
            format.clearProperty(removedProperty);
        setCurrentCharFormat(format);
        return;
    }
    if (removedProperty < 0) {
        mergeCurrentCharFormat(set);
        return;
    }
    // Removing a property means rewriting each run of the selection with its own format.
    const QVector<Run> runs = runsOf(*document(), cursor.selectionStart(), cursor.selectionEnd());
    QTextCursor edit(document());
    edit.beginEditBlock();
    for (Run run : runs) {
        run.format.merge(set);
        run.format.clearProperty(removedProperty);
        edit.setPosition(run.start);
        edit.setPosition(run.end, QTextCursor::KeepAnchor);
        edit.setCharFormat(run.format);
    }
    edit.endEditBlock();
}

void TCustomRichEdit::changeDefaultCharFormat(const QTextCharFormat& set, int removedProperty)
{
    QTextCharFormat format = defaultCharFormat();
    format.merge(set);
    if (removedProperty >= 0)
        format.clearProperty(removedProperty);
    DocumentDefaults::setCharFormat(*document(), format);
    applyDefaultColor();
}

QTextBlockFormat TCustomRichEdit::paragraphFormat() const
{
    return ParagraphPieces::paragraphStart(document()->findBlock(selStart())).blockFormat();
}

bool TCustomRichEdit::paragraphBulleted() const
{
    return ParagraphPieces::paragraphStart(document()->findBlock(selStart())).textList() != nullptr;
}

void TCustomRichEdit::changeParagraphFormats(const BlockChange& change)
{
    const QTextCursor cursor = textCursor();
    QTextDocument& doc = *document();
    // Every piece of a paragraph held as several blocks changes with it.
    const QTextBlock first = ParagraphPieces::paragraphStart(doc.findBlock(cursor.selectionStart()));
    const QTextBlock last = ParagraphPieces::paragraphEnd(doc.findBlock(cursor.selectionEnd()));
    QTextCursor edit(&doc);
    edit.beginEditBlock();
    // Runs of neighbouring paragraphs of one format change together.
    for (QTextBlock block = first; block.isValid();) {
        const QTextBlockFormat format = block.blockFormat();
        QTextBlock runEnd = block;
        while (runEnd != last && runEnd.next().isValid() && runEnd.next().blockFormat() == format)
            runEnd = runEnd.next();
        QTextBlockFormat changed = format;
        change(changed);
        if (changed != format) {
            edit.setPosition(block.position());
            edit.setPosition(runEnd.position(), QTextCursor::KeepAnchor);
            edit.setBlockFormat(changed);
        }
        if (runEnd == last)
            break;
        block = runEnd.next();
    }
    ParagraphLayout::layOut(doc, first, last, layoutDpi());
    edit.endEditBlock();
}

void TCustomRichEdit::setParagraphsBulleted(bool bulleted)
{
    const QTextCursor cursor = textCursor();
    QTextDocument& doc = *document();
    // A paragraph held as several blocks has one marker, on its first block.
    const QTextBlock first = ParagraphPieces::paragraphStart(doc.findBlock(cursor.selectionStart()));
    const QTextBlock last = ParagraphPieces::paragraphEnd(doc.findBlock(cursor.selectionEnd()));
    QVector<QTextBlock> blocks;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        if (!ParagraphPieces::continues(block) || block == first)
            blocks.append(block);
        if (block == last)
            break;
    }
    QTextCursor edit(&doc);
    edit.beginEditBlock();
    QTextList* list = nullptr;
    for (const QTextBlock& block : blocks) {
        QTextList* current = block.textList();
        if (bulleted) {
            if (current && current->format().style() == QTextListFormat::ListDisc)
                continue;
            if (list && list->count() < DocumentFormat::BulletsPerList) {
                list->add(block);
            } else {
                // Bullets sit in the first-line indent; the list adds no indent of its own.
                QTextListFormat format;
                format.setStyle(QTextListFormat::ListDisc);
                format.setIndent(0);
                edit.setPosition(block.position());
                list = edit.createList(format);
            }
        } else if (current) {
            const int indent = block.blockFormat().indent();
            current->remove(block);
            QTextBlockFormat format = block.blockFormat();
            format.setIndent(indent);
            edit.setPosition(block.position());
            edit.setBlockFormat(format);
        }
    }
    // A marker moves the first line's text to the first stop after it.
    ParagraphLayout::layOut(doc, first, last, layoutDpi());
    edit.endEditBlock();
}

double TCustomRichEdit::layoutDpi() const
{
    // The resolution the reader lays documents out at, so that every paragraph agrees.
    return DocumentFormat::ScreenDpi;
}

void TCustomRichEdit::replaceDocument(QTextDocument* next)
{
    QPointer<QTextDocument> previous = document();
    const QTextCharFormat defaults = defaultCharFormat();
    next->setParent(this);
    prepareDocument(*next);
    DocumentDefaults::setCharFormat(*next, defaults);
    next->setModified(false);
    setDocument(next);
    // Qt gives the new document's cursor the format the old caret had; the caret takes the
    // format of the text it stands in, as everywhere else.
    setTextCursor(QTextCursor(next));
    followLayout();
    DocumentDefaults::reapply(*next);
    if (previous && previous != next && previous->parent() == this)
        delete previous;
    applyDefaultColor();
    // The caret's attributes are the new document's, wherever the caret is.
    m_reportedStart = m_reportedEnd = -1;
    selectionMoved();
}

void TCustomRichEdit::fontChanged()
{
    m_defaultAttributes->assign(*m_font);
}

void TCustomRichEdit::documentChanged()
{
    MessageDispatch::run([this] { Q_EMIT OnChange(this); });
}

void TCustomRichEdit::selectionMoved()
{
    const QTextCursor cursor = textCursor();
    if (cursor.selectionStart() == m_reportedStart && cursor.selectionEnd() == m_reportedEnd)
        return;
    m_reportedStart = cursor.selectionStart();
    m_reportedEnd = cursor.selectionEnd();
    MessageDispatch::run([this] { Q_EMIT OnSelectionChange(this); });
}

void TCustomRichEdit::applyDefaultColor()
{
    // Text without a colour of its own shows in the default colour; the automatic colour is
    // the window-text colour of the palette.
    const QTextCharFormat format = defaultCharFormat();
    QPalette palette = this->palette();
    const QBrush text = format.hasProperty(QTextFormat::ForegroundBrush)
                            ? format.foreground()
                            : QBrush(Colors::toQColor(Colors::clWindowText));
    if (palette.brush(QPalette::Active, QPalette::Text) == text &&
        palette.brush(QPalette::Inactive, QPalette::Text) == text)
        return;
    palette.setBrush(QPalette::Active, QPalette::Text, text);
    palette.setBrush(QPalette::Inactive, QPalette::Text, text);
    setPalette(palette);
}

QMimeData* TCustomRichEdit::createMimeDataFromSelection() const
{
    auto* selection = new SelectionMimeData(textCursor());
    if (m_mayDrag)
        selection->freeze();
    return selection;
}

void TCustomRichEdit::mousePressEvent(QMouseEvent* event)
{
    holdLayout();
    const QTextCursor cursor = textCursor();
    if (event->button() == Qt::LeftButton && cursor.hasSelection()) {
        const int at = cursorForPosition(event->position().toPoint()).position();
        m_mayDrag = at >= cursor.selectionStart() && at <= cursor.selectionEnd();
    }
    QTextEdit::mousePressEvent(event);
}

void TCustomRichEdit::mouseReleaseEvent(QMouseEvent* event)
{
    m_mayDrag = false;
    QTextEdit::mouseReleaseEvent(event);
}

bool TCustomRichEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasFormat(SelectionMimeData::RtfMime) || source->hasFormat(RtfMimeAlternative) ||
           source->hasText();
}

void TCustomRichEdit::insertFromMimeData(const QMimeData* source)
{
    if (isReadOnly())
        return;
    QTextCursor cursor = textCursor();
    QByteArray rtf = source->data(SelectionMimeData::RtfMime);
    if (rtf.isEmpty())
        rtf = source->data(RtfMimeAlternative);
    QTextDocument part;
    if (!rtf.isEmpty() && RtfReader::read(rtf, part)) {
        // Read as a file is read; the paragraphs are laid out anew with this document's default
        // stops, in the same edit as the insertion.
        cursor.beginEditBlock();
        const int start = cursor.selectionStart();
        cursor.insertFragment(QTextDocumentFragment(&part));
        ParagraphLayout::layOut(*document(), document()->findBlock(start), cursor.block(), layoutDpi());
        cursor.endEditBlock();
    } else if (source->hasText()) {
        cursor.beginEditBlock();
        const int start = cursor.selectionStart();
        cursor.insertText(withParagraphBreaks(source->text()));
        ParagraphPieces::makeParagraphs(*document(), start, cursor.position());
        cursor.endEditBlock();
    } else {
        return;
    }
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TCustomRichEdit::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    // Qt's text edit gives its document the widget's font; the document keeps its own default.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange)
        DocumentDefaults::reapply(*document());
}

void TCustomRichEdit::keyPressEvent(QKeyEvent* event)
{
    holdLayout();
    // Backspace at the start of a bulleted paragraph takes its bullet away, as Qt's editor does,
    // and in the same edit lays the paragraph out as one without a marker.
    const QTextCursor cursor = textCursor();
    const bool backspace = event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier);
    if (backspace && !isReadOnly() && !cursor.hasSelection() && cursor.atBlockStart() &&
        cursor.block().textList()) {
        const QTextBlock block = cursor.block();
        QTextCursor edit(document());
        edit.beginEditBlock();
        block.textList()->remove(block);
        ParagraphLayout::layOut(*document(), block, block, layoutDpi());
        edit.endEditBlock();
        event->accept();
        return;
    }
    const int blocks = document()->blockCount();
    QTextEdit::keyPressEvent(event);
    // A new block made inside a paragraph held as several blocks is a paragraph of its own, in
    // the same edit as the key.
    const QTextBlock current = textCursor().block();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && document()->blockCount() > blocks && ParagraphPieces::continues(current)) {
        QTextCursor edit(document());
        edit.joinPreviousEditBlock();
        ParagraphPieces::makeParagraphs(*document(), current.position() - 1, current.position());
        ParagraphLayout::layOut(*document(), current, current, layoutDpi());
        edit.endEditBlock();
    }
}

void TCustomRichEdit::paintEvent(QPaintEvent* event)
{
    showLayoutTheView();
    if (!m_hideSelection || hasFocus() || !textCursor().hasSelection())
        QTextEdit::paintEvent(event);
    else
        paintWithoutSelection(event->rect());
    // Markers and leaders, which Qt's layout does not draw.
    QPainter painter(viewport());
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    painter.translate(-offset);
    const QRectF area(event->rect().translated(offset));
    painter.setClipRect(area);
    ParagraphDecorations::paint(painter, *document(), area, layoutDpi(), palette().color(QPalette::Text));
}

void TCustomRichEdit::paintWithoutSelection(const QRect& exposed)
{
    // The selection is hidden while another control has the focus.
    QPainter painter(viewport());
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    painter.translate(-offset);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.cursorPosition = -1;
    context.clip = QRectF(exposed.translated(offset));
    painter.setClipRect(context.clip);
    document()->documentLayout()->draw(&painter, context);
}
