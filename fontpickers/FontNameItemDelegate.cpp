#include "fontpickers/FontNameItemDelegate.h"

#include "fontpickers/FontFace.h"
#include "fontpickers/TFontNameComboBox.h"

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
    QFont font = m_picker.font();
    if (options.testFlag(TFontNameComboBox::foDisplayFont))
        font.setFamilies({name});
    painter.setFont(font);
    painter.setPen(foreground);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QRect textRect(textLeft, rect.top() + 1, qMax(0, rect.right() + 1 - textLeft),
                         rect.height() + 1000);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, name);
    painter.restore();
}
