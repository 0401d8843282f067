#include "TextFit.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <stdexcept>

namespace {
QString describe(const QRectF& r)
{
    return QStringLiteral("%1 x %2 at %3, %4")
        .arg(r.width(), 0, 'f', 1)
        .arg(r.height(), 0, 'f', 1)
        .arg(r.left(), 0, 'f', 1)
        .arg(r.top(), 0, 'f', 1);
}
} // namespace

TextFit::TextFit(const QString& picture) : m_picture(picture) {}

void TextFit::draw(QPainter& painter, const QRectF& box, int flags, const QString& text)
{
    claim(painter, box, flags, text);
    painter.drawText(box, flags, text);
}

void TextFit::claim(const QPainter& painter, const QRectF& box, int flags, const QString& text, qreal spread)
{
    const QFont font = painter.font();
    const QFontMetricsF metrics(font, painter.device());
    // The line as laid out in the box, and the letters' own extent on its baseline (a face's
    // line is taller than its letters; italic letters lean out of their advances).
    const QRectF line = metrics.boundingRect(box, flags, text);
    const qreal baseline = line.top() + metrics.ascent();
    const QRectF ink = metrics.tightBoundingRect(text).translated(line.left(), baseline);
    qreal bottom = ink.bottom();
    if (font.underline())
        bottom = std::max(bottom, baseline + metrics.underlinePos() + metrics.lineWidth());
    // In its box: the advances across, the letters up and down. Among the other texts: both.
    const QRectF fitted(QPointF(line.left(), ink.top()), QPointF(line.right(), bottom));
    const QRectF place(QPointF(std::min(line.left(), ink.left()), ink.top()),
                       QPointF(std::max(line.right(), ink.right()), bottom));

    const QFontInfo face(font);
    const QString what =
        QStringLiteral("%1: \"%2\" in %3 %4 px").arg(m_picture, text, face.family()).arg(face.pixelSize());
    // Slack for smoothing at the edges: half a pixel across, a pixel up and down, where the
    // letters' extent is rounded outwards to whole pixels.
    if (!box.adjusted(-0.5, -1, 0.5, 1).contains(fitted))
        throw std::runtime_error(QStringLiteral("%1 takes %2; its box is %3")
                                     .arg(what, describe(fitted), describe(box))
                                     .toStdString());
    // The letters' outlines (and the shadow's), grown by half a pixel all round, must not touch
    // those of the texts before it.
    QPainterPath letters;
    letters.addText(QPointF(line.left(), baseline), font, text);
    if (font.underline())
        letters.addRect(
            QRectF(line.left(), baseline + metrics.underlinePos(), line.width(), metrics.lineWidth()));
    if (spread != 0)
        letters.addPath(letters.translated(spread, spread));
    QPainterPathStroker margin;
    margin.setWidth(1.0);
    const QPainterPath grown = letters.united(margin.createStroke(letters));
    for (const auto& [other, otherText] : m_placed) {
        if (grown.intersects(other))
            throw std::runtime_error(
                QStringLiteral("%1 (%2) runs into \"%3\" (%4)")
                    .arg(what, describe(place), otherText, describe(other.boundingRect()))
                    .toStdString());
    }
    m_placed.append({letters, text});
}
