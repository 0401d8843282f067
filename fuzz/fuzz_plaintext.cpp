// Feeds arbitrary bytes to the plain-text decoder, into a document, and back through the writer
// in the format the file was read in: every line break comes out as '\n', no zero character
// survives, nothing grows beyond one character per byte, the document holds exactly the decoded
// characters, and the text saved back reads back the same.
#include "richtext/PlainTextReader.h"
#include "richtext/PlainTextWriter.h"

#include <QTextCharFormat>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    PlainTextFormat format;
    const QString text = PlainTextReader::decode(bytes, &format);
    if (text.size() > bytes.size() || text.contains(u'\r') || text.contains(QChar(0)))
        std::abort();

    QTextDocument document;
    PlainTextReader::read(bytes, document, QTextCharFormat());
    if (document.characterCount() - 1 != text.size())
        std::abort();

    if (PlainTextReader::decode(PlainTextWriter::encode(text, format)) != text)
        std::abort(); // saving a text file again loses nothing of it
    return 0;
}
