#include "controls/TOwnerCheck.h"

#include "framework/TFont.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
// Drawing in the platform's pixel rules, exactly: a rectangle (l, t, r, b) covers l to r - 1
// and t to b - 1, its outline in the pen and its inside in the brush; a line leaves out its end
// point; a 2-pixel pen lies on the pixel before the outline and the outline's own pixel.
void pixel(QPainter& painter, int x, int y, const QColor& color)
{
    painter.fillRect(QRect(x, y, 1, 1), color);
}

void line(QPainter& painter, QPoint from, QPoint to, const QColor& color)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int steps = qMax(qAbs(dx), qAbs(dy));
    for (int i = 0; i < steps; ++i)
        pixel(painter, from.x() + qRound(double(dx) * i / steps), from.y() + qRound(double(dy) * i / steps),
              color);
}

void rectangle(QPainter& painter, int left, int top, int right, int bottom, const QColor& pen,
               const QColor& brush)
{
    const QRect area(QPoint(left, top), QPoint(right - 1, bottom - 1));
    if (area.isEmpty())
        return;
    painter.fillRect(area, pen);
    if (area.width() > 2 && area.height() > 2)
        painter.fillRect(area.adjusted(1, 1, -1, -1), brush);
}

void rectangleWidePen(QPainter& painter, int left, int top, int right, int bottom, const QColor& pen,
                      const QColor& brush)
{
    const QRect outline(QPoint(left - 1, top - 1), QPoint(right - 1, bottom - 1));
    if (outline.isEmpty())
        return;
    painter.fillRect(outline, pen);
    if (outline.width() > 4 && outline.height() > 4)
        painter.fillRect(outline.adjusted(2, 2, -2, -2), brush);
}

void frameRect(QPainter& painter, const QRect& area, const QColor& color)
{
    if (area.isEmpty())
        return;
    painter.fillRect(QRect(area.left(), area.top(), area.width(), 1), color);
    painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), color);
    painter.fillRect(QRect(area.left(), area.top(), 1, area.height()), color);
    painter.fillRect(QRect(area.right(), area.top(), 1, area.height()), color);
}

// The dotted focus rectangle: every other pixel of the outline, in the inverse of the face.
void focusRect(QPainter& painter, const QRect& area, const QColor& face)
{
    const QColor dot(255 - face.red(), 255 - face.green(), 255 - face.blue());
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y : {area.top(), area.bottom()}) {
            if ((x + y) % 2 == 0)
                pixel(painter, x, y, dot);
        }
    }
    for (int y = area.top() + 1; y < area.bottom(); ++y) {
        for (int x : {area.left(), area.right()}) {
            if ((x + y) % 2 == 0)
                pixel(painter, x, y, dot);
        }
    }
}

// A font's height in the layouts' terms: negative pixels of the character height.
int heightOf(const QFont& font)
{
    if (font.pixelSize() > 0)
        return -font.pixelSize();
    return -qRound(font.pointSizeF() * TFont::screenDpi() / 72.0);
}
} // namespace

TOwnerCheck::TOwnerCheck(QWidget* parent) : TCustomControl(parent), m_font(new TFont(this))
{
    connect(m_font, &TFont::changed, this, [this] {
        m_parentFont = false;
        update();
    });
    resize(98, 20);
    setAutoFillBackground(true);
    setColor(Colors::clBtnFace);
}

void TOwnerCheck::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void TOwnerCheck::setCheckColor(Colors::TColor color)
{
    m_checkColor = color;
    repaint();
}

void TOwnerCheck::setChecked(bool checked)
{
    setState(checked ? cbChecked : cbUnchecked);
}

void TOwnerCheck::setDown(bool down)
{
    if (down == m_down)
        return;
    m_down = down;
    repaint();
}

void TOwnerCheck::setState(TCheckBoxState state)
{
    if (state == m_state)
        return;
    m_state = state;
    repaint();
    Click();
}

void TOwnerCheck::setParentFont(bool parentFont)
{
    m_parentFont = parentFont;
    update();
}

void TOwnerCheck::setColor(Colors::TColor color)
{
    m_color = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, Colors::toQColor(color));
    setPalette(p);
}

QFont TOwnerCheck::drawingFont() const
{
    return m_parentFont && parentWidget() ? parentWidget()->font() : m_font->toQFont();
}

int TOwnerCheck::drawingFontHeight() const
{
    return m_parentFont && parentWidget() ? heightOf(parentWidget()->font()) : m_font->height();
}

QColor TOwnerCheck::textColor() const
{
    if (m_parentFont && parentWidget())
        return parentWidget()->palette().color(QPalette::WindowText);
    return Colors::toQColor(m_font->color());
}

void TOwnerCheck::paint(QPainter& painter) const
{
    const QColor face = Colors::toQColor(Colors::clBtnFace);
    const QColor shadow = Colors::toQColor(Colors::clBtnShadow);
    const QColor highlight = Colors::toQColor(Colors::clBtnHighlight);
    const int c = height() / 2;

    if (!m_down) {
        rectangle(painter, 1, c - 6, 13, c + 6, face, face);
        line(painter, {1, c + 6}, {1, c - 6}, highlight);
        line(painter, {1, c - 6}, {13, c - 6}, highlight);
        line(painter, {13, c - 6}, {13, c + 6}, shadow);
        line(painter, {13, c + 6}, {1, c + 6}, shadow);
    } else {
        rectangleWidePen(painter, 2, c - 5, 14, c + 7, Colors::toQColor(Colors::clBlack), face);
    }

    // Caption, vertically centred: the font's height is negative for fonts given in points.
    const QFont font = drawingFont();
    const QFontMetrics metrics(font);
    const int textX = 18;
    const int textY = drawingFontHeight() / 2 + c - 1;
    const QRect textArea(textX, textY, metrics.horizontalAdvance(m_caption), metrics.height());
    painter.fillRect(textArea, face);
    painter.setFont(font);
    painter.setPen(textColor());
    painter.drawText(QPoint(textX, textY + metrics.ascent()), m_caption);

    switch (m_state) {
    case cbChecked: {
        const QColor mark = Colors::toQColor(m_checkColor);
        line(painter, {3, c}, {3, c + 4}, mark);
        line(painter, {4, c - 1}, {4, c + 3}, mark);
        line(painter, {3, c + 4}, {11, c - 4}, mark);
        line(painter, {4, c + 4}, {12, c - 4}, mark);
        break;
    }
    case cbGrayed:
        rectangle(painter, 3, c - 4, 12, c + 5, m_down ? face : shadow, shadow);
        break;
    case cbUnchecked:
        break;
    }

    // Always clear the mark's place first, so a lost focus leaves no dots behind.
    const QRect focusArea(17, textY, textArea.width() + 3, textArea.height() + 1);
    frameRect(painter, focusArea, face);
    if (m_hasFocus)
        focusRect(painter, focusArea, face);
    // A box too narrow to show its caption shows the focus around itself, so the keyboard's
    // place can be seen.
    if (m_hasFocus && focusArea.left() >= width())
        focusRect(painter, rect(), face);
}

void TOwnerCheck::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter);
}

bool TOwnerCheck::insideInclusive(int x, int y) const
{
    return x >= 0 && x <= width() && y >= 0 && y <= height();
}

void TOwnerCheck::toggle()
{
    setChecked(!checked());
}

void TOwnerCheck::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    // A box the window reaches by Tab only (no click focus) leaves the focus where it is.
    if (focusPolicy() & Qt::ClickFocus) {
        setFocus(Qt::MouseFocusReason);
        m_hasFocus = true;
    }
    TCustomControl::MouseDown(button, shift, x, y);
    m_captured = true;
    setDown(true);
}

void TOwnerCheck::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    if (m_captured)
        setDown(insideInclusive(x, y));
    TCustomControl::MouseMove(shift, x, y);
}

void TOwnerCheck::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    m_captured = false;
    setDown(false);
    if (insideInclusive(x, y))
        toggle();
    TCustomControl::MouseUp(button, shift, x, y);
}

void TOwnerCheck::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Space)
        setDown(true);
    TCustomControl::KeyDown(key, shift);
}

void TOwnerCheck::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Space) {
        setDown(false);
        toggle();
    }
    TCustomControl::KeyUp(key, shift);
}

void TOwnerCheck::DoEnter()
{
    TCustomControl::DoEnter();
    m_hasFocus = true;
    repaint();
}

void TOwnerCheck::DoExit()
{
    TCustomControl::DoExit();
    m_hasFocus = false;
    repaint();
}
