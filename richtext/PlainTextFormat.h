#pragma once

#include <QString>

// How a plain-text file was written, so that saving it again writes it the same way.
struct PlainTextFormat {
    enum class Encoding { Utf8, Utf16LittleEndian, Utf16BigEndian, Windows1252 };
    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false;
    QString lineBreak = QStringLiteral("\n"); // the file's first line break

    bool operator==(const PlainTextFormat&) const = default;
};
