#include "richtext/LazyDocumentLayout.h"

#include "richtext/ParagraphLines.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>

#include <cmath>
#include <utility>

namespace {
// How long one step of measuring in idle time may keep the program from other work.
constexpr qint64 IdleStepMs = 4;
// How long measuring waits after the user's last key or click: longer than the pause between
// two keys of someone typing.
constexpr qint64 HoldMs = 400;
// A width for documents laid out without one (no wrapping).
constexpr qreal UnboundedWidth = 1e9;
} // namespace

LazyDocumentLayout::LazyDocumentLayout(QTextDocument* document) : QAbstractTextDocumentLayout(document)
{
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, &LazyDocumentLayout::measureInIdleTime);
}

LazyDocumentLayout::~LazyDocumentLayout() = default;

qreal LazyDocumentLayout::textWidth() const
{
    const qreal width = document()->pageSize().width();
    return width > 0 ? width : UnboundedWidth;
}

bool LazyDocumentLayout::isMeasured(const QTextBlock& block) const
{
    self()->ensureCurrent();
    const int number = block.blockNumber();
    return number >= 0 && number < int(m_states.size()) && m_states[size_t(number)] != Estimated;
}

bool LazyDocumentLayout::allMeasured() const
{
    self()->ensureCurrent();
    return m_firstEstimated >= int(m_states.size());
}

void LazyDocumentLayout::ensureCurrent()
{
    if (m_stale)
        estimateAll();
}

LazyDocumentLayout::Setting LazyDocumentLayout::setting() const
{
    const QTextDocument& doc = *document();
    return {doc.pageSize().width(), doc.defaultFont(), doc.defaultTextOption().wrapMode(),
            doc.defaultTextOption().tabStopDistance(), doc.defaultTextOption().alignment(), doc.indentWidth(),
            doc.characterCount(), doc.blockCount()};
}

void LazyDocumentLayout::estimateAll()
{
    m_stale = false;
    m_setting = setting();
    const QTextDocument& doc = *document();
    if (doc.defaultFont() != m_metricsFont) {
        m_metricsFont = doc.defaultFont();
        const QFontMetricsF font(m_metricsFont);
        m_lineHeight = std::ceil(font.ascent() + font.descent() + font.leading());
        m_charWidth = qMax<qreal>(1, font.averageCharWidth());
    }
    std::vector<float> heights;
    heights.reserve(size_t(doc.blockCount()));
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        heights.push_back(float(estimate(block)));
    m_heights.assign(std::move(heights));
    m_states.assign(m_heights.count(), Estimated);
    m_firstEstimated = 0;
    m_widest = 0;
    m_sizeChanged = true;
    scheduleMeasuring();
}

qreal LazyDocumentLayout::estimate(const QTextBlock& block)
{
    // A paragraph's lines are as high and its characters as wide as the default font's; the
    // measuring pass puts the real height in its place later. Nothing here searches the document,
    // so that a million paragraphs are estimated in milliseconds.
    const int length = block.length() - 1;
    const int lines = wraps() && length > 0 ? qMax(1, int(std::ceil(length * m_charWidth / textWidth()))) : 1;
    if (block.lineCount() != lines)
        QTextBlock(block).setLineCount(lines);
    return lines * m_lineHeight;
}

void LazyDocumentLayout::setExactHeight(int number, qreal height, int lines, const QTextBlock& block)
{
    const qreal change = BlockHeights::held(height) - m_heights.height(number);
    if (change != 0) {
        // Text in view stays where it is when paragraphs above it change.
        if (m_heights.top(number) + m_heights.height(number) <= m_viewTop + m_shiftAbove)
            m_shiftAbove += change;
        m_heights.setHeight(number, height);
        m_sizeChanged = true;
    }
    if (block.lineCount() != lines)
        QTextBlock(block).setLineCount(lines);
}

QTextLayout* LazyDocumentLayout::laidOut(const QTextBlock& block)
{
    ensureCurrent();
    const int number = block.blockNumber();
    QTextLayout* layout = block.layout();
    if (m_states[size_t(number)] != LaidOut || layout->lineCount() == 0) {
        ParagraphLines::Area area;
        area.width = textWidth();
        area.device = paintDevice();
        const qreal height = ParagraphLines::layOut(block, block.blockFormat(), *layout, area);
        m_states[size_t(number)] = LaidOut;
        setExactHeight(number, height, layout->lineCount(), block);
        for (int i = 0; i < layout->lineCount(); ++i)
            m_widest = qMax(m_widest, layout->lineAt(i).x() + layout->lineAt(i).naturalTextWidth());
        changesDone();
    }
    layout->setPosition(QPointF(0, m_heights.top(number)));
    return layout;
}

QTextLayout* LazyDocumentLayout::laidOutWithView(const QTextBlock& block)
{
    ensureCurrent();
    qreal above = 0;
    for (QTextBlock previous = block.previous(); previous.isValid() && above < m_viewHeight;
         previous = previous.previous()) {
        if (m_states[size_t(previous.blockNumber())] != LaidOut)
            laidOut(previous);
        above += m_heights.height(previous.blockNumber());
    }
    return laidOut(block);
}

void LazyDocumentLayout::measure(const QTextBlock& block)
{
    // Measured with a layout of its own, freed at once: the paragraph's own one would stay.
    QTextLayout layout(block);
    ParagraphLines::Area area;
    area.width = textWidth();
    area.device = paintDevice();
    const qreal height = ParagraphLines::layOut(block, block.blockFormat(), layout, area);
    const int number = block.blockNumber();
    m_states[size_t(number)] = Measured;
    setExactHeight(number, height, layout.lineCount(), block);
}

void LazyDocumentLayout::measureThrough(const QTextBlock& last)
{
    ensureCurrent();
    if (!last.isValid() || last.blockNumber() < m_firstEstimated)
        return;
    QTextBlock block = document()->findBlockByNumber(m_firstEstimated);
    for (; block.isValid(); block = block.next()) {
        if (m_states[size_t(block.blockNumber())] == Estimated)
            measure(block);
        if (block == last)
            break;
    }
    m_firstEstimated = last.blockNumber() + 1;
    while (m_firstEstimated < int(m_states.size()) && m_states[size_t(m_firstEstimated)] != Estimated)
        ++m_firstEstimated;
    changesDone();
}

void LazyDocumentLayout::scheduleMeasuring()
{
    if (m_firstEstimated < int(m_states.size()) && !m_idle.isActive())
        m_idle.start(int(m_heldUntil.remainingTime()));
}

void LazyDocumentLayout::holdMeasuring()
{
    m_heldUntil.setRemainingTime(HoldMs);
}

void LazyDocumentLayout::measureInIdleTime()
{
    if (!m_heldUntil.hasExpired()) {
        m_idle.start(int(m_heldUntil.remainingTime()));
        return;
    }
    ensureCurrent();
    QElapsedTimer clock;
    clock.start();
    while (m_firstEstimated < int(m_states.size()) && m_states[size_t(m_firstEstimated)] != Estimated)
        ++m_firstEstimated;
    QTextBlock block = document()->findBlockByNumber(m_firstEstimated);
    for (; block.isValid() && clock.elapsed() < IdleStepMs; block = block.next(), ++m_firstEstimated) {
        if (m_states[size_t(m_firstEstimated)] == Estimated)
            measure(block);
    }
    // Nothing else is under way here: the view follows before the next event reaches it.
    tellChanges();
    scheduleMeasuring();
}

void LazyDocumentLayout::changesDone()
{
    if (m_changesPending || (!m_sizeChanged && m_shiftAbove == 0))
        return;
    // Told once the work under way is done, never in the middle of drawing or of a caller's sum.
    m_changesPending = true;
    QMetaObject::invokeMethod(this, &LazyDocumentLayout::tellChanges, Qt::QueuedConnection);
}

void LazyDocumentLayout::tellChanges()
{
    m_changesPending = false;
    const qreal shift = std::exchange(m_shiftAbove, 0);
    const bool sizeChanged = std::exchange(m_sizeChanged, false);
    // The view's range and place change together: a view at the end of a shrinking document must
    // move by the shift once, not also by the shorter range.
    if (shift < 0)
        Q_EMIT viewShifted(shift);
    if (sizeChanged)
        Q_EMIT documentSizeChanged(documentSize());
    if (shift > 0)
        Q_EMIT viewShifted(shift);
}

void LazyDocumentLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    QTextDocument& doc = *document();
    const int count = doc.blockCount();
    const bool whole = from == 0 && charsRemoved == 0 && charsAdded >= doc.characterCount();
    const QTextBlock firstBlock = doc.findBlock(from);
    QTextBlock lastBlock = doc.findBlock(from + charsAdded);
    if (!lastBlock.isValid())
        lastBlock = doc.lastBlock();
    const int first = firstBlock.blockNumber();
    const int last = lastBlock.blockNumber();
    const int oldCount = m_heights.count();
    const int oldLast = last - (count - oldCount);
    if (whole && !m_stale && setting() == m_setting) {
        // Qt reports a change of the whole whenever its view sets the same width again.
        Q_EMIT update(QRectF(0, 0, UnboundedWidth, UnboundedWidth));
        return;
    }
    if (m_stale || whole || first < 0 || oldLast < first - 1 || oldLast >= oldCount) {
        // The width, the default font or the whole text changed: every paragraph anew.
        for (size_t i = 0; i < m_states.size(); ++i) {
            if (m_states[i] == LaidOut)
                doc.findBlockByNumber(int(i)).clearLayout();
        }
        // Estimated when next asked (changes of the whole often come in a row).
        m_stale = true;
        m_idle.stop();
        m_sizeChanged = true;
        changesDone();
        Q_EMIT update(QRectF(0, 0, UnboundedWidth, UnboundedWidth));
        return;
    }
    const qreal top = m_heights.top(first);
    qreal oldHeight = 0;
    for (int i = first; i <= oldLast; ++i)
        oldHeight += m_heights.height(i);
    std::vector<float> heights;
    heights.reserve(size_t(last - first + 1));
    for (QTextBlock block = firstBlock; block.isValid(); block = block.next()) {
        block.clearLayout();
        heights.push_back(float(estimate(block)));
        if (block == lastBlock)
            break;
    }
    if (oldLast - first + 1 == int(heights.size()) && heights.size() == 1) {
        m_heights.setHeight(first, heights.front());
        m_states[size_t(first)] = Estimated;
    } else {
        m_heights.replace(first, oldLast - first + 1, heights);
        m_states.erase(m_states.begin() + first, m_states.begin() + oldLast + 1);
        m_states.insert(m_states.begin() + first, heights.size(), Estimated);
    }
    m_firstEstimated = qMin(m_firstEstimated, first);
    qreal newHeight = 0;
    for (const float height : heights)
        newHeight += height;
    if (newHeight != oldHeight) {
        if (top + oldHeight <= m_viewTop + m_shiftAbove)
            m_shiftAbove += newHeight - oldHeight;
        m_sizeChanged = true;
    }
    scheduleMeasuring();
    changesDone();
    Q_EMIT update(QRectF(0, top, UnboundedWidth, UnboundedWidth));
}

QSizeF LazyDocumentLayout::documentSize() const
{
    self()->ensureCurrent();
    // Wrapped text is as wide as the page; unwrapped text as its widest line laid out so far.
    const qreal width = document()->pageSize().width();
    if (width > 0 && wraps())
        return QSizeF(width, m_heights.total());
    return QSizeF(qMax(width, m_widest), m_heights.total());
}

bool LazyDocumentLayout::wraps() const
{
    const QTextOption::WrapMode mode = document()->defaultTextOption().wrapMode();
    return mode != QTextOption::NoWrap && mode != QTextOption::ManualWrap;
}

QRectF LazyDocumentLayout::frameBoundingRect(QTextFrame* frame) const
{
    if (frame != document()->rootFrame())
        return QRectF();
    return QRectF(QPointF(0, 0), documentSize());
}

QRectF LazyDocumentLayout::blockBoundingRect(const QTextBlock& block) const
{
    if (!block.isValid() || block.document() != document())
        return QRectF();
    const QTextLayout* layout = self()->laidOutWithView(block);
    QRectF bounds = layout->boundingRect();
    bounds.moveTopLeft(layout->position());
    bounds.setHeight(m_heights.height(block.blockNumber()));
    return bounds;
}

int LazyDocumentLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const
{
    // As Qt's layout hits: above a paragraph's lines is its start, below them the next one's, on
    // a line the nearest place between characters (an exact hit: the character under the point).
    LazyDocumentLayout& layout = *self();
    layout.ensureCurrent();
    const QTextDocument& doc = *document();
    QTextBlock block = doc.findBlockByNumber(m_heights.blockAt(point.y()));
    if (!block.isValid())
        return -1;
    // A point on the line between two paragraphs is the end of the upper one.
    if (block.previous().isValid() && point.y() <= m_heights.top(block.blockNumber())) {
        const QTextBlock above = block.previous();
        const QTextLayout* text = layout.laidOut(above);
        if (point.y() <= text->position().y() + text->boundingRect().bottom())
            block = above;
    }
    const QTextLayout* text = layout.laidOut(block);
    const QPointF local = point - text->position();
    const QRectF lines = text->boundingRect();
    int offset = 0;
    bool exact = false;
    if (local.y() > lines.bottom()) {
        offset = block.length();
    } else if (local.y() >= lines.top()) {
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            const QRectF bounds = line.naturalTextRect();
            if (bounds.top() > local.y()) {
                offset = qMin(offset, line.textStart());
            } else if (bounds.bottom() <= local.y()) {
                offset = qMax(offset, line.textStart() + line.textLength());
            } else {
                exact = bounds.left() <= local.x() && bounds.right() >= local.x();
                offset = line.xToCursor(local.x(), accuracy == Qt::ExactHit ? QTextLine::CursorOnCharacter
                                                                             : QTextLine::CursorBetweenCharacters);
                break;
            }
        }
    }
    if (accuracy == Qt::ExactHit && !exact)
        return -1;
    return qBound(0, block.position() + offset, doc.characterCount() - 1);
}

void LazyDocumentLayout::draw(QPainter* painter, const PaintContext& context)
{
    ensureCurrent();
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(0, 0, UnboundedWidth, m_heights.total());
    QTextBlock block = document()->findBlockByNumber(m_heights.blockAt(clip.top()));
    for (; block.isValid(); block = block.next()) {
        QTextLayout* layout = laidOut(block);
        if (layout->position().y() > clip.bottom())
            break;
        drawBlock(painter, context, block, layout);
    }
}

void LazyDocumentLayout::drawBlock(QPainter* painter, const PaintContext& context, const QTextBlock& block,
                                   QTextLayout* layout) const
{
    const int position = block.position();
    const int length = block.length();
    QRectF bounds = layout->boundingRect().translated(layout->position());
    const QBrush background = block.blockFormat().background();
    if (background.style() != Qt::NoBrush) {
        bounds.setLeft(0);
        painter->fillRect(bounds, background);
    }

    QList<QTextLayout::FormatRange> selections;
    for (const Selection& range : context.selections) {
        const int start = range.cursor.selectionStart() - position;
        const int end = range.cursor.selectionEnd() - position;
        if (start < length && end > 0 && end > start) {
            selections.append({start, end - start, range.format});
        } else if (!range.cursor.hasSelection() && range.format.hasProperty(QTextFormat::FullWidthSelection) &&
                   block.contains(range.cursor.position())) {
            // A full-width selection needs only a position to mark its line.
            const QTextLine line = layout->lineForTextPosition(range.cursor.position() - position);
            QTextLayout::FormatRange whole{line.textStart(), line.textLength(), range.format};
            if (whole.start + whole.length == length - 1)
                ++whole.length; // with the paragraph break
            selections.append(whole);
        }
    }

    const QPen pen = painter->pen();
    painter->setPen(context.palette.color(QPalette::Text));
    layout->draw(painter, QPointF(), selections, context.clip);
    int cursor = context.cursorPosition;
    if ((cursor >= position && cursor < position + length) || (cursor < -1 && !layout->preeditAreaText().isEmpty())) {
        cursor = cursor < -1 ? layout->preeditAreaPosition() - (cursor + 2) : cursor - position;
        layout->drawCursor(painter, QPointF(), cursor, m_cursorWidth);
    }
    painter->setPen(pen);
}
