#include "richtext/RtfWriter.h"

#include <QIODevice>

QByteArray RtfWriter::toRtf(const QTextDocument&)
{
    return "{\\rtf1\\ansi }";
}

bool RtfWriter::write(const QTextDocument& document, QIODevice& device)
{
    const QByteArray bytes = toRtf(document);
    return device.write(bytes) == bytes.size();
}
