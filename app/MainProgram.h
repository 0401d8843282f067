#pragma once

// The program with its window: sets the application title, creates the main window from its
// layout, shows it and runs the message loop until the main window has closed.
class MainProgram {
public:
    static int run(int argc, char** argv);
};
