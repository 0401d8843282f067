#include "framework/TCustomControl.h"

#include "framework/MessageDispatch.h"

#include <QKeyEvent>

TCustomControl::TCustomControl(QWidget* parent) : TControl(parent)
{
    setFocusPolicy(Qt::ClickFocus);
}

bool TCustomControl::tabStop() const
{
    return focusPolicy() & Qt::TabFocus;
}

void TCustomControl::setTabStop(bool tabStop)
{
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TCustomControl::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    Q_EMIT OnKeyDown(this, key, shift);
}

void TCustomControl::KeyPress(QChar& key)
{
    Q_EMIT OnKeyPress(this, key);
}

void TCustomControl::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    Q_EMIT OnKeyUp(this, key, shift);
}

void TCustomControl::DoEnter()
{
    Q_EMIT OnEnter(this);
}

void TCustomControl::DoExit()
{
    Q_EMIT OnExit(this);
}

void TCustomControl::keyPressEvent(QKeyEvent* event)
{
    bool cleared = false;
    MessageDispatch::run([&] {
        int key = event->key();
        KeyDown(key, event->modifiers());
        cleared = key == 0;
        const QString text = event->text();
        for (QChar c : text) {
            QChar ch = c;
            KeyPress(ch);
            cleared = cleared || ch.isNull();
        }
    });
    // Escape is also the window's key (it closes a modal window as its close box does): once
    // the control has had it and left it alone, it goes on to the window.
    if (event->key() == Qt::Key_Escape && !cleared)
        event->ignore();
}

void TCustomControl::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;
    MessageDispatch::run([&] {
        int key = event->key();
        KeyUp(key, event->modifiers());
    });
}

void TCustomControl::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    MessageDispatch::run([&] { DoEnter(); });
}

void TCustomControl::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    MessageDispatch::run([&] { DoExit(); });
}
