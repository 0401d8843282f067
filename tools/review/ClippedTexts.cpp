#include "ClippedTexts.h"

#include "framework/SymbolFontFallback.h"
#include "framework/TLabel.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace {
// The part of the label that its parents leave visible, in window coordinates.
QRect visiblePart(const TLabel& label, const QWidget& window)
{
    QRect visible(label.mapTo(&window, QPoint(0, 0)), label.size());
    for (const QWidget* parent = label.parentWidget(); parent; parent = parent->parentWidget()) {
        visible &= QRect(parent->mapTo(&window, QPoint(0, 0)), parent->size());
        if (parent == &window)
            break;
    }
    return visible;
}
} // namespace

QStringList ClippedTexts::in(QWidget& window)
{
    QStringList findings;
    for (TLabel* label : window.findChildren<TLabel*>()) {
        if (!label->isVisibleTo(&window) || label->caption().isEmpty() || label->wordWrap())
            continue;
        QFont font;
        const QString text = SymbolFontFallback::displayText(label->caption(), label->drawingFont(), &font);
        const QFontMetrics metrics(font);
        const int width = metrics.horizontalAdvance(text);
        // The letters' own extent below the top, where the label draws its text.
        const QRect ink = metrics.tightBoundingRect(text).translated(0, metrics.ascent());
        const QRect labelArea(label->mapTo(&window, QPoint(0, 0)), label->size());
        int left = labelArea.left();
        if (label->alignment() == TLabel::taCenter)
            left += (label->width() - width) / 2;
        else if (label->alignment() == TLabel::taRightJustify)
            left += label->width() - width;
        const QRect needed(left, labelArea.top(), width, qMax(ink.bottom() + 1, 1));
        const QRect shown = needed & visiblePart(*label, window);
        if (shown.width() < needed.width()) {
            findings << QStringLiteral("%1: \"%2\" is %3 px wide in %4 %5 px; %6 px show")
                            .arg(label->objectName(), label->caption())
                            .arg(width)
                            .arg(QFontInfo(font).family())
                            .arg(QFontInfo(font).pixelSize())
                            .arg(shown.width());
        }
        if (shown.height() < needed.height()) {
            findings << QStringLiteral("%1: \"%2\" needs %3 px of height; %4 px show")
                            .arg(label->objectName(), label->caption())
                            .arg(needed.height())
                            .arg(shown.height());
        }
    }
    return findings;
}
