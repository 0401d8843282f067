#include "richtext/ParagraphLayout.h"

#include "richtext/ListNumbering.h"
#include "richtext/ParagraphPieces.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>

namespace {
using DocumentFormat::ListKind;

// Default stops written out for a first line that does not start on one (Qt counts its own
// default stops from the start of the line): as far as any page is wide, and not more than that.
constexpr int DefaultStopsSpanTwips = 22 * DocumentFormat::TwipsPerInch;
constexpr int MaxDefaultStops = 64;

// The first default stop after twips; default stops are multiples of the default width from
// the left edge.
int nextDefaultStop(int twips, int defaultTab)
{
    const int below = twips >= 0 ? twips / defaultTab : -((-twips + defaultTab - 1) / defaultTab);
    return (below + 1) * defaultTab;
}

bool onDefaultStop(int twips, int defaultTab)
{
    return twips % defaultTab == 0;
}

QTextOption::Tab qtTab(const TabStop& stop, int lineStartTwips, bool pointAfterTab)
{
    // Qt measures stops from the start of the line, in its logical 96 dpi units whatever the
    // device (it scales them itself).
    const qreal position = DocumentFormat::twipsToDeviceUnits(stop.positionTwips - lineStartTwips,
                                                               DocumentFormat::ScreenDpi);
    switch (stop.alignment) {
    case TabStop::Alignment::Left:
        break;
    case TabStop::Alignment::Right:
        return QTextOption::Tab(position, QTextOption::RightTab);
    case TabStop::Alignment::Center:
        return QTextOption::Tab(position, QTextOption::CenterTab);
    case TabStop::Alignment::Decimal:
        if (!pointAfterTab)
            return QTextOption::Tab(position, QTextOption::RightTab);
        return QTextOption::Tab(position, QTextOption::DelimiterTab, QLatin1Char('.'));
    }
    return QTextOption::Tab(position, QTextOption::LeftTab);
}
} // namespace

int ParagraphLayout::Marker::widthTwips() const
{
    switch (kind) {
    case ListKind::None:
        return 0;
    case ListKind::Bullet:
        return sizeTwips / 2;
    case ListKind::Numbered:
        return sizeTwips * (56 * int(QString::number(number).size()) + 28) / 100;
    }
    return 0;
}

ParagraphLayout::Geometry ParagraphLayout::geometry(const QTextBlockFormat& format, const Marker& marker,
                                                    int defaultTabTwips)
{
    Geometry result;
    const int first = format.intProperty(DocumentFormat::FirstIndentTwips);
    result.leftTwips = first + format.intProperty(DocumentFormat::LeftOffsetTwips);
    result.rightTwips = format.intProperty(DocumentFormat::RightIndentTwips);

    // On the first line of a hanging paragraph the left indent is a stop like the explicit ones
    // (the default stops before it do not count).
    TabStops stops = DocumentFormat::tabStops(format);
    if (result.leftTwips > first) {
        const auto at = std::lower_bound(stops.begin(), stops.end(), result.leftTwips,
                                         [](const TabStop& stop, int twips) { return stop.positionTwips < twips; });
        if (at == stops.end() || at->positionTwips != result.leftTwips)
            stops.insert(at, TabStop{result.leftTwips});
    }

    result.firstLineStartTwips = first;
    if (marker.kind != ListKind::None) {
        const int markerEnd = first + marker.widthTwips();
        const TabStop next = stopAfter(Geometry{first, result.leftTwips, 0, stops}, markerEnd);
        result.firstLineStartTwips =
            next.positionTwips >= 0 ? next.positionTwips : nextDefaultStop(markerEnd, qMax(1, defaultTabTwips));
    }
    for (const TabStop& stop : std::as_const(stops)) {
        if (stop.positionTwips > result.firstLineStartTwips)
            result.stops.append(stop);
    }
    return result;
}

TabStop ParagraphLayout::stopAfter(const Geometry& geometry, int twips)
{
    for (const TabStop& stop : geometry.stops) {
        if (stop.positionTwips > twips)
            return stop;
    }
    return TabStop{-1};
}

bool ParagraphLayout::hasPointAfterTab(QStringView text)
{
    const qsizetype tab = text.indexOf(u'\t');
    return tab >= 0 && text.indexOf(u'.', tab) >= 0;
}

bool ParagraphLayout::hasDecimalStop(const QTextBlockFormat& format)
{
    const TabStops stops = DocumentFormat::tabStops(format);
    return std::any_of(stops.begin(), stops.end(),
                       [](const TabStop& stop) { return stop.alignment == TabStop::Alignment::Decimal; });
}

void ParagraphLayout::apply(QTextBlockFormat& format, const Marker& marker, int defaultTabTwips, double dpi,
                            bool pointAfterTab)
{
    const Geometry layout = geometry(format, marker, defaultTabTwips);
    const int defaultTab = qMax(1, defaultTabTwips);
    format.setLeftMargin(DocumentFormat::twipsToDeviceUnits(layout.leftTwips, dpi));
    format.setRightMargin(DocumentFormat::twipsToDeviceUnits(layout.rightTwips, dpi));
    format.setTextIndent(DocumentFormat::twipsToDeviceUnits(layout.firstLineStartTwips - layout.leftTwips, dpi));

    QList<QTextOption::Tab> tabs;
    tabs.reserve(layout.stops.size());
    for (const TabStop& stop : layout.stops)
        tabs.append(qtTab(stop, layout.firstLineStartTwips, pointAfterTab));
    // Qt's own default stops count from the start of the line; where that is not on a default
    // stop of the document, the document's are written out.
    if (!onDefaultStop(layout.firstLineStartTwips, defaultTab)) {
        const int last = layout.stops.isEmpty() ? layout.firstLineStartTwips
                                                : qMax(layout.firstLineStartTwips, layout.stops.last().positionTwips);
        int stop = nextDefaultStop(last, defaultTab);
        for (int count = 0; count < MaxDefaultStops && stop - layout.firstLineStartTwips <= DefaultStopsSpanTwips;
             ++count, stop += defaultTab)
            tabs.append(qtTab(TabStop{stop}, layout.firstLineStartTwips, false));
    }
    if (tabs.isEmpty())
        format.clearProperty(QTextFormat::TabPositions);
    else
        format.setTabPositions(tabs);

    // The piece of a paragraph that continues it starts where its lines do.
    if (ParagraphPieces::continues(format))
        format.setTextIndent(0);
    // Markers are drawn by ParagraphDecorations where readers put them, not by Qt.
    if (marker.kind != ListKind::None)
        format.setProperty(QTextFormat::ListStyle, int(QTextListFormat::ListStyleUndefined));
    else
        format.clearProperty(QTextFormat::ListStyle);
}

QTextCharFormat ParagraphLayout::markerFormat(const QTextBlock& block)
{
    if (block.length() > 1) {
        const auto first = block.begin();
        if (!first.atEnd())
            return first.fragment().charFormat();
    }
    return block.charFormat();
}

ParagraphLayout::Marker ParagraphLayout::marker(const QTextBlock& block)
{
    Marker marker;
    marker.kind = DocumentFormat::listKind(block);
    if (marker.kind == ListKind::None)
        return marker;
    if (marker.kind == ListKind::Numbered)
        marker.number = ListNumbering::number(block);
    const QTextCharFormat format = markerFormat(block);
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        marker.sizeTwips = DocumentFormat::sizeTwips(format);
    } else {
        const QFont font = block.document()->defaultFont();
        if (font.pointSizeF() > 0)
            marker.sizeTwips = qRound(font.pointSizeF() * DocumentFormat::TwipsPerPoint);
    }
    return marker;
}

ParagraphLayout::Geometry ParagraphLayout::geometry(const QTextBlock& block)
{
    return geometry(block.blockFormat(), marker(block), DocumentFormat::defaultTabTwips(*block.document()));
}

QTextBlockFormat ParagraphLayout::laidOut(const QTextBlock& block, double dpi)
{
    QTextBlockFormat format = block.blockFormat();
    apply(format, marker(block), DocumentFormat::defaultTabTwips(*block.document()), dpi,
          hasDecimalStop(format) && hasPointAfterTab(block.text()));
    return format;
}

void ParagraphLayout::layOut(QTextDocument& document, const QTextBlock& first, const QTextBlock& last, double dpi)
{
    QTextCursor cursor(&document);
    // Only indents change here, never which list a paragraph is in.
    const ListNumbering numbering;
    bool editing = false;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        const QTextBlockFormat format = laidOut(block, dpi);
        if (format != block.blockFormat()) {
            if (!editing) {
                cursor.beginEditBlock();
                editing = true;
            }
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
        }
        if (block == last)
            break;
    }
    if (editing)
        cursor.endEditBlock();
}

void ParagraphLayout::layOutAll(QTextDocument& document, double dpi)
{
    layOut(document, document.begin(), document.lastBlock(), dpi);
}
