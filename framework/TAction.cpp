#include "framework/TAction.h"

#include "framework/TActionList.h"

TAction::TAction(QObject* parent) : QObject(parent) {}

TActionList* TAction::actionList() const
{
    return qobject_cast<TActionList*>(parent());
}

void TAction::Update()
{
    if (TActionList* list = actionList())
        list->update(this);
}

bool TAction::Execute()
{
    Update();
    if (!m_enabled)
        return false;
    Q_EMIT OnExecute(this);
    return true;
}
