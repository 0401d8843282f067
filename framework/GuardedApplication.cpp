#include "framework/GuardedApplication.h"

#include "framework/MessageDispatch.h"

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        MessageDispatch::report(std::current_exception());
        return false;
    }
}
