// Feeds arbitrary bytes to the RTF reader through its three sinks, whole and a few bytes at a
// time, and the document it builds through the writer and back: nothing may crash, leak past the
// sanitizers or be refused that started as RTF, reading in blocks gives the same document, and
// RTF written straight from the reader is the RTF the document is saved as.
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/RtfWriterSink.h"

#include <QBuffer>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString text;
    const bool rich = RtfReader::readText(bytes, text);

    QTextDocument document;
    if (RtfReader::read(bytes, document) != rich)
        std::abort();
    if (rich) {
        QByteArray owned(bytes.data(), bytes.size());
        QBuffer buffer(&owned);
        buffer.open(QIODevice::ReadOnly);
        QTextDocument blocks;
        const qsizetype blockSize = 1 + qsizetype(size % 13);
        if (!RtfReader::read(buffer, blocks, nullptr, blockSize) || RtfWriter::toRtf(blocks) != RtfWriter::toRtf(document))
            std::abort();
        RtfWriterSink straight(RtfEmitter::defaultFace(document.defaultFont()));
        if (!RtfReader::parse(bytes, straight) || (straight.complete() && straight.takeRtf() != RtfWriter::toRtf(document)))
            std::abort();
        QTextDocument copy;
        if (!RtfReader::read(RtfWriter::toRtf(document), copy) || copy.blockCount() != document.blockCount())
            std::abort(); // what we write, we read back with the same paragraphs
    }
    return 0;
}
