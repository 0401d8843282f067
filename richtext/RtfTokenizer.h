#pragma once

#include <QByteArrayView>

// Splits RTF bytes into tokens without copying or allocating: views into the data for text
// runs and control-word names. Line breaks in the data are not text and are dropped.
// A control word's name longer than MaxWordLength is reported as too long (and ignored by the
// reader); numbers saturate at the limits of int.
class RtfTokenizer {
public:
    enum class Kind { End, GroupStart, GroupEnd, ControlWord, ControlSymbol, Text, HexByte };
    static constexpr int MaxWordLength = 32;

    struct Token {
        Kind kind = Kind::End;
        QByteArrayView text; // a control word's name (empty when too long) or a text run
        int parameter = 0;
        bool hasParameter = false;
        char symbol = 0; // a control symbol: '\'', '*', '~', '\n' (a backslash before a line break) ...
        int byte = -1;   // the value of \'hh, -1 when its digits are not hexadecimal
    };

    explicit RtfTokenizer(QByteArrayView data) : m_data(data) {}

    Token next();
    // Skips the data of \binN: n bytes, at most the bytes left.
    void skipBinary(qint64 n);
    qsizetype position() const { return m_pos; }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
};
