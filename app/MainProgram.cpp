#include "app/MainProgram.h"

#include "app/CommandLine.h"
#include "app/ComponentClasses.h"
#include "app/ReInit.h"
#include "app/StartupEnvironment.h"
#include "app/TMainForm.h"
#include "framework/FontSubstitutes.h"
#include "framework/GuardedApplication.h"
#include "framework/MessageDispatch.h"
#include "framework/StringTable.h"
#include "framework/TApplication.h"

#include <QByteArrayList>

#include <cstdio>
#include <memory>
#include <vector>

namespace {
// Qt ends the process when its window system cannot be reached; without any display named,
// say so instead, before trying.
bool displayNamed(const CommandLine& line)
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           line.qtArguments().contains(QStringLiteral("-platform")) ||
           line.qtArguments().contains(QStringLiteral("-display"));
}
} // namespace

int MainProgram::run(const char* programName, const CommandLine& line)
{
    if (!displayNamed(line)) {
        std::fputs("lumaropad: cannot open a window: no display (neither DISPLAY nor WAYLAND_DISPLAY is set);\n"
                   "use --convert-to to convert files without one\n",
                   stderr);
        return 1;
    }
    // The application object sees the program name and Qt's own options only: a document's
    // name is never taken for one of them.
    QByteArrayList storage{QByteArray(programName)};
    for (const QString& argument : line.qtArguments())
        storage.append(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int argc = int(storage.size());

    GuardedApplication application(argc, argv.data());
    QApplication::setApplicationVersion(QStringLiteral(LUMARO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.lumaro.Notepad"));
    StartupEnvironment::initialise(QCoreApplication::applicationFilePath(), line.inputs(), line.language());
    ReInit::SetResourceModule(ReInit::LoadStartupLanguageModule(StartupEnvironment::programPath()));
    FontSubstitutes::install();
    registerComponentClasses();
    TApplication::instance().setTitle(QStringLiteral("LumaroStyle Notepad"));

    std::unique_ptr<TMainForm> mainForm;
    try {
        mainForm = createMainForm();
    } catch (...) {
        MessageDispatch::report(std::current_exception());
        return 1;
    }
    // The desktop's own dialogs show the program's icon too.
    QApplication::setWindowIcon(mainForm->windowIcon());
    mainForm->show();
    QApplication::setQuitOnLastWindowClosed(true);
    QApplication::exec();
    return 0;
}

std::unique_ptr<TMainForm> MainProgram::createMainForm()
{
    StringTable::check();
    return std::unique_ptr<TMainForm>(TForm::create<TMainForm>());
}
