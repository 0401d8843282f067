#pragma once

#include <QAccessibleWidget>

class TLumaroLButton;

// What assistive technology sees of an image button: a push button that can be pressed, named
// and described by the window (accessibleName and accessibleDescription, else its hint).
class AccessibleImageButton : public QAccessibleWidget {
public:
    explicit AccessibleImageButton(TLumaroLButton* button);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    TLumaroLButton* button() const;
};
