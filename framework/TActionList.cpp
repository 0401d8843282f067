#include "framework/TActionList.h"

#include "framework/TAction.h"

#include <QKeyEvent>

TActionList::TActionList(QObject* parent) : QObject(parent) {}

QList<TAction*> TActionList::actions() const
{
    return findChildren<TAction*>(QString(), Qt::FindDirectChildrenOnly);
}

void TActionList::update(TAction* action)
{
    bool handled = false;
    Q_EMIT OnUpdate(action, handled);
}

int TActionList::shortCutOf(const QKeyEvent& event)
{
    const int key = event.key();
    int vk = 0;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        vk = 'A' + (key - Qt::Key_A);
    else if (key >= Qt::Key_0 && key <= Qt::Key_9)
        vk = '0' + (key - Qt::Key_0);
    else if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        vk = 0x70 + (key - Qt::Key_F1);
    else {
        switch (key) {
        case Qt::Key_Backspace: vk = 0x08; break;
        case Qt::Key_Tab: vk = 0x09; break;
        case Qt::Key_Return:
        case Qt::Key_Enter: vk = 0x0D; break;
        case Qt::Key_Escape: vk = 0x1B; break;
        case Qt::Key_Space: vk = 0x20; break;
        case Qt::Key_PageUp: vk = 0x21; break;
        case Qt::Key_PageDown: vk = 0x22; break;
        case Qt::Key_End: vk = 0x23; break;
        case Qt::Key_Home: vk = 0x24; break;
        case Qt::Key_Left: vk = 0x25; break;
        case Qt::Key_Up: vk = 0x26; break;
        case Qt::Key_Right: vk = 0x27; break;
        case Qt::Key_Down: vk = 0x28; break;
        case Qt::Key_Insert: vk = 0x2D; break;
        case Qt::Key_Delete: vk = 0x2E; break;
        default: return 0;
        }
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers.testFlag(Qt::ShiftModifier))
        vk |= 0x2000;
    if (modifiers.testFlag(Qt::ControlModifier))
        vk |= 0x4000;
    if (modifiers.testFlag(Qt::AltModifier))
        vk |= 0x8000;
    return vk;
}

TAction* TActionList::actionForShortCut(QObject* window, const QKeyEvent& event)
{
    const int shortCut = shortCutOf(event);
    if (shortCut == 0)
        return nullptr;
    for (TActionList* list : window->findChildren<TActionList*>()) {
        for (TAction* action : list->actions()) {
            if (action->shortCut() == shortCut)
                return action;
        }
    }
    return nullptr;
}
