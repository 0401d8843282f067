#include "BitmapFaces.h"

#include <QDir>
#include <QFile>

bool BitmapFaces::writeConfiguration(const QString& path)
{
    static const char Configuration[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="no">/etc/fonts/fonts.conf</include>
  <selectfont><acceptfont><pattern><patelt name="scalable"><bool>false</bool></patelt></pattern></acceptfont></selectfont>
</fontconfig>
)";
    QFile file(path);
    const qint64 size = qint64(sizeof(Configuration)) - 1;
    return file.open(QIODevice::WriteOnly) && file.write(Configuration, size) == size;
}

void BitmapFaces::showInThisProcess(const QString& folder)
{
    const QString config = QDir(folder).filePath(QStringLiteral("fonts.conf"));
    if (folder.isEmpty() || !writeConfiguration(config))
        qFatal("cannot write %s", qPrintable(config));
    qputenv("FONTCONFIG_FILE", QFile::encodeName(config));
}
