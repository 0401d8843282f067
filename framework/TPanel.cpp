#include "framework/TPanel.h"

#include "framework/MessageDispatch.h"
#include "framework/TFont.h"

#include <QPainter>
#include <QTextOption>

namespace {
void drawBevel(QPainter& painter, QRect& r, TPanel::TBevelCut cut, int width)
{
    if (cut == TPanel::bvNone)
        return;
    const QColor light = Colors::toQColor(Colors::clBtnHighlight);
    const QColor dark = Colors::toQColor(Colors::clBtnShadow);
    const QColor topLeft = cut == TPanel::bvLowered ? dark : light;
    const QColor bottomRight = cut == TPanel::bvLowered ? light : dark;
    for (int i = 0; i < width; ++i) {
        if (cut != TPanel::bvSpace) {
            painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
            painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
            painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
            painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
        }
        r.adjust(1, 1, -1, -1);
    }
}
} // namespace

TPanel::TPanel(QWidget* parent) : TCustomControl(parent), m_font(new TFont(this))
{
    setFocusPolicy(Qt::NoFocus);
    connect(m_font, &TFont::changed, this, &TPanel::fontChanged);
    resize(185, 41);
}

void TPanel::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void TPanel::setAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    update();
}

void TPanel::setBevelOuter(TBevelCut cut)
{
    m_bevelOuter = cut;
    update();
}

void TPanel::setBevelInner(TBevelCut cut)
{
    m_bevelInner = cut;
    update();
}

void TPanel::setBevelWidth(int width)
{
    m_bevelWidth = qMax(1, width);
    update();
}

void TPanel::setColor(Colors::TColor color)
{
    m_color = color;
    m_parentColor = false;
    update();
}

void TPanel::setParentColor(bool parentColor)
{
    m_parentColor = parentColor;
    update();
}

void TPanel::setParentFont(bool parentFont)
{
    m_parentFont = parentFont;
    update();
}

void TPanel::fontChanged()
{
    m_parentFont = false;
    update();
}

QColor TPanel::backgroundColor() const
{
    if (m_parentColor && parentWidget())
        return parentWidget()->palette().color(QPalette::Window);
    return Colors::toQColor(m_color);
}

QFont TPanel::drawingFont() const
{
    return m_parentFont && parentWidget() ? parentWidget()->font() : m_font->toQFont();
}

int TPanel::bevelDepth() const
{
    return ((m_bevelOuter != bvNone) + (m_bevelInner != bvNone)) * m_bevelWidth;
}

QRect TPanel::clientArea() const
{
    const int d = bevelDepth();
    return rect().adjusted(d, d, -d, -d);
}

void TPanel::paint(QPainter& painter) const
{
    QRect r = rect();
    painter.fillRect(r, backgroundColor());
    drawBevel(painter, r, m_bevelOuter, m_bevelWidth);
    drawBevel(painter, r, m_bevelInner, m_bevelWidth);
    if (m_caption.isEmpty())
        return;
    const QFont font = drawingFont();
    const QFontMetrics metrics(font);
    const int textHeight = metrics.boundingRect(QStringLiteral("W")).height();
    const QRect area = clientArea();
    const int bandTop = (area.top() + area.bottom() + 1 - textHeight) / 2;
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(m_tabDistance > 0 ? m_tabDistance : 8 * metrics.averageCharWidth());
    option.setAlignment(m_alignment == taCenter ? Qt::AlignHCenter
                        : m_alignment == taRightJustify ? Qt::AlignRight
                                                          : Qt::AlignLeft);
    painter.setFont(font);
    painter.setPen(Colors::toQColor(m_parentFont ? Colors::clWindowText : m_font->color()));
    painter.setClipRect(area);
    const qreal origin = m_tabDistance > 0 ? m_tabOrigin : 0;
    painter.drawText(QRectF(area.left() + origin, bandTop, area.width() - origin, metrics.height()), m_caption, option);
}

void TPanel::setCaptionTabs(qreal origin, qreal distance)
{
    if (origin == m_tabOrigin && distance == m_tabDistance)
        return;
    m_tabOrigin = origin;
    m_tabDistance = distance;
    update();
}

void TPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter);
}

void TPanel::resizeEvent(QResizeEvent* event)
{
    TCustomControl::resizeEvent(event);
    MessageDispatch::run([&] { Q_EMIT OnResize(this); });
}
