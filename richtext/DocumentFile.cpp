#include "richtext/DocumentFile.h"

DocumentFile::Kind DocumentFile::load(const QString&, QTextDocument&, const QTextCharFormat&)
{
    return Kind::PlainText;
}

QString DocumentFile::loadText(const QString&)
{
    return {};
}

void DocumentFile::save(const QTextDocument&, const QString&) {}
