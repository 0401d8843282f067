#pragma once

#include <QList>
#include <QString>

class CommandLine;

// Converts the files a command line names, one after the other. Before anything is written,
// every output that would replace one of the input files, or the output of an earlier input,
// is refused with its reason; a file that is refused or fails is reported on standard error and
// the others are still converted. "--outdir -" sends the one converted file to standard output.
class BatchConverter {
public:
    explicit BatchConverter(const CommandLine& line);

    // 0 when every file was converted, 1 otherwise.
    int run(const char* programName);

private:
    struct Job {
        QString input;
        QString output;  // where the converted file goes
        QString refusal; // why the file is not converted; empty when it is
    };

    // Names each input's output in folder and refuses the ones that would overwrite.
    QList<Job> plan(const QString& folder) const;
    bool convert(const Job& job) const;

    QString m_format;
    QString m_folder;
    bool m_toStandardOutput = false;
    QStringList m_inputs;
};
