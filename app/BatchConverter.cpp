#include "app/BatchConverter.h"

#include "app/CommandLine.h"
#include "framework/AppError.h"
#include "framework/FontSubstitutes.h"
#include "richtext/HeadlessConverter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {
void printError(const QString& message)
{
    std::fprintf(stderr, "lumaropad: %s\n", message.toLocal8Bit().constData());
}

// One name for every way of writing a path to the same file: symbolic links and "..", also
// for a file that does not exist yet (its folder does).
QString fileKey(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : folder + u'/' + info.fileName();
}

bool copyToStandardOutput(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}
} // namespace

BatchConverter::BatchConverter(const CommandLine& line)
    : m_format(line.format()), m_folder(line.outputFolder()), m_toStandardOutput(line.toStandardOutput()),
      m_inputs(line.inputs())
{
}

QList<BatchConverter::Job> BatchConverter::plan(const QString& folder) const
{
    QSet<QString> inputKeys;
    for (const QString& input : m_inputs)
        inputKeys.insert(fileKey(input));

    QList<Job> jobs;
    QHash<QString, QString> claimedBy; // output key -> the input converted into it
    for (const QString& input : m_inputs) {
        Job job{input, QDir(folder).filePath(QFileInfo(input).completeBaseName() + u'.' + m_format), {}};
        const QString key = fileKey(job.output);
        if (key == fileKey(input)) {
            job.refusal = QStringLiteral("not converted: the output would replace the file itself");
        } else if (inputKeys.contains(key)) {
            job.refusal = QStringLiteral("not converted: its output %1 would replace another input file")
                              .arg(job.output);
        } else if (const auto earlier = claimedBy.constFind(key); earlier != claimedBy.constEnd()) {
            job.refusal = QStringLiteral("not converted: its output %1 would replace the one of %2")
                              .arg(job.output, *earlier);
        } else {
            claimedBy.insert(key, input);
        }
        jobs.append(job);
    }
    return jobs;
}

bool BatchConverter::convert(const Job& job) const
{
    try {
        HeadlessConverter::convert(m_format, job.input, job.output);
        return true;
    } catch (const AppError& error) {
        printError(QStringLiteral("%1: %2").arg(job.input, error.message()));
        return false;
    } catch (const std::exception& error) {
        printError(QStringLiteral("%1: %2").arg(job.input, QString::fromLocal8Bit(error.what())));
        return false;
    }
}

int BatchConverter::run(const char* programName)
{
    std::unique_ptr<QTemporaryDir> scratch;
    QString folder = m_folder;
    if (m_toStandardOutput) {
        scratch = std::make_unique<QTemporaryDir>();
        if (!scratch->isValid()) {
            printError(QStringLiteral("cannot create a scratch folder: %1").arg(scratch->errorString()));
            return 1;
        }
        folder = scratch->path();
    } else if (!QDir().mkpath(folder)) {
        printError(QStringLiteral("cannot create the folder %1").arg(folder));
        return 1;
    }

    std::unique_ptr<QGuiApplication> application;
    if (HeadlessConverter::needsFonts(m_format)) {
        // Fonts need an application object, but never a window or a display. Only the program
        // name is passed: file names are not Qt's options.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char* argv[] = {const_cast<char*>(programName), nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
        FontSubstitutes::install();
    }

    int status = 0;
    for (const Job& job : plan(folder)) {
        if (!job.refusal.isEmpty()) {
            printError(QStringLiteral("%1: %2").arg(job.input, job.refusal));
            status = 1;
            continue;
        }
        if (!convert(job)) {
            status = 1;
        } else if (m_toStandardOutput && !copyToStandardOutput(job.output)) {
            printError(QStringLiteral("%1: cannot write to standard output").arg(job.input));
            status = 1;
        }
    }
    return status;
}
