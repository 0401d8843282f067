#include "controls/AccessibleOwnerCheck.h"

#include "controls/TOwnerCheck.h"
#include "framework/MessageDispatch.h"

AccessibleOwnerCheck::AccessibleOwnerCheck(TOwnerCheck* check)
    : QAccessibleWidget(check, QAccessible::CheckBox)
{
}

TOwnerCheck* AccessibleOwnerCheck::check() const
{
    return static_cast<TOwnerCheck*>(widget());
}

QAccessible::State AccessibleOwnerCheck::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = check()->state() == TOwnerCheck::cbChecked;
    state.checkStateMixed = check()->state() == TOwnerCheck::cbGrayed;
    state.pressed = check()->down();
    return state;
}

QStringList AccessibleOwnerCheck::actionNames() const
{
    return check()->isEnabled() ? QStringList{toggleAction()} : QStringList();
}

void AccessibleOwnerCheck::doAction(const QString& actionName)
{
    // Toggled as a click does, which raises OnClick.
    if (actionName == toggleAction() && check()->isEnabled())
        MessageDispatch::run([this] { check()->setChecked(!check()->checked()); });
}
