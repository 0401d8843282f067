#include "app/BatchConverter.h"
#include "app/CommandLine.h"
#include "app/MainProgram.h"

#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine line = CommandLine::parse(arguments);
    switch (line.action()) {
    case CommandLine::Action::ShowHelp:
        std::fputs(CommandLine::helpText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Action::ShowVersion:
        std::fputs(CommandLine::versionText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Action::Refuse:
        std::fprintf(stderr, "lumaropad: %s\nTry 'lumaropad --help' for more information.\n",
                     line.error().toLocal8Bit().constData());
        return 2;
    case CommandLine::Action::Convert:
        return BatchConverter(line).run(argv[0]);
    case CommandLine::Action::OpenWindow:
        break;
    }
    return MainProgram::run(argv[0], line);
}
