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
    MessageDispatch::run([&] {
        int key = event->key();
        KeyDown(key, event->modifiers());
        const QString text = event->text();
        for (QChar c : text) {
            QChar ch = c;
            KeyPress(ch);
        }
    });
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
