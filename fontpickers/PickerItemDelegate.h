#pragma once

#include <QStyledItemDelegate>

class TPickerComboBox;

// Draws the entries of a picker's open list as Qt does, each as high as the picker's item
// height.
class PickerItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit PickerItemDelegate(TPickerComboBox& picker);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    TPickerComboBox& picker() const { return m_picker; }

private:
    TPickerComboBox& m_picker;
};
