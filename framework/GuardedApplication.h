#pragma once

#include <QApplication>

// The program's application object: a failure that escapes every handler is still shown in
// the error box instead of ending the program.
class GuardedApplication : public QApplication {
    Q_OBJECT
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
