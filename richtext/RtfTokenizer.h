#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

// Splits RTF bytes into tokens without allocating: views into the data for text runs and into the
// tokenizer for control-word names, valid until the next token is asked for. Line breaks in the data
// are not text and are dropped. The bytes are either given whole or read from a device a block
// at a time, so that a large file is never held whole; a text run may then end at a block's end,
// where the next one goes on, and the tokens are otherwise the same.
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

    static constexpr qsizetype DefaultBlockSize = 1 << 20;

    explicit RtfTokenizer(QByteArrayView data) : m_data(data) {}
    // Reads device from its current position, blockSize bytes at a time.
    explicit RtfTokenizer(QIODevice& device, qsizetype blockSize = DefaultBlockSize);

    Token next();
    // Skips the data of \binN: n bytes, at most the bytes left.
    void skipBinary(qint64 n);
    // The bytes taken so far.
    qint64 position() const { return m_offset + m_pos; }
    // Whether reading the device failed (the tokens then ended early).
    bool readFailed() const { return m_readFailed; }

private:
    // Whether a byte is at m_pos, reading the next block when the current one is used up.
    bool available();
    char peek() const { return m_data[m_pos]; }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    qint64 m_offset = 0; // where m_data starts in the input
    QIODevice* m_device = nullptr;
    qsizetype m_blockSize = 0;
    QByteArray m_block;
    // A control word's name met at the end of a block, kept for its token.
    char m_name[MaxWordLength] = {};
    bool m_readFailed = false;
};
