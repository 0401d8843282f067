#pragma once

#include "ScriptedDialogs.h"
#include "app/TMainForm.h"

#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class TCustomRichEdit;

// A main window made the way the program makes it, with scripted dialogs, a program folder,
// a working folder and a home folder (with a documents folder) of its own. Files given as
// programFiles (name -> data) lie beside the program from the start, so the start-up lookup
// finds language modules among them. It writes no recovery copies until a test sets the
// delays.
class MainWindowFixture {
public:
    explicit MainWindowFixture(const QStringList& arguments = {}, int localeId = 1033,
                               const QMap<QString, QByteArray>& programFiles = {});
    ~MainWindowFixture();

    TMainForm& form() { return *m_form; }
    TCustomRichEdit& editor();
    ScriptedDialogs& dialogs() { return *m_dialogs; }
    // The folder the test works in (the current folder while the fixture lives).
    QString folder() const { return m_folder.path(); }
    QString path(const QString& name) const { return m_folder.filePath(name); }
    QString programFolder() const { return m_programFolder.path(); }
    QString documentsFolder() const { return m_home.filePath(QStringLiteral("Documents")); }

    // Shows the window as the message loop does and waits until it is on screen and active, and
    // until a document named on the command line has loaded.
    void show();
    // Waits until the document being loaded is shown (or its load has failed or was cancelled).
    void waitForLoad();
    // Types text into the editor as the user does.
    void type(const QString& text);
    QString panelText(int panel) const;
    QString documentText();

    static void writeFile(const QString& path, const QByteArray& data);
    static QByteArray readFile(const QString& path);

private:
    ScriptedDialogs::Scope m_dialogs;
    QTemporaryDir m_folder;
    QTemporaryDir m_programFolder;
    QTemporaryDir m_home;
    QString m_previousFolder;
    QByteArray m_previousHome;
    QByteArray m_previousConfigHome;
    std::unique_ptr<TMainForm> m_form;
};
