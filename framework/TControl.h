#pragma once

#include <QWidget>

// The common base of our controls: the mouse and click events of the framework. Qt's mouse
// events are turned, inside the message dispatch, into the overridable steps below, whose
// base versions raise the events. A left press on the control followed by a release inside
// its client rectangle (right and bottom edges excluded) clicks, before MouseUp runs; the
// press of a double-click raises DblClick, then MouseDown, and its release does not click.
// MouseEnter and MouseLeave follow the pointer; while a button is held on the control, the
// control itself is told when the pointer leaves it and comes back.
class TControl : public QWidget {
    Q_OBJECT

public:
    explicit TControl(QWidget* parent = nullptr);

Q_SIGNALS:
    void OnClick(QObject* Sender);
    void OnDblClick(QObject* Sender);
    void OnMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseEnter(QObject* Sender);
    void OnMouseLeave(QObject* Sender);

protected:
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    // Whether the left button went down on the control and has not been released yet.
    bool leftButtonHeld() const { return m_leftHeld; }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setPointerInside(bool inside);

    bool m_leftHeld = false;
    bool m_pointerInside = false;
    bool m_clickPending = false;
};
