#pragma once

#include "framework/Colors.h"
#include "framework/TCustomControl.h"
#include "framework/TFont.h"

class QPainter;

// A small check box that paints itself: a 12-pixel raised box (black-framed while held down),
// a check mark in CheckColor or a grayed square, the caption to the right and a dotted focus
// mark around it (around the whole box when the box is too narrow to show its caption). Mouse buttons and the space bar toggle it on release; setting State or
// Checked raises OnClick whenever the state changes. The Tab key never stops on it, unless its
// window gives it the focus policy Qt::TabFocus; then a click also leaves the focus where it was.
class TOwnerCheck : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(quint32 CheckColor READ checkColor WRITE setCheckColor)
    Q_PROPERTY(bool Checked READ checked WRITE setChecked)
    Q_PROPERTY(bool Down READ down WRITE setDown)
    Q_PROPERTY(TFont* Font READ font)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(TCheckBoxState State READ state WRITE setState)

public:
    enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
    Q_ENUM(TCheckBoxState)

    explicit TOwnerCheck(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    Colors::TColor checkColor() const { return m_checkColor; }
    void setCheckColor(Colors::TColor color);
    // A grayed box reads as not checked.
    bool checked() const { return m_state == cbChecked; }
    void setChecked(bool checked);
    bool down() const { return m_down; }
    void setDown(bool down);
    TCheckBoxState state() const { return m_state; }
    void setState(TCheckBoxState state);
    TFont* font() const { return m_font; }
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parentFont);
    // Whether the focus mark is drawn: set on focus in and by every mouse press.
    bool hasFocusMark() const { return m_hasFocus; }
    // The colour the background is erased with before each paint (not set by layouts).
    Colors::TColor color() const { return m_color; }
    void setColor(Colors::TColor color);

    // Draws box, caption, mark and focus mark over the erased background.
    void paint(QPainter& painter) const;

protected:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void DoEnter() override;
    void DoExit() override;

    void paintEvent(QPaintEvent* event) override;

private:
    // Inside for toggling includes one pixel beyond the right and bottom edges.
    bool insideInclusive(int x, int y) const;
    void toggle();
    QFont drawingFont() const;
    int drawingFontHeight() const;
    QColor textColor() const;

    QString m_caption;
    bool m_down = false;
    TCheckBoxState m_state = cbUnchecked;
    bool m_hasFocus = false;
    Colors::TColor m_checkColor = Colors::clBlack;
    Colors::TColor m_color = Colors::clBtnFace;
    TFont* m_font;
    bool m_parentFont = true;
    bool m_captured = false;
};
