#pragma once

#include <QAccessibleWidget>

class TOwnerCheck;

// What assistive technology sees of the owner-drawn check box: a check box whose state it reads
// and toggles, named and described by the window.
class AccessibleOwnerCheck : public QAccessibleWidget {
public:
    explicit AccessibleOwnerCheck(TOwnerCheck* check);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    TOwnerCheck* check() const;
};
