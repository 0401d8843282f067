#include "app/MainProgram.h"

#include "app/ComponentClasses.h"
#include "app/StartupEnvironment.h"
#include "app/TMainForm.h"
#include "framework/FontSubstitutes.h"
#include "framework/GuardedApplication.h"
#include "framework/MessageDispatch.h"
#include "framework/TApplication.h"

#include <memory>

int MainProgram::run(int argc, char** argv)
{
    GuardedApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(LUMARO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.lumaro.Notepad"));
    StartupEnvironment::initialise(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1));
    FontSubstitutes::install();
    registerComponentClasses();
    TApplication::instance().setTitle(QStringLiteral("LumaroStyle Notepad"));

    std::unique_ptr<TMainForm> mainForm;
    try {
        mainForm.reset(TForm::create<TMainForm>());
    } catch (...) {
        MessageDispatch::report(std::current_exception());
        return 1;
    }
    mainForm->show();
    QApplication::setQuitOnLastWindowClosed(true);
    QApplication::exec();
    return 0;
}
