#pragma once

#include <memory>

class CommandLine;
class TMainForm;

// The program with its window: sets the application title, creates the main window from its
// layout, shows it and runs the message loop until the main window has closed.
class MainProgram {
public:
    // line asks for the window (CommandLine::Action::OpenWindow). Without a display to open it
    // on, says so and returns 1.
    static int run(const char* programName, const CommandLine& line);
    // The main window from its layout; AppError when the resources it is made of are damaged
    // (its layout, or the string table all its texts come from).
    static std::unique_ptr<TMainForm> createMainForm();
};
