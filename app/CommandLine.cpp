#include "app/CommandLine.h"

#include "app/ReInit.h"
#include "richtext/HeadlessConverter.h"

#include <QCommandLineParser>

namespace {
// Qt's own options of a windowed application, which the application object reads itself.
const char* const QtOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "display",       "name",   "session",
    "style",       "stylesheet",         "geometry",      "title"};
const char* const QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QCommandLineOption hidden(QCommandLineOption option)
{
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}
} // namespace

CommandLine CommandLine::refused(const QString& error)
{
    CommandLine line;
    line.m_action = Action::Refuse;
    line.m_error = error;
    return line;
}

CommandLine CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's options are written with one dash ("-platform xcb").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption convertTo(QStringLiteral("convert-to"), QString(), QStringLiteral("FORMAT"));
    const QCommandLineOption outdir(QStringLiteral("outdir"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption language(QStringLiteral("language"), QString(), QStringLiteral("ABBR"));
    parser.addOptions({help, version, convertTo, outdir, language});
    for (const char* name : QtOptionsWithValue)
        parser.addOption(
            hidden(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value"))));
    for (const char* name : QtFlags)
        parser.addOption(hidden(QCommandLineOption(QString::fromLatin1(name), QString())));

    if (!parser.parse(arguments))
        return refused(parser.errorText());
    if (parser.isSet(help)) {
        CommandLine line;
        line.m_action = Action::ShowHelp;
        return line;
    }
    if (parser.isSet(version)) {
        CommandLine line;
        line.m_action = Action::ShowVersion;
        return line;
    }

    CommandLine line;
    line.m_files = parser.positionalArguments();
    if (!parser.isSet(convertTo)) {
        if (parser.isSet(outdir))
            return refused(QStringLiteral("--outdir needs --convert-to"));
        if (parser.isSet(language)) {
            line.m_language = parser.values(language).constLast();
            // The value becomes part of a file name beside the program.
            if (!ReInit::isModuleExtension(line.m_language))
                return refused(
                    QStringLiteral("--language needs a language module's extension of 1 to 4 letters, "
                                   "such as DEU or FRA"));
        }
        for (const char* name : QtOptionsWithValue) {
            for (const QString& value : parser.values(QString::fromLatin1(name)))
                line.m_qtArguments << u'-' + QString::fromLatin1(name) << value;
        }
        for (const char* name : QtFlags) {
            if (parser.isSet(QString::fromLatin1(name)))
                line.m_qtArguments << u'-' + QString::fromLatin1(name);
        }
        return line;
    }

    if (parser.isSet(language))
        return refused(QStringLiteral("--language is for the editor, not for --convert-to"));
    line.m_action = Action::Convert;
    const QStringList formats = parser.values(convertTo);
    line.m_format = formats.constLast().toLower();
    if (!HeadlessConverter::formats().contains(line.m_format)) {
        return refused(
            QStringLiteral("cannot convert to '%1': the formats are %2")
                .arg(formats.constLast(), HeadlessConverter::formats().join(QStringLiteral(", "))));
    }
    if (parser.isSet(outdir)) {
        line.m_outputFolder = parser.values(outdir).constLast();
        if (line.m_outputFolder.isEmpty())
            return refused(QStringLiteral("--outdir needs a folder"));
    }
    if (line.m_files.isEmpty())
        return refused(QStringLiteral("no files to convert"));
    if (line.toStandardOutput() && line.m_files.size() != 1) {
        return refused(QStringLiteral("--outdir - writes one converted file to standard output, not %1")
                           .arg(line.m_files.size()));
    }
    return line;
}

QString CommandLine::helpText()
{
    return QStringLiteral(
        "Usage: lumaropad [--language ABBR] [FILE]\n"
        "       lumaropad --convert-to FORMAT [--outdir DIR] FILE...\n"
        "\n"
        "Without --convert-to, opens FILE in the editor: rich text (RTF), or any other file as\n"
        "plain text.\n"
        "\n"
        "  --convert-to FORMAT  convert each FILE without opening a window; FORMAT is txt, rtf or pdf.\n"
        "                       The output is named after the input with the format's extension.\n"
        "                       An output that would replace one of the input files, or the output\n"
        "                       of another input, is refused; the other files are still converted.\n"
        "  --outdir DIR         write the converted files to DIR (default: the current folder);\n"
        "                       with \"-\" the one converted file goes to standard output\n"
        "  --language ABBR      open the editor in the language of module lumaropad.ABBR\n"
        "                       (DEU German, FRA French, ENU English), whatever the locale\n"
        "  -h, --help           show this help and exit\n"
        "  -v, --version        show the version and exit\n"
        "  --                   end of the options: the names after it may start with \"-\"\n"
        "\n"
        "Qt's own window options (-platform, -style, -session, ...) are passed on to Qt.\n"
        "\n"
        "Exit status: 0 when everything was done, 1 when a file could not be converted (or no\n"
        "window could be opened), 2 for a wrong command line.\n");
}

QString CommandLine::versionText()
{
    return QStringLiteral("lumaropad " LUMARO_VERSION "\n");
}
