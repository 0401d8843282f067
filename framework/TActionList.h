#pragma once

#include <QList>
#include <QObject>

class QKeyEvent;
class TAction;

// A list of actions (its children). A key pressed anywhere in the window is offered to the
// window's lists in creation order; the first action whose shortcut matches is executed and,
// when it ran, the key is consumed; a disabled action leaves the key to the focused control.
class TActionList : public QObject {
    Q_OBJECT
public:
    explicit TActionList(QObject* parent = nullptr);

    QList<TAction*> actions() const;
    // Runs OnUpdate for the action.
    void update(TAction* action);

    // The 16-bit shortcut value of a key press, 0 for keys without one.
    static int shortCutOf(const QKeyEvent& event);
    // The first action of window's lists, in creation order, whose shortcut is the key's.
    static TAction* actionForShortCut(QObject* window, const QKeyEvent& event);

Q_SIGNALS:
    void OnUpdate(QObject* Action, bool& Handled);
};
