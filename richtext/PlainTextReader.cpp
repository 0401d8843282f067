#include "richtext/PlainTextReader.h"

#include <QTextCursor>
#include <QTextDocument>

QString PlainTextReader::decode(QByteArrayView bytes)
{
    return QString::fromUtf8(bytes);
}

void PlainTextReader::read(QByteArrayView bytes, QTextDocument& document, const QTextCharFormat& format)
{
    document.clear();
    QTextCursor(&document).insertText(decode(bytes), format);
}
