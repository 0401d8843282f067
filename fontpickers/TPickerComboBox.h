#pragma once

#include "framework/Colors.h"
#include "framework/TFont.h"

#include <QComboBox>
#include <QPointer>

class QPainter;

// The combo box both font pickers stand on: Qt's combo box with the events of our components,
// a frame it paints itself and an item height taken from its font.
//
// A selection the user makes (a click in the open list, an arrow key, a typed letter, the wheel)
// raises, in this order and with the text already showing the entry: OnClick, the change
// notification (OnChange) and the selection notification (OnSelect). A user's edit of the text
// raises the change notification only.
class TPickerComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(bool Flat READ flat WRITE setFlat)
    Q_PROPERTY(int DropDownWidth READ dropDownWidth WRITE setDropDownWidth)
    Q_PROPERTY(int DropDownCount READ dropDownCount WRITE setDropDownCount)
    Q_PROPERTY(bool MRUList READ mruList WRITE setMruList)
    Q_PROPERTY(int MRUMax READ mruMax WRITE setMruMax)
    Q_PROPERTY(quint32 Color READ color WRITE setColor)
    Q_PROPERTY(TFont* Font READ tfont)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(QString Text READ text)

public:
    explicit TPickerComboBox(QWidget* parent = nullptr);

    bool flat() const { return m_flat; }
    void setFlat(bool flat);
    int dropDownWidth() const { return m_dropDownWidth; }
    void setDropDownWidth(int width);
    int dropDownCount() const { return maxVisibleItems(); }
    void setDropDownCount(int count);
    // The most-recently-used section is not built: only its default (off) is supported.
    bool mruList() const { return m_mruList; }
    void setMruList(bool on) { m_mruList = on; }
    int mruMax() const { return m_mruMax; }
    void setMruMax(int max) { m_mruMax = max; }
    Colors::TColor color() const { return m_color; }
    void setColor(Colors::TColor color);
    TFont* tfont() const { return m_font; }
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parentFont);
    // The colour of the text: the font's own, or the window text colour with the parent's font.
    Colors::TColor textColor() const { return m_parentFont ? Colors::clWindowText : m_font->color(); }
    // The control that takes the keyboard focus after a selection the user makes in the closed
    // box (not with a navigation key) and after Enter; forgotten when it is destroyed.
    QWidget* focusControl() const { return m_focusControl; }
    void setFocusControl(QWidget* control) { m_focusControl = control; }

    QString text() const { return currentText(); }
    int itemHeight() const { return m_itemHeight; }

    // Takes the item height from the height of "W" in the picker's font.
    void UpdateItemHeight();
    // The item height for a measured text height: one more, at least 10.
    static int itemHeightFor(int textHeight);

    void hidePopup() override;

    // The two outermost pixel rings of the box, in its own coordinates.
    void PaintFrame(QPainter& painter) const;
    // Whether PaintFrame draws the flat look (Flat on and the box idle) rather than the 3-D one.
    bool flatLook() const;

Q_SIGNALS:
    void OnClick(QObject* Sender);
    void OnChange(QObject* Sender);
    void OnSelect(QObject* Sender);
    void OnEditClick(QObject* Sender);
    void OnEnter(QObject* Sender);
    void OnExit(QObject* Sender);
    // A typed character; a handler may change it or clear it (a null character drops the key).
    void OnKeyPress(QObject* Sender, QChar& Key);

protected:
    virtual void Click();
    // The change notification.
    virtual void Change();
    // The selection notification.
    virtual void Select();
    virtual void KeyPress(QChar& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Paints the box below its frame.
    virtual void paintContent(QPaintEvent* event);

    void setItemHeight(int height);
    // Gives the box an edit field (or takes it away), wired to the change notification.
    void setEditField(bool on);

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void userSelected();
    void fontChanged();

    bool m_flat = false;
    int m_dropDownWidth = 0;
    bool m_mruList = false;
    int m_mruMax = 5;
    Colors::TColor m_color = Colors::clWindow;
    TFont* m_font;
    bool m_parentFont = true;
    QPointer<QWidget> m_focusControl;
    int m_itemHeight = 15;
    bool m_mouseInside = false;
    bool m_listJustClosed = false;
    bool m_navigationKey = false;
};
