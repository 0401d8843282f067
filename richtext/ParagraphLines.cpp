#include "richtext/ParagraphLines.h"

#include <QPaintDevice>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>

#include <cmath>

namespace {
constexpr auto fixed = &ParagraphLines::fixed;

constexpr qreal DefaultDpi = 96;

qreal deviceScale(const QPaintDevice* device)
{
    return device && device->logicalDpiY() != DefaultDpi ? device->logicalDpiY() / DefaultDpi : 1;
}

Qt::Alignment visualAlignment(Qt::LayoutDirection direction, Qt::Alignment alignment)
{
    if (!(alignment & Qt::AlignHorizontal_Mask))
        alignment |= Qt::AlignLeft;
    if (!(alignment & Qt::AlignAbsolute) && (alignment & (Qt::AlignLeft | Qt::AlignRight))) {
        if (direction == Qt::RightToLeft)
            alignment ^= (Qt::AlignLeft | Qt::AlignRight);
        alignment |= Qt::AlignAbsolute;
    }
    return alignment;
}

// The indent of the paragraph's level and of its list, in the device's units.
qreal blockIndent(const QTextBlock& block, const QTextBlockFormat& format, const QPaintDevice* device)
{
    qreal indent = format.indent();
    if (const QTextList* list = block.textList())
        indent += list->format().indent();
    if (qIsNull(indent))
        return 0;
    return fixed(indent * deviceScale(device) * block.document()->indentWidth());
}

struct LineHeights {
    qreal advance; // how far the next line starts below this one
    qreal breakHeight; // what must fit on the page
    qreal adjustment;  // how far the line is drawn above its place
    qreal bottom;
};

LineHeights lineHeights(const QTextBlockFormat& format, const QTextLine& line, qreal scaling)
{
    const qreal raw = std::ceil(line.ascent() + line.descent() + line.leading());
    LineHeights heights;
    heights.advance = fixed(format.lineHeight(raw, scaling));
    heights.bottom = fixed(format.lineHeight(line.height(), scaling));
    const int type = format.lineHeightType();
    if (type == QTextBlockFormat::FixedHeight || type == QTextBlockFormat::MinimumHeight) {
        heights.breakHeight = heights.bottom;
        heights.adjustment = type == QTextBlockFormat::FixedHeight
                                 ? fixed(line.ascent() + qMax(line.leading(), qreal(0))) - heights.advance * 4 / 5
                                 : fixed(line.height()) - heights.advance;
    } else {
        heights.breakHeight = fixed(line.height());
        heights.adjustment = 0;
    }
    return heights;
}
} // namespace

QTextOption ParagraphLines::textOption(const QTextBlock& block, const QTextBlockFormat& format)
{
    const QTextDocument& document = *block.document();
    QTextOption option = document.defaultTextOption();
    const Qt::LayoutDirection direction = block.textDirection();
    option.setTextDirection(direction);
    option.setTabs(format.tabPositions());
    Qt::Alignment alignment = option.alignment();
    if (format.hasProperty(QTextFormat::BlockAlignment))
        alignment = format.alignment();
    option.setAlignment(visualAlignment(direction, alignment));
    if (format.nonBreakableLines() || document.pageSize().width() < 0)
        option.setWrapMode(QTextOption::ManualWrap);
    return option;
}

qreal ParagraphLines::layOut(const QTextBlock& block, const QTextBlockFormat& format, QTextLayout& layout,
                             const Area& area)
{
    QTextOption option = textOption(block, format);
    layout.setTextOption(option);
    const bool anywhereToo = option.wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere;
    const bool rightToLeft = option.textDirection() == Qt::RightToLeft;
    const qreal indent = blockIndent(block, format, area.device);
    const qreal left = fixed(format.leftMargin()) + (rightToLeft ? 0 : indent);
    const qreal right = fixed(area.width) - fixed(format.rightMargin()) - (rightToLeft ? indent : 0);
    const qreal scaling = deviceScale(area.device);

    qreal y = 0;
    qreal bottom = 0;
    const qreal pageHeight = fixed(area.pageHeight);
    qreal pageBottom = 0;
    if (pageHeight > 0)
        pageBottom = (std::floor(area.top / pageHeight) + 1) * pageHeight;

    layout.beginLayout();
    for (bool first = true;; first = false) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLeadingIncluded(true);
        qreal lineLeft = left;
        qreal lineRight = right;
        if (first) {
            const qreal textIndent = fixed(format.textIndent());
            if (rightToLeft)
                lineRight -= textIndent;
            else
                lineLeft += textIndent;
        }
        const qreal width = lineRight - lineLeft;
        line.setLineWidth(width);
        // A word wider than the line: Qt lays the line out again, breaking it anywhere, as wide as
        // the text needs.
        if (fixed(line.naturalTextWidth()) > width) {
            line.setLineWidth(width);
            if (fixed(line.naturalTextWidth()) > width) {
                if (anywhereToo) {
                    option.setWrapMode(QTextOption::WrapAnywhere);
                    layout.setTextOption(option);
                }
                line.setLineWidth(qMax<qreal>(line.naturalTextWidth(), width));
                if (anywhereToo) {
                    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
                    layout.setTextOption(option);
                }
            }
        }
        const LineHeights heights = lineHeights(format, line, scaling);
        if (pageHeight > 0) {
            while (area.top + y + heights.breakHeight > pageBottom && pageHeight >= heights.breakHeight) {
                pageBottom += pageHeight;
                y = qMax(y, pageBottom - pageHeight - area.top);
            }
        }
        line.setPosition(QPointF(lineLeft, y - heights.adjustment));
        bottom = y + heights.bottom;
        y += heights.advance;
    }
    layout.endLayout();
    return qMax(y, bottom);
}

qreal ParagraphLines::fixed(qreal value)
{
    return std::trunc(value * 64) / 64;
}
