#include "richtext/PlainTextWriter.h"

#include "richtext/ParagraphPieces.h"
#include "richtext/PlainTextReader.h"
#include "richtext/Windows1252.h"

#include <QStringEncoder>
#include <QTextDocument>

namespace {
using Encoding = PlainTextFormat::Encoding;

// The text in Windows-1252, or nothing when it holds a character the code page has not.
bool toWindows1252(const QString& text, QByteArray& bytes)
{
    bytes.reserve(text.size());
    for (QChar c : text) {
        const int byte = c.unicode() < 0x80 ? c.unicode() : Windows1252::fromUnicode(c);
        if (byte < 0)
            return false;
        bytes.append(char(byte));
    }
    return true;
}

QByteArray encodeWith(QStringConverter::Encoding encoding, bool byteOrderMark, const QString& text)
{
    QStringEncoder encoder(encoding, byteOrderMark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return encoder.encode(text);
}

QByteArray encodeAs(QString text, const PlainTextFormat& format)
{
    if (format.lineBreak != QLatin1String("\n"))
        text.replace(u'\n', format.lineBreak);
    switch (format.encoding) {
    case Encoding::Utf16LittleEndian:
        return encodeWith(QStringConverter::Utf16LE, format.byteOrderMark, text);
    case Encoding::Utf16BigEndian:
        return encodeWith(QStringConverter::Utf16BE, format.byteOrderMark, text);
    case Encoding::Windows1252: {
        QByteArray bytes;
        if (toWindows1252(text, bytes))
            return bytes;
        return encodeWith(QStringConverter::Utf8, false, text);
    }
    case Encoding::Utf8:
        break;
    }
    return encodeWith(QStringConverter::Utf8, format.byteOrderMark, text);
}
} // namespace

QByteArray PlainTextWriter::encode(const QTextDocument& document, const PlainTextFormat& format)
{
    // Paragraph ends and line breaks alike end a line; nothing else of the text changes.
    QString text = ParagraphPieces::joined(document, 0, document.toRawText());
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return encode(std::move(text), format);
}

QByteArray PlainTextWriter::encode(QString text, const PlainTextFormat& format)
{
    QByteArray bytes = encodeAs(text, format);
    // Some texts would read back as other characters: Windows-1252 bytes that happen to be
    // valid UTF-8, a start that reads as a byte-order mark. With a mark of its own, UTF-8 reads
    // back exactly.
    if (PlainTextReader::decode(bytes) != text)
        bytes = encodeAs(std::move(text), PlainTextFormat{Encoding::Utf8, true, format.lineBreak});
    return bytes;
}
