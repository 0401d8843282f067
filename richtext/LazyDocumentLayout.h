#pragma once

#include "richtext/BlockHeights.h"

#include <QAbstractTextDocumentLayout>
#include <QDeadlineTimer>
#include <QFont>
#include <QTextOption>
#include <QTimer>
#include <vector>

// The editor's document layout. It lays out only the paragraphs that are needed (those drawn,
// hit or asked for), so that opening, formatting and scrolling a large document cost what the
// screen shows rather than the whole text. The other paragraphs have estimated heights and
// display lines until a pass in idle time measures them (without keeping their lines), so the
// scroll range and the display-line numbers become exact soon after a change, while the text in
// view stays where it is. Paragraphs are broken into lines by ParagraphLines, as Qt's own layout
// breaks them; like our documents, the layout knows only paragraphs in the root frame (no
// tables, images or floating frames).
class LazyDocumentLayout : public QAbstractTextDocumentLayout {
    Q_OBJECT
    // Set by the text control, as for Qt's layout.
    Q_PROPERTY(int cursorWidth READ cursorWidth WRITE setCursorWidth)

public:
    explicit LazyDocumentLayout(QTextDocument* document);
    ~LazyDocumentLayout() override;

    void draw(QPainter* painter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

    int cursorWidth() const { return m_cursorWidth; }
    void setCursorWidth(int width) { m_cursorWidth = width; }

    // Where the view is (document y of its top) and how high: when paragraphs above it change
    // height, the text in view moves by as much, and viewShifted() tells the view to follow it. A
    // paragraph asked for (to show the caret) is laid out with a view's height of paragraphs above
    // it, so that the place the view scrolls to stays right once they are drawn.
    void setView(qreal top, qreal height)
    {
        m_viewTop = top;
        m_viewHeight = height;
    }
    // Whether the paragraph's height and display lines are its own rather than estimated.
    bool isMeasured(const QTextBlock& block) const;
    bool allMeasured() const;
    // Measures the paragraphs up to and including block that are not measured yet.
    void measureThrough(const QTextBlock& block);
    // The user is at work (a key, a click): measuring in idle time waits until a short pause, so
    // that what the user does never queues behind it, nor shares the processor with it.
    void holdMeasuring();
    // Tells the views now, rather than once the work under way is done, how the changes since the
    // last time moved the text: a click or a key placed before the view follows would land where
    // the text is no longer shown.
    void tellChanges();

Q_SIGNALS:
    // Paragraphs above the view's top changed their height by delta in all.
    void viewShifted(qreal delta);

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    enum State : unsigned char { Estimated, Measured, LaidOut };
    // What every paragraph's layout depends on.
    struct Setting {
        qreal width = -1;
        QFont font;
        QTextOption::WrapMode wrap = QTextOption::WordWrap;
        qreal tabDistance = 0;
        Qt::Alignment alignment;
        qreal indentWidth = 0;
        int characters = 0;
        int blocks = 0;
        bool operator==(const Setting&) const = default;
    };

    LazyDocumentLayout* self() const { return const_cast<LazyDocumentLayout*>(this); }
    qreal textWidth() const;
    Setting setting() const;
    bool wraps() const;
    // Estimates every paragraph anew when a change of the whole document asked for it.
    void ensureCurrent();
    void estimateAll();
    qreal estimate(const QTextBlock& block);
    // The paragraph's own layout with its lines, at its place.
    QTextLayout* laidOut(const QTextBlock& block);
    // The same, with the paragraphs a view's height above it laid out too.
    QTextLayout* laidOutWithView(const QTextBlock& block);
    void measure(const QTextBlock& block);
    void setExactHeight(int number, qreal height, int lines, const QTextBlock& block);
    void measureInIdleTime();
    void scheduleMeasuring();
    // Tells the views what the changes since the last time moved.
    void changesDone();
    void drawBlock(QPainter* painter, const PaintContext& context, const QTextBlock& block, QTextLayout* layout) const;

    BlockHeights m_heights;
    std::vector<State> m_states;
    int m_firstEstimated = 0; // no paragraph before this one is only estimated
    bool m_stale = true;      // the whole document needs estimating
    Setting m_setting;        // what the estimates were made for
    qreal m_widest = 0;       // the widest line laid out
    // What estimates go by: the line height and average character width of the default font.
    QFont m_metricsFont;
    qreal m_lineHeight = 1;
    qreal m_charWidth = 1;
    QTimer m_idle;
    QDeadlineTimer m_heldUntil; // expired: measuring may go on
    qreal m_viewTop = 0;
    qreal m_viewHeight = 0;
    qreal m_shiftAbove = 0;
    bool m_sizeChanged = false;
    bool m_changesPending = false;
    int m_cursorWidth = 1;
};
