#include "richtext/DocumentFormat.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>

#include <algorithm>
#include <utility>

namespace DocumentFormat {
TabStops tabStops(const QTextBlockFormat& format)
{
    TabStops stops;
    const QVariant stored = format.property(TabStopList);
    if (stored.metaType() != QMetaType::fromType<QList<int>>())
        return stops;
    const QList<int> packed = stored.value<QList<int>>();
    stops.reserve(packed.size());
    for (int value : packed)
        stops.append(TabStop::unpack(value));
    return stops;
}

TabStops normalizedTabStops(TabStops stops)
{
    std::stable_sort(stops.begin(), stops.end(),
                     [](const TabStop& a, const TabStop& b) { return a.positionTwips < b.positionTwips; });
    TabStops result;
    result.reserve(stops.size());
    for (qsizetype i = 0; i < stops.size(); ++i) {
        TabStop stop = stops[i];
        stop.positionTwips = qBound(0, stop.positionTwips, TabStop::MaxPositionTwips);
        // The last one set at a position wins, as in RTF.
        if (i + 1 < stops.size() && stops[i + 1].positionTwips == stops[i].positionTwips)
            continue;
        result.append(stop);
    }
    return result;
}

void setTabStops(QTextBlockFormat& format, TabStops stops)
{
    if (stops.isEmpty()) {
        format.clearProperty(TabStopList);
        return;
    }
    QList<int> packed;
    packed.reserve(stops.size());
    for (const TabStop& stop : normalizedTabStops(std::move(stops)))
        packed.append(stop.pack());
    format.setProperty(TabStopList, QVariant::fromValue(packed));
}

ListKind listKind(const QTextBlock& block)
{
    const QTextList* list = block.textList();
    return list ? listKind(list->format().style()) : ListKind::None;
}

ListKind listKind(QTextListFormat::Style style)
{
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
                   style == QTextListFormat::ListSquare
               ? ListKind::Bullet
               : ListKind::Numbered;
}

int defaultTabTwips(const QTextDocument& document)
{
    const QTextFrameFormat format = document.rootFrame()->frameFormat();
    const int twips = format.intProperty(DefaultTabTwips);
    return twips > 0 ? twips : StandardDefaultTabTwips;
}

void setDefaultTabTwips(QTextDocument& document, int twips)
{
    if (twips <= 0)
        twips = StandardDefaultTabTwips;
    QTextFrameFormat format = document.rootFrame()->frameFormat();
    if (format.intProperty(DefaultTabTwips) != twips) {
        format.setProperty(DefaultTabTwips, twips);
        document.rootFrame()->setFrameFormat(format);
    }
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(twipsToDeviceUnits(twips, ScreenDpi));
    document.setDefaultTextOption(option);
}
} // namespace DocumentFormat
