#include "richtext/DocumentFile.h"

#include "framework/AppError.h"
#include "framework/DurableFile.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "richtext/PlainTextReader.h"
#include "richtext/PlainTextWriter.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QFile>
#include <QTextDocument>

namespace {
// The whole file, read before the document is touched so that a failure leaves it as it was.
QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(StringTable::format(StringId::CannotOpenFile, {path}));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(StringTable::format(StringId::FailedToLoadStream, {}));
    return data;
}
} // namespace

DocumentFile::Kind DocumentFile::load(const QString& path, QTextDocument& document,
                                      const QTextCharFormat& defaultFormat, PlainTextFormat* textFormat,
                                      ReadProgress* progress)
{
    const QByteArray data = readFile(path);
    if (RtfReader::read(data, document, progress))
        return Kind::RichText;
    PlainTextReader::read(data, document, defaultFormat, textFormat, progress);
    return Kind::PlainText;
}

QString DocumentFile::loadText(const QString& path)
{
    const QByteArray data = readFile(path);
    QString text;
    if (RtfReader::readText(data, text))
        return text;
    return PlainTextReader::decode(data);
}

void DocumentFile::save(const QTextDocument& document, const QString& path)
{
    DurableFile::write(path, [&](QIODevice& file) { return RtfWriter::write(document, file); });
}

void DocumentFile::saveText(const QTextDocument& document, const QString& path, const PlainTextFormat& format)
{
    DurableFile::write(path, PlainTextWriter::encode(document, format));
}
