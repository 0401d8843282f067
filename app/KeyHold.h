#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class QEvent;
class QKeyEvent;
class QWidget;

// Holds the keys typed into a control while it cannot take them (its document is being
// replaced) and delivers them, in order, once it can: nothing typed is lost. The window's
// shortcuts are not held (they are taken before the control sees the key). A key that the
// interceptor takes (Escape to cancel) is used up instead of held.
class KeyHold : public QObject {
    Q_OBJECT

public:
    using Interceptor = std::function<bool(const QKeyEvent& event)>;

    KeyHold(QWidget* control, Interceptor interceptor);
    ~KeyHold() override;

    void hold();
    // Stops holding and delivers what was held.
    void release();
    bool holding() const { return m_holding; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_control;
    Interceptor m_interceptor;
    bool m_holding = false;
    std::vector<std::unique_ptr<QEvent>> m_held;
};
