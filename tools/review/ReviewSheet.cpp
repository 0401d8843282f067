#include "ReviewSheet.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int Margin = 16;
constexpr int Gap = 14;
constexpr int CaptionGap = 4;
// Rows wrap at this width unless one picture is wider.
constexpr int SheetWidth = 1800;
// A caption may be wider than a small picture.
constexpr int MinimumTileWidth = 150;
const QColor Paper(236, 236, 236);
const QColor Ink(32, 32, 32);
const QColor FaultInk(200, 0, 0);

QFont sheetFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QRect wrapped(const QFont& font, int width, const QString& text)
{
    if (text.isEmpty())
        return {};
    return QFontMetrics(font).boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, text);
}
} // namespace

ReviewSheet::ReviewSheet(const QString& title) : m_title(title) {}

void ReviewSheet::beginSection(const QString& heading)
{
    m_sections.append({heading, {}});
}

void ReviewSheet::add(const QImage& picture, const QString& caption, const QStringList& faults)
{
    if (m_sections.isEmpty())
        beginSection(QString());
    m_sections.last().tiles.append({picture, caption, faults});
    m_faults += int(faults.size());
}

void ReviewSheet::addText(const QStringList& lines, const QString& caption)
{
    const QFont font = sheetFont(11);
    const QFontMetrics metrics(font);
    int width = 1;
    for (const QString& line : lines)
        width = qMax(width, metrics.horizontalAdvance(line));
    QImage picture(width + 12, int(lines.size()) * metrics.height() + 12, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Ink);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(6, 6 + i * metrics.height() + metrics.ascent(), lines[i]);
    painter.end();
    add(picture, caption);
}

QImage ReviewSheet::render() const
{
    const QFont titleFont = sheetFont(20, true);
    const QFont headingFont = sheetFont(15, true);
    const QFont captionFont = sheetFont(11);

    struct Placed {
        const Tile* tile;
        QRect picture;
        QRect caption;
        QRect faults;
    };
    QList<Placed> placed;
    QList<QPair<QRect, QString>> headings;

    int widest = SheetWidth;
    for (const Section& section : m_sections) {
        for (const Tile& tile : section.tiles)
            widest = qMax(widest, tile.picture.width() + 2 * Margin);
    }
    int y = Margin + QFontMetrics(titleFont).height() + Gap;
    int right = 0;
    for (const Section& section : m_sections) {
        if (!section.heading.isEmpty()) {
            const int height = QFontMetrics(headingFont).height();
            headings.append({QRect(Margin, y, widest - 2 * Margin, height), section.heading});
            y += height + CaptionGap * 2;
        }
        int x = Margin;
        int rowHeight = 0;
        for (const Tile& tile : section.tiles) {
            const int width = qMax(tile.picture.width(), MinimumTileWidth);
            const QRect caption = wrapped(captionFont, width, tile.caption);
            const QRect faults = wrapped(captionFont, width, tile.faults.join(QLatin1Char('\n')));
            const int height = tile.picture.height() + CaptionGap + caption.height() + faults.height();
            if (x > Margin && x + width > widest - Margin) {
                x = Margin;
                y += rowHeight + Gap;
                rowHeight = 0;
            }
            Placed p{&tile, QRect(QPoint(x, y), tile.picture.size()), {}, {}};
            p.caption = QRect(x, y + tile.picture.height() + CaptionGap, width, caption.height());
            p.faults = QRect(x, p.caption.bottom() + 1, width, faults.height());
            placed.append(p);
            right = qMax(right, x + width);
            x += width + Gap;
            rowHeight = qMax(rowHeight, height);
        }
        y += rowHeight + Gap * 2;
    }

    QImage sheet(qMax(right + Margin, 400), y, QImage::Format_RGB32);
    sheet.fill(Paper);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Ink);
    painter.setFont(titleFont);
    painter.drawText(Margin, Margin + QFontMetrics(titleFont).ascent(), m_title);
    painter.setFont(headingFont);
    for (const auto& [rect, text] : headings)
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop, text);
    painter.setFont(captionFont);
    for (const Placed& p : placed) {
        painter.drawImage(p.picture.topLeft(), p.tile->picture);
        // A frame just outside the picture: grey, or red for a picture with a fault.
        painter.setPen(p.tile->faults.isEmpty() ? QColor(160, 160, 160) : FaultInk);
        painter.drawRect(p.picture.adjusted(-1, -1, 0, 0));
        painter.setPen(Ink);
        painter.drawText(p.caption, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, p.tile->caption);
        painter.setPen(FaultInk);
        painter.drawText(p.faults, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                         p.tile->faults.join(QLatin1Char('\n')));
        painter.setPen(Ink);
    }
    return sheet;
}
