#include "richtext/HeadlessConverter.h"

#include "framework/AppError.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/FontSubstitutes.h"
#include "richtext/DocumentFile.h"
#include "richtext/DocumentFormat.h"
#include "richtext/PdfExporter.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextDocument>

#include <cstdio>
#include <memory>

namespace {
const char* const Usage =
    "Usage: lumaropad [FILE]\n"
    "       lumaropad --convert-to FORMAT [--outdir DIR] FILE...\n"
    "\n"
    "Without options, opens FILE in the editor.\n"
    "\n"
    "  --convert-to FORMAT  convert each FILE without opening a window; FORMAT is txt, rtf or pdf.\n"
    "                       The output is named after the input with the format's extension.\n"
    "  --outdir DIR         write the converted files to DIR (default: the current folder)\n"
    "  --help               show this help and exit\n"
    "  --version            show the version and exit\n";

// One output format of --convert-to. needsGui: the target lays out or measures text, which
// needs fonts and so a (headless) QGuiApplication.
struct Target {
    const char* name;
    bool needsGui;
    void (*convert)(const QString& input, const QString& output);
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(StringTable::format(StringId::CannotCreateFile, {path}));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(StringTable::format(StringId::FailedToSaveStream, {}));
}

void convertToText(const QString& input, const QString& output)
{
    QString text = DocumentFile::loadText(input);
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text.append(u'\n');
    writeFile(output, text.toUtf8());
}

void convertToRtf(const QString& input, const QString& output)
{
    QTextDocument document;
    DocumentFile::load(input, document, QTextCharFormat());
    DocumentFile::save(document, output);
}

// The editor's default attributes for new text, which plain text is shown in.
QTextCharFormat editorDefaultFormat()
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{QStringLiteral("MS Sans Serif")});
    DocumentFormat::setSizeTwips(format, 8 * DocumentFormat::TwipsPerPoint);
    return format;
}

void convertToPdf(const QString& input, const QString& output)
{
    QTextDocument document;
    DocumentFile::load(input, document, editorDefaultFormat());
    PdfExporter::write(document, output, input);
}

constexpr Target Targets[] = {
    {"txt", false, convertToText},
    {"rtf", false, convertToRtf},
    {"pdf", true, convertToPdf},
};

const Target* findTarget(const QString& name)
{
    for (const Target& target : Targets) {
        if (name == QLatin1String(target.name))
            return &target;
    }
    return nullptr;
}

void printError(const QString& message)
{
    std::fprintf(stderr, "lumaropad: %s\n", message.toLocal8Bit().constData());
}
} // namespace

bool HeadlessConverter::handles(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h" || arg == "--version" || arg == "--convert-to" ||
            arg.startsWith("--convert-to=") || arg == "--outdir" || arg.startsWith("--outdir="))
            return true;
    }
    return false;
}

int HeadlessConverter::run(int argc, char** argv)
{
    QString format;
    QString outDir = QStringLiteral(".");
    QStringList inputs;
    bool convert = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        auto value = [&](const QString& option) -> QString {
            if (arg.startsWith(option + u'='))
                return arg.mid(option.size() + 1);
            if (i + 1 < argc)
                return QString::fromLocal8Bit(argv[++i]);
            printError(QStringLiteral("%1 needs a value").arg(option));
            return {};
        };
        if (arg == u"--help" || arg == u"-h") {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (arg == u"--version") {
            std::printf("lumaropad %s\n", LUMARO_VERSION);
            return 0;
        }
        if (arg == u"--convert-to" || arg.startsWith(u"--convert-to=")) {
            convert = true;
            format = value(QStringLiteral("--convert-to"));
        } else if (arg == u"--outdir" || arg.startsWith(u"--outdir=")) {
            outDir = value(QStringLiteral("--outdir"));
            if (outDir.isEmpty())
                return 2;
        } else if (arg.startsWith(u"--")) {
            printError(QStringLiteral("unknown option %1").arg(arg));
            std::fputs(Usage, stderr);
            return 2;
        } else {
            inputs.append(arg);
        }
    }
    const Target* target = findTarget(format.toLower());
    if (!convert || !target) {
        printError(convert ? QStringLiteral("cannot convert to '%1': the formats are txt, rtf and pdf").arg(format)
                           : QStringLiteral("--outdir needs --convert-to"));
        return 2;
    }
    if (inputs.isEmpty()) {
        printError(QStringLiteral("no files to convert"));
        return 2;
    }
    if (!QDir().mkpath(outDir)) {
        printError(QStringLiteral("cannot create the folder %1").arg(outDir));
        return 1;
    }

    std::unique_ptr<QGuiApplication> application;
    if (target->needsGui) {
        qputenv("QT_QPA_PLATFORM", "offscreen"); // never a window, never a display
        application = std::make_unique<QGuiApplication>(argc, argv);
        FontSubstitutes::install();
    }

    int status = 0;
    for (const QString& input : inputs) {
        const QString output =
            QDir(outDir).filePath(QFileInfo(input).completeBaseName() + u'.' + QLatin1String(target->name));
        try {
            target->convert(input, output);
        } catch (const AppError& error) {
            printError(QStringLiteral("%1: %2").arg(input, error.message()));
            status = 1;
        } catch (const std::exception& error) {
            printError(QStringLiteral("%1: %2").arg(input, QString::fromLocal8Bit(error.what())));
            status = 1;
        }
    }
    return status;
}
