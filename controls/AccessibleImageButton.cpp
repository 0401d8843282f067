#include "controls/AccessibleImageButton.h"

#include "controls/TLumaroLButton.h"
#include "framework/MessageDispatch.h"

AccessibleImageButton::AccessibleImageButton(TLumaroLButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

TLumaroLButton* AccessibleImageButton::button() const
{
    return static_cast<TLumaroLButton*>(widget());
}

QAccessible::State AccessibleImageButton::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = button()->pressed();
    return state;
}

QStringList AccessibleImageButton::actionNames() const
{
    return button()->isEnabled() ? QStringList{pressAction()} : QStringList();
}

void AccessibleImageButton::doAction(const QString& actionName)
{
    if (actionName == pressAction() && button()->isEnabled())
        MessageDispatch::run([this] { button()->Press(); });
}
