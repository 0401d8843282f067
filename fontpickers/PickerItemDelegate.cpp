#include "fontpickers/PickerItemDelegate.h"

#include "fontpickers/TPickerComboBox.h"

PickerItemDelegate::PickerItemDelegate(TPickerComboBox& picker)
    : QStyledItemDelegate(&picker), m_picker(picker)
{
}

QSize PickerItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(m_picker.itemHeight());
    return size;
}
