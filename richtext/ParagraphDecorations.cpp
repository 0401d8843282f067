#include "richtext/ParagraphDecorations.h"

#include "richtext/DocumentFormat.h"
#include "richtext/ListNumbering.h"
#include "richtext/PainterCanvas.h"
#include "richtext/ParagraphLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>

namespace {
using DocumentFormat::ListKind;

QFont fontOf(const QTextCharFormat& format, const QTextDocument& document, QPaintDevice* device)
{
    return QFont(format.font().resolve(document.defaultFont()), device);
}

QColor colorOf(const QTextCharFormat& format, const QColor& textColor)
{
    return format.foreground().style() != Qt::NoBrush ? format.foreground().color() : textColor;
}

QString markerText(const QTextBlock& block, ListKind kind)
{
    if (kind == ListKind::Bullet)
        return QStringLiteral("\u2022");
    return QString::number(ListNumbering::number(block)) + u'.';
}

void paintMarker(PageCanvas& canvas, const QTextBlock& block, const QTextLayout* layout, ListKind kind, double dpi,
                 const QColor& textColor)
{
    const QTextLine line = layout->lineAt(0);
    const QTextCharFormat format = ParagraphLayout::markerFormat(block);
    const QTextDocument& document = *block.document();
    const QFont font = fontOf(format, document, canvas.device());
    const double x = layout->position().x() +
                     DocumentFormat::twipsToDeviceUnits(block.blockFormat().intProperty(DocumentFormat::FirstIndentTwips), dpi);
    const double baseline = layout->position().y() + line.y() + line.ascent();
    canvas.drawText(QPointF(x, baseline), markerText(block, kind), font, colorOf(format, textColor));
}

void paintLeader(PageCanvas& canvas, const QTextBlock& block, const QTextLayout* layout, const QTextLine& line,
                 int position, TabStop::Leader leader, const QColor& textColor)
{
    const double left = layout->position().x() + line.cursorToX(position);
    const double right = layout->position().x() + line.cursorToX(position + 1);
    QTextCursor at(const_cast<QTextDocument*>(block.document()));
    at.setPosition(block.position() + position + 1);
    const QTextCharFormat format = at.charFormat();
    const QFont font = fontOf(format, *block.document(), canvas.device());
    const QFontMetricsF metrics(font, canvas.device());
    const double baseline = layout->position().y() + line.y() + line.ascent();
    const QColor color = colorOf(format, textColor);

    if (leader == TabStop::Leader::Underline || leader == TabStop::Leader::ThickLine) {
        const double y = baseline + metrics.underlinePos();
        canvas.drawLine(QPointF(left, y), QPointF(right, y), color,
                        metrics.lineWidth() * (leader == TabStop::Leader::ThickLine ? 2 : 1));
        return;
    }
    const QChar glyph = leader == TabStop::Leader::Dots      ? QLatin1Char('.')
                        : leader == TabStop::Leader::Hyphens ? QLatin1Char('-')
                                                             : QLatin1Char('=');
    const double advance = metrics.horizontalAdvance(glyph);
    if (advance <= 0)
        return;
    // Whole glyphs spaced evenly over the gap, from the text before the tab to the text after.
    const int count = int((right - left) / advance);
    if (count <= 0)
        return;
    QFont spaced = font;
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, (right - left - count * advance) / count);
    canvas.drawText(QPointF(left, baseline), QString(count, glyph), spaced, color);
}

bool hasLeaders(const QTextBlockFormat& format)
{
    if (!format.hasProperty(DocumentFormat::TabStopList))
        return false;
    const TabStops stops = DocumentFormat::tabStops(format);
    return std::any_of(stops.begin(), stops.end(),
                       [](const TabStop& stop) { return stop.leader != TabStop::Leader::None; });
}

void paintLeaders(PageCanvas& canvas, const QTextBlock& block, const QTextLayout* layout, double dpi,
                  const QColor& textColor)
{
    const QString text = block.text();
    if (!text.contains(u'\t'))
        return;
    const ParagraphLayout::Geometry geometry = ParagraphLayout::geometry(block);
    for (qsizetype i = text.indexOf(u'\t'); i >= 0; i = text.indexOf(u'\t', i + 1)) {
        const QTextLine line = layout->lineForTextPosition(int(i));
        if (!line.isValid())
            continue;
        // Qt chose the stop from where the tab starts on its line, counted from the line's start
        // as if it were the first line's.
        const double fromLineStart = line.cursorToX(int(i)) - line.x();
        const int twips = geometry.firstLineStartTwips + int(fromLineStart * DocumentFormat::TwipsPerInch / dpi);
        const TabStop stop = ParagraphLayout::stopAfter(geometry, twips);
        if (stop.positionTwips >= 0 && stop.leader != TabStop::Leader::None)
            paintLeader(canvas, block, layout, line, int(i), stop.leader, textColor);
    }
}
} // namespace

void ParagraphDecorations::paint(QPainter& painter, const QTextDocument& document, const QRectF& area, double dpi,
                                 const QColor& textColor)
{
    QAbstractTextDocumentLayout* documentLayout = document.documentLayout();
    const ListNumbering numbering;
    const int start = documentLayout->hitTest(area.topLeft(), Qt::FuzzyHit);
    painter.save();
    for (QTextBlock block = document.findBlock(qMax(0, start)); block.isValid(); block = block.next()) {
        const QRectF bounds = documentLayout->blockBoundingRect(block);
        if (bounds.top() > area.bottom())
            break;
        if (bounds.bottom() < area.top() || !block.layout())
            continue;
        paintBlock(painter, block, *block.layout(), dpi, textColor);
    }
    painter.restore();
}

void ParagraphDecorations::paintBlock(QPainter& painter, const QTextBlock& block, const QTextLayout& layout, double dpi,
                                      const QColor& textColor)
{
    PainterCanvas canvas(painter);
    paintBlock(canvas, block, layout, dpi, textColor);
}

void ParagraphDecorations::paintBlock(PageCanvas& canvas, const QTextBlock& block, const QTextLayout& layout,
                                      double dpi, const QColor& textColor)
{
    if (layout.lineCount() == 0)
        return;
    const ListKind kind = DocumentFormat::listKind(block);
    if (kind != ListKind::None)
        paintMarker(canvas, block, &layout, kind, dpi, textColor);
    if (hasLeaders(block.blockFormat()))
        paintLeaders(canvas, block, &layout, dpi, textColor);
}
