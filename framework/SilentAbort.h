#pragma once

#include <exception>

// Ends the current command without a message: raised when the user answers Cancel.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};
