#include "framework/TLabel.h"

#include "framework/SymbolFontFallback.h"
#include "framework/TFont.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

TLabel::TLabel(QWidget* parent) : TGraphicControl(parent), m_font(new TFont(this))
{
    connect(m_font, &TFont::changed, this, &TLabel::fontChanged);
    resize(65, 17);
}

void TLabel::setCaption(const QString& caption)
{
    m_caption = caption;
    adjustToText();
    update();
}

void TLabel::setColor(Colors::TColor color)
{
    m_color = color;
    m_parentColor = false;
    update();
}

void TLabel::setParentColor(bool parentColor)
{
    m_parentColor = parentColor;
    update();
}

void TLabel::setParentFont(bool parentFont)
{
    m_parentFont = parentFont;
    adjustToText();
    update();
}

void TLabel::setTransparent(bool transparent)
{
    m_transparent = transparent;
    update();
}

void TLabel::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    adjustToText();
}

void TLabel::setAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    update();
}

void TLabel::setWordWrap(bool wordWrap)
{
    m_wordWrap = wordWrap;
    update();
}

void TLabel::fontChanged()
{
    m_parentFont = false;
    adjustToText();
    update();
}

QFont TLabel::drawingFont() const
{
    return m_parentFont && parentWidget() ? parentWidget()->font() : m_font->toQFont();
}

QColor TLabel::textColor() const
{
    if (m_parentFont && parentWidget())
        return parentWidget()->palette().color(QPalette::WindowText);
    return Colors::toQColor(m_font->color());
}

QColor TLabel::backgroundColor() const
{
    if (m_parentColor && parentWidget())
        return parentWidget()->palette().color(QPalette::Window);
    return Colors::toQColor(m_color);
}

void TLabel::adjustToText()
{
    if (!m_autoSize || m_wordWrap)
        return;
    const QFontMetrics metrics(drawingFont());
    resize(qMax(1, metrics.horizontalAdvance(m_caption)), metrics.height());
}

void TLabel::paint(QPainter& painter) const
{
    if (!m_transparent)
        painter.fillRect(rect(), backgroundColor());
    QFont font;
    const QString text = SymbolFontFallback::displayText(m_caption, drawingFont(), &font);
    painter.setFont(font);
    painter.setPen(textColor());
    int flags = Qt::AlignTop | Qt::TextExpandTabs;
    flags |= m_alignment == taCenter ? Qt::AlignHCenter : m_alignment == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    painter.drawText(rect(), flags, text);
}

void TLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter);
}

void TLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::FontChange)
        adjustToText();
    TGraphicControl::changeEvent(event);
}
