#include "framework/TAction.h"

#include "framework/TActionList.h"

TAction::TAction(QObject* parent) : QObject(parent) {}

TActionList* TAction::actionList() const
{
    return qobject_cast<TActionList*>(parent());
}

bool TAction::Execute()
{
    if (TActionList* list = actionList())
        list->update(this);
    if (!m_enabled)
        return false;
    Q_EMIT OnExecute(this);
    return true;
}
