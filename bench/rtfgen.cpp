// Writes a generated RTF document: rtfgen SIZE_MB OUTPUT [SEED]
#include "bench/RtfGenerator.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SIZE_MB OUTPUT [SEED]\n", argv[0]);
        return 2;
    }
    const double megabytes = std::atof(argv[1]);
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (megabytes <= 0 || !file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    const unsigned seed = argc > 3 ? unsigned(std::atoi(argv[3])) : 1;
    const QByteArray rtf = RtfGenerator::generate(qsizetype(megabytes * 1024 * 1024), seed);
    return file.write(rtf) == rtf.size() ? 0 : 1;
}
