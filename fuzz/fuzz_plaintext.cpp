// Feeds arbitrary bytes to the plain-text decoder and into a document: every line break comes
// out as '\n', no zero character survives, nothing grows beyond one character per byte, and the
// document holds exactly the decoded characters.
#include "richtext/PlainTextReader.h"

#include <QTextCharFormat>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = PlainTextReader::decode(bytes);
    if (text.size() > bytes.size() || text.contains(u'\r') || text.contains(QChar(0)))
        std::abort();

    QTextDocument document;
    PlainTextReader::read(bytes, document, QTextCharFormat());
    if (document.characterCount() - 1 != text.size())
        std::abort();
    return 0;
}
