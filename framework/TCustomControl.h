#pragma once

#include "framework/TControl.h"

// A control that can hold the keyboard focus and receives keys while it has it. Key and focus
// events are turned, inside the message dispatch, into the overridable steps below, whose base
// versions raise the events. Handlers may change or clear (0) the key they are given.
class TCustomControl : public TControl {
    Q_OBJECT
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)

public:
    explicit TCustomControl(QWidget* parent = nullptr);

    bool tabStop() const;
    void setTabStop(bool tabStop);

Q_SIGNALS:
    void OnKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void OnKeyPress(QObject* Sender, QChar& Key);
    void OnKeyUp(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void OnEnter(QObject* Sender);
    void OnExit(QObject* Sender);

protected:
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar& key);
    virtual void KeyUp(int& key, Qt::KeyboardModifiers shift);
    virtual void DoEnter();
    virtual void DoExit();

    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
