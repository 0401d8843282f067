#include "richtext/PlainTextReader.h"

#include "richtext/CodePageDecoder.h"
#include "richtext/ParagraphPieces.h"
#include "richtext/ReadProgress.h"
#include "richtext/Windows1252.h"

#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

namespace {
using Encoding = PlainTextFormat::Encoding;

// The length of the valid UTF-8 sequence at data (shortest form, no surrogates, at most
// U+10FFFF), 0 when there is none; code receives its code point.
qsizetype validSequence(const unsigned char* data, qsizetype left, char32_t& code)
{
    const unsigned char lead = data[0];
    qsizetype length;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        if ((data[i] & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (data[i] & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// Whether bytes that are not all valid UTF-8 are still mostly UTF-8: at least as many valid
// multi-byte sequences as bytes that start none.
bool mostlyUtf8(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    qsizetype valid = 0, invalid = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        if (data[i] < 0x80) {
            ++i;
            continue;
        }
        char32_t code;
        const qsizetype length = validSequence(data + i, bytes.size() - i, code);
        if (length > 0) {
            ++valid;
            i += length;
        } else {
            ++invalid;
            ++i;
        }
    }
    return valid > 0 && valid >= invalid;
}

// UTF-8 where it is valid; every other byte alone as Windows-1252.
QString decodeUtf8Leniently(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        if (data[i] < 0x80) {
            text.append(QLatin1Char(char(data[i++])));
            continue;
        }
        char32_t code;
        const qsizetype length = validSequence(data + i, bytes.size() - i, code);
        if (length > 0) {
            text.append(QChar::fromUcs4(code));
            i += length;
        } else {
            text.append(Windows1252::toUnicode(data[i++]));
        }
    }
    return text;
}

QString decodeEightBit(QByteArrayView bytes, bool byteOrderMark, Encoding& encoding)
{
    QByteArray withoutNul;
    if (bytes.contains('\0')) {
        withoutNul = bytes.toByteArray();
        withoutNul.removeIf([](char c) { return c == '\0'; });
        bytes = withoutNul;
    }
    // A mark at the start was taken off already: a U+FEFF there now is text.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    encoding = Encoding::Utf8;
    if (!utf8.hasError())
        return text;
    if (byteOrderMark || mostlyUtf8(bytes))
        return decodeUtf8Leniently(bytes);
    encoding = Encoding::Windows1252;
    text.clear();
    CodePageDecoder(1252).decode(bytes, text);
    return text;
}

QString decodeUtf16(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    text.removeIf([](QChar c) { return c.isNull(); });
    return text;
}

// Every CR LF, lone CR and lone LF becomes '\n'; returns the first of them as written.
QString unifyLineBreaks(QString& text)
{
    QString first;
    QChar* out = text.data();
    const QChar* in = text.constData();
    const QChar* end = in + text.size();
    while (in != end) {
        if (*in == u'\r') {
            *out++ = u'\n';
            ++in;
            const bool pair = in != end && *in == u'\n';
            if (pair)
                ++in;
            if (first.isEmpty())
                first = pair ? QStringLiteral("\r\n") : QStringLiteral("\r");
        } else {
            if (*in == u'\n' && first.isEmpty())
                first = QStringLiteral("\n");
            *out++ = *in++;
        }
    }
    text.truncate(out - text.constData());
    return first;
}
} // namespace

QString PlainTextReader::decode(QByteArrayView bytes, PlainTextFormat* format)
{
    PlainTextFormat found;
    QString text;
    if (bytes.startsWith("\xFF\xFE")) {
        found.encoding = Encoding::Utf16LittleEndian;
        found.byteOrderMark = true;
        text = decodeUtf16(bytes.sliced(2), QStringConverter::Utf16LE);
    } else if (bytes.startsWith("\xFE\xFF")) {
        found.encoding = Encoding::Utf16BigEndian;
        found.byteOrderMark = true;
        text = decodeUtf16(bytes.sliced(2), QStringConverter::Utf16BE);
    } else {
        found.byteOrderMark = bytes.startsWith("\xEF\xBB\xBF");
        text = decodeEightBit(found.byteOrderMark ? bytes.sliced(3) : bytes, found.byteOrderMark, found.encoding);
    }
    const QString lineBreak = unifyLineBreaks(text);
    if (!lineBreak.isEmpty())
        found.lineBreak = lineBreak;
    if (format)
        *format = found;
    return text;
}

void PlainTextReader::read(QByteArrayView bytes, QTextDocument& document, const QTextCharFormat& format,
                           PlainTextFormat* textFormat, ReadProgress* progress)
{
    fill(decode(bytes, textFormat), document, format, progress);
}

void PlainTextReader::fill(QString text, QTextDocument& document, const QTextCharFormat& format,
                           ReadProgress* progress)
{
    // Decoding is quick; building the paragraphs is what takes time, so the text goes in in
    // pieces and progress is told between them. The pieces go in from the end, each at the
    // start, so that the text can give back the memory of each piece once the document has it.
    constexpr qsizetype Piece = 256 * 1024;
    const qsizetype size = text.size();
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.setBlockCharFormat(format);
    while (!text.isEmpty()) {
        if (progress)
            progress->report(size - text.size(), size);
        // Every '\n' starts a paragraph.
        const qsizetype start = qMax<qsizetype>(0, text.size() - Piece);
        cursor.setPosition(0);
        cursor.insertText(QStringView(text).sliced(start).toString(), format);
        text.truncate(start);
        text.squeeze();
    }
    ParagraphPieces::cutLongParagraphs(document);
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}
