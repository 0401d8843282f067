#include "richtext/RtfReader.h"

#include <QIODevice>
#include <QTextDocument>

bool RtfReader::looksLikeRtf(QByteArrayView data)
{
    return data.startsWith("{\\rtf");
}

bool RtfReader::parse(QByteArrayView data, RtfSink&)
{
    return looksLikeRtf(data);
}

bool RtfReader::read(QByteArrayView data, QTextDocument&)
{
    return looksLikeRtf(data);
}

bool RtfReader::read(QIODevice& device, QTextDocument& document)
{
    return read(device.readAll(), document);
}

bool RtfReader::readText(QByteArrayView data, QString&)
{
    return looksLikeRtf(data);
}
