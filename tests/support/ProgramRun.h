#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The built program run as a separate process, as a script runs it: in a given folder, without
// any display, to its end.
struct ProgramRun {
    int exitCode = -1; // -1 when it did not end normally within a minute
    QByteArray out;
    QString err;

    static ProgramRun run(const QString& program, const QStringList& arguments, const QString& folder,
                          const QProcessEnvironment& extra = QProcessEnvironment());
};
