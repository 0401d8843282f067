#include "ProgramRun.h"

#include <QProcess>

ProgramRun ProgramRun::run(const QString& program, const QStringList& arguments, const QString& folder,
                           const QProcessEnvironment& extra)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // It must need none.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(extra);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProgramRun result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        result.err = QStringLiteral("did not finish normally");
        return result;
    }
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}
