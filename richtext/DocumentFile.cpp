#include "richtext/DocumentFile.h"

#include "framework/AppError.h"
#include "framework/DurableFile.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "richtext/PlainTextReader.h"
#include "richtext/PlainTextWriter.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/RtfWriterSink.h"

#include <QFile>
#include <QTextDocument>

namespace {
void openForReading(QFile& file)
{
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(StringTable::format(StringId::CannotOpenFile, {file.fileName()}));
}

void checkRead(const QFile& file)
{
    if (file.error() != QFileDevice::NoError)
        throw AppError(StringTable::format(StringId::FailedToLoadStream, {}));
}
} // namespace

DocumentFile::Kind DocumentFile::load(const QString& path, QTextDocument& document,
                                      const QTextCharFormat& defaultFormat, PlainTextFormat* textFormat,
                                      ReadProgress* progress)
{
    QFile file(path);
    openForReading(file);
    QByteArray data;
    if (file.isSequential()) {
        // A pipe is read once, whole, for whichever reader takes it.
        data = file.readAll();
        checkRead(file);
        if (RtfReader::read(data, document, progress))
            return Kind::RichText;
    } else {
        // Rich text is read a block at a time: the file is never held whole beside the document.
        const bool rich = RtfReader::read(file, document, progress);
        checkRead(file);
        if (rich)
            return Kind::RichText;
        data = file.readAll();
        checkRead(file);
    }
    QString text = PlainTextReader::decode(data, textFormat);
    data = QByteArray(); // dropped before the document is built
    PlainTextReader::fill(std::move(text), document, defaultFormat, progress);
    return Kind::PlainText;
}

QString DocumentFile::loadText(const QString& path)
{
    QFile file(path);
    openForReading(file);
    QString text;
    if (file.isSequential()) {
        const QByteArray data = file.readAll();
        checkRead(file);
        return RtfReader::readText(data, text) ? text : PlainTextReader::decode(data);
    }
    const bool rich = RtfReader::readText(file, text);
    checkRead(file);
    if (rich)
        return text;
    const QByteArray data = file.readAll();
    checkRead(file);
    return PlainTextReader::decode(data);
}

void DocumentFile::save(const QTextDocument& document, const QString& path)
{
    DurableFile::write(path, [&](QIODevice& file) { return RtfWriter::write(document, file); });
}

bool DocumentFile::copyRichText(const QString& input, const QString& output, const QString& defaultFace)
{
    QFile file(input);
    openForReading(file);
    RtfWriterSink sink(defaultFace);
    // What we write is mostly a little longer than what others write.
    if (!file.isSequential())
        sink.reserve(file.size() * 2);
    const bool rich = RtfReader::parse(file, sink);
    checkRead(file);
    if (!rich || !sink.complete())
        return false;
    DurableFile::write(output, [&](QIODevice& device) { return sink.write(device); });
    return true;
}

void DocumentFile::saveText(const QTextDocument& document, const QString& path, const PlainTextFormat& format)
{
    DurableFile::write(path, PlainTextWriter::encode(document, format));
}
