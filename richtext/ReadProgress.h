#pragma once

#include <QtGlobal>

// Lets whoever waits for a document being read follow it and stop it. The readers call report()
// now and then with the part of their input read so far; report() throws ReadCancelled to stop
// the read, which then leaves the document it was building unfinished (the caller discards it).
class ReadProgress {
public:
    virtual ~ReadProgress() = default;
    virtual void report(qint64 done, qint64 total) = 0;
};

// Thrown through a reader by ReadProgress::report() when the read is to stop.
struct ReadCancelled {};
