#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do, read from its arguments with QCommandLineParser before any
// application object exists (so a wrong option never opens a window or needs a display):
//
//   lumaropad [--language ABBR] [FILE]                     the editor, with FILE when given
//   lumaropad --convert-to txt|rtf|pdf [--outdir DIR] FILE...   conversion without a window
//   lumaropad --help | --version
//
// "--" ends the options; "--outdir -" writes the one converted file to standard output. Qt's
// own window options (-platform, -style, -session, ...) are left for the application object.
class CommandLine {
public:
    enum class Action { OpenWindow, Convert, ShowHelp, ShowVersion, Refuse };

    // arguments as the process received them, the program name first.
    static CommandLine parse(const QStringList& arguments);

    Action action() const { return m_action; }
    // OpenWindow: the document to open ("" for none); further names are ignored.
    QString document() const { return m_files.isEmpty() ? QString() : m_files.constFirst(); }
    // Convert: the target format (lower case), the output folder and the files to convert.
    QString format() const { return m_format; }
    QString outputFolder() const { return m_outputFolder; }
    bool toStandardOutput() const { return m_outputFolder == standardStream(); }
    QStringList inputs() const { return m_files; }
    // OpenWindow: the language module's extension asked for with --language ("" for none).
    QString language() const { return m_language; }
    // OpenWindow: Qt's own options with their values, for the application object.
    QStringList qtArguments() const { return m_qtArguments; }
    // Refuse: what is wrong, for standard error.
    QString error() const { return m_error; }

    static QString helpText();
    static QString versionText();

    // The output folder that stands for standard output.
    static QString standardStream() { return QStringLiteral("-"); }

private:
    static CommandLine refused(const QString& error);

    Action m_action = Action::OpenWindow;
    QString m_format;
    QString m_outputFolder = QStringLiteral(".");
    QStringList m_files;
    QStringList m_qtArguments;
    QString m_language;
    QString m_error;
};
