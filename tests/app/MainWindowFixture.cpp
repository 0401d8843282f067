#include "MainWindowFixture.h"

#include "app/ComponentClasses.h"
#include "app/ReInit.h"
#include "app/RecoveryWriter.h"
#include "app/StartupEnvironment.h"
#include "framework/TApplication.h"
#include "framework/TStatusBar.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <limits>

MainWindowFixture::MainWindowFixture(const QStringList& arguments, int localeId,
                                     const QMap<QString, QByteArray>& programFiles)
    : m_previousFolder(QDir::currentPath()),
      m_previousHome(qgetenv("HOME")),
      m_previousConfigHome(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    QDir(m_home.path()).mkdir(QStringLiteral("Documents"));
    static const bool registered = [] {
        registerComponentClasses();
        TApplication::instance().setTitle(QStringLiteral("LumaroStyle Notepad"));
        return true;
    }();
    Q_UNUSED(registered);
    QDir::setCurrent(m_folder.path());
    StartupEnvironment::setProgramPath(m_programFolder.filePath(QStringLiteral("lumaropad")));
    StartupEnvironment::setArguments(arguments);
    StartupEnvironment::setLocaleId(localeId);
    for (auto it = programFiles.cbegin(); it != programFiles.cend(); ++it)
        writeFile(m_programFolder.filePath(it.key()), it.value());
    ReInit::SetResourceModule(ReInit::LoadStartupLanguageModule(StartupEnvironment::programPath()));
    m_form.reset(TForm::create<TMainForm>());
    // No recovery copies unless a test asks for them: a copy left by one test would be offered
    // by the next window.
    m_form->recoveryWriter()->setDelays(std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
}

MainWindowFixture::~MainWindowFixture()
{
    m_form.reset();
    ReInit::SetResourceModule(nullptr);
    QDir::setCurrent(m_previousFolder);
    qputenv("HOME", m_previousHome);
    if (m_previousConfigHome.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", m_previousConfigHome);
}

TCustomRichEdit& MainWindowFixture::editor()
{
    return *m_form->editor();
}

void MainWindowFixture::show()
{
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    waitForLoad();
}

void MainWindowFixture::waitForLoad()
{
    if (!m_form->loading())
        return;
    QSignalSpy ended(m_form.get(), &TMainForm::loadEnded);
    QVERIFY(ended.wait(30000));
}

void MainWindowFixture::type(const QString& text)
{
    QTest::keyClicks(&editor(), text);
}

QString MainWindowFixture::panelText(int panel) const
{
    return m_form->statusBar()->panels()->item(panel)->text();
}

QString MainWindowFixture::documentText()
{
    return editor().lines()->text();
}

void MainWindowFixture::writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QByteArray MainWindowFixture::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
