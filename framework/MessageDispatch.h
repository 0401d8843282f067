#pragma once

#include <QString>
#include <exception>
#include <functional>

// Where Qt calls into our code (an event override, a slot on a Qt signal), the code runs
// through here, as the message dispatch of a window: a failure is shown in the error box and
// the program carries on; a silent abort shows nothing. No exception ever passes back into Qt.
// Events raised from our own code (a property set from code) are not guarded: their failures
// go to the code that raised them.
class MessageDispatch {
public:
    static void run(const std::function<void()>& body);
    // Shows a caught failure in the error box (nothing for a silent abort).
    static void report(std::exception_ptr failure);
    // The error box's text for a message: a "." is appended when the last character sorts
    // after ".".
    static QString errorBoxText(const QString& message);
};
