#include "fontpickers/FontNameItemDelegate.h"

#include "fontpickers/FontFace.h"
#include "fontpickers/TFontNameComboBox.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

FontNameItemDelegate::FontNameItemDelegate(TFontNameComboBox& picker)
    : PickerItemDelegate(picker), m_picker(picker)
{
}

void FontNameItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    EntryState state;
    state.selected = option.state.testFlag(QStyle::State_Selected);
    state.focused = option.state.testFlag(QStyle::State_HasFocus);
    state.disabled = !option.state.testFlag(QStyle::State_Enabled);
    paintEntry(*painter, option.rect, index.isValid() ? index.row() : -1, state);
}

void FontNameItemDelegate::drawFocusRect(QPainter& painter, const QRect& rect, const QColor& background)
{
    painter.save();
    painter.setPen(QColor(background.rgb() ^ 0xFFFFFF));
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0)
            painter.drawPoint(x, y);
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        if (rect.bottom() != rect.top())
            dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        if (rect.right() != rect.left())
            dot(rect.right(), y);
    }
    painter.restore();
}

void FontNameItemDelegate::paintEntry(QPainter& painter, const QRect& rect, int index, EntryState state) const
{
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QColor background = Colors::toQColor(m_picker.color());
    if (index < 0) {
        painter.fillRect(rect, background);
        painter.restore();
        return;
    }
    QColor foreground = Colors::toQColor(m_picker.textColor());
    if (state.selected) {
        background = Colors::toQColor(Colors::clHighlight);
        foreground = Colors::toQColor(Colors::clHighlightText);
    } else if (state.disabled) {
        foreground = Colors::toQColor(Colors::clInactiveCaption);
    }
    painter.fillRect(rect, background);
    if (state.focused)
        drawFocusRect(painter, rect, background);

    const TFontNameComboBox::TFontNameOptions options = m_picker.options();
    const int type = m_picker.drawingType(index);
    int textLeft = 3;
    if (options.testFlag(TFontNameComboBox::foDisplaySymbol)) {
        const FontTypePictograms& pictograms = m_picker.pictograms();
        const int half = pictograms.half();
        const QImage* source = nullptr;
        if (type & FontFace::TrueType)
            source = &pictograms.trueType();
        else if (type & FontFace::Device)
            source = &pictograms.device();
        if (source && !source->isNull()) {
            const QRect box(rect.left() + 2, rect.top(), half + 4, rect.height());
            painter.drawImage(box.left() + (box.width() - source->width()) / 2,
                              box.top() + (box.height() - source->height()) / 2, *source);
        }
        textLeft = half + 10;
    }

    const QString name = m_picker.itemText(index);
    painter.setPen(foreground);
    painter.setBackgroundMode(Qt::TransparentMode);
    drawName(painter, m_picker.font(), options.testFlag(TFontNameComboBox::foDisplayFont), name, textLeft,
             rect);
    painter.restore();
}

void FontNameItemDelegate::drawName(QPainter& painter, QFont font, bool ownFace, const QString& name,
                                    int left, const QRect& rect)
{
    if (ownFace) {
        font.setFamilies({name});
        if (!fitsAsLaidOut(font, name, rect)) {
            drawFitted(painter, font, name, left, rect);
            return;
        }
    }
    painter.setFont(font);
    const QRect textRect(left, rect.top() + 1, qMax(0, rect.right() + 1 - left), rect.height() + 1000);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, name);
}

bool FontNameItemDelegate::fitsAsLaidOut(const QFont& face, const QString& name, const QRect& rect)
{
    // Only an outline face's metrics say reliably where its letters fall.
    const QFontInfo info(face);
    if (!QFontDatabase::isScalable(info.family(), info.styleName()))
        return false;
    const QFontMetricsF metrics(face);
    const QRectF ink =
        metrics.tightBoundingRect(name).translated(0, rect.top() + 1 + QFontMetrics(face).ascent());
    return ink.isEmpty() || (ink.top() >= rect.top() + 1 && ink.bottom() <= rect.top() + rect.height());
}

FontNameItemDelegate::Letters FontNameItemDelegate::lettersOf(const QFont& face, const QString& name,
                                                              const QColor& color)
{
    // Drawn on a canvas with room all round for glyphs that leave the face's line, then cut to
    // the pixels inked.
    const QFontMetrics metrics(face);
    const int pixels = qMax(QFontInfo(face).pixelSize(), metrics.height());
    const QPoint pen(pixels, 2 * pixels);
    QImage canvas(metrics.horizontalAdvance(name) + 2 * pixels, 4 * pixels,
                  QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setFont(face);
    painter.setPen(color);
    painter.drawText(pen, name);
    painter.end();
    QRect inked;
    for (int y = 0; y < canvas.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (qAlpha(line[x]) != 0)
                inked |= QRect(x, y, 1, 1);
        }
    }
    if (inked.isEmpty())
        return {};
    return {canvas.copy(inked), inked.left() - pen.x()};
}

void FontNameItemDelegate::drawFitted(QPainter& painter, const QFont& face, const QString& name, int left,
                                      const QRect& rect)
{
    // The letters may use every row of the entry but its first, which the platform leaves free.
    const int top = rect.top() + 1;
    const int room = rect.height() - 1;
    if (room <= 0)
        return;
    const QColor color = painter.pen().color();
    Letters letters = lettersOf(face, name, color);
    // Smaller sizes of the face while the letters are too tall; a bitmap face may have none.
    int pixels = QFontInfo(face).pixelSize();
    for (int wanted = pixels - 1; letters.image.height() > room && wanted >= MinimumPixelSize; --wanted) {
        QFont smaller = face;
        smaller.setPixelSize(wanted);
        const int found = QFontInfo(smaller).pixelSize();
        if (found >= pixels)
            continue;
        pixels = found;
        letters = lettersOf(smaller, name, color);
    }
    if (letters.image.isNull())
        return;
    if (letters.image.height() <= room) {
        // In the middle of the rows they may use.
        painter.drawImage(left + letters.left, top + (room - letters.image.height()) / 2, letters.image);
        return;
    }
    // Still too tall: the picture of the letters is scaled to fill those rows.
    const qreal scale = qreal(room) / letters.image.height();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(left + letters.left * scale, top, letters.image.width() * scale, room),
                      letters.image);
    painter.restore();
}
