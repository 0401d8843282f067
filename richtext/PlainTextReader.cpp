#include "richtext/PlainTextReader.h"

#include "richtext/CodePageDecoder.h"

#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

QString PlainTextReader::decode(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QByteArray withoutNul;
    if (bytes.contains('\0')) {
        withoutNul = bytes.toByteArray();
        withoutNul.removeIf([](char c) { return c == '\0'; });
        bytes = withoutNul;
    }

    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text.clear();
        CodePageDecoder(1252).decode(bytes, text);
    }

    // CR LF, lone CR and lone LF each end one line.
    QChar* out = text.data();
    const QChar* in = text.constData();
    const QChar* end = in + text.size();
    while (in != end) {
        if (*in == u'\r') {
            *out++ = u'\n';
            ++in;
            if (in != end && *in == u'\n')
                ++in;
        } else {
            *out++ = *in++;
        }
    }
    text.truncate(out - text.constData());
    return text;
}

void PlainTextReader::read(QByteArrayView bytes, QTextDocument& document, const QTextCharFormat& format)
{
    const QString text = decode(bytes);
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    cursor.setBlockCharFormat(format);
    cursor.insertText(text, format); // every '\n' starts a paragraph
    document.setUndoRedoEnabled(undo);
}
