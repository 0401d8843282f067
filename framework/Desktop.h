#pragma once

#include <QString>
#include <functional>

// The desktop services the controls use: the system beep and opening a document or address
// with the desktop's handler. Tests replace the handlers to observe the calls.
class Desktop {
public:
    using BeepHandler = std::function<void()>;
    using OpenHandler = std::function<bool(const QString& target)>;

    static void beep();
    // Opens target ("open" verb); the outcome is returned but callers may ignore it.
    static bool open(const QString& target);

    // Replace the handlers; an empty function restores the desktop's own. Return the previous.
    static BeepHandler setBeepHandler(BeepHandler handler);
    static OpenHandler setOpenHandler(OpenHandler handler);
};
