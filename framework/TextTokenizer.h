#pragma once

#include <QString>
#include <QStringView>

// Splits the text resources (layouts and the string table) into tokens: identifiers (letters,
// digits, '_' and '.'), integers (decimal or 0x hexadecimal, with an optional '-'), strings in
// double quotes with \" \\ \n \t \r and \uXXXX escapes, and single punctuation characters.
// '#' starts a comment that runs to the end of the line. Errors name the source and the line.
class TextTokenizer {
public:
    enum class Kind { End, Identifier, Integer, String, Symbol };
    struct Token {
        Kind kind = Kind::End;
        QString text;       // identifier, string contents or the symbol
        qint64 integer = 0; // value of an Integer token
        int line = 0;
    };

    TextTokenizer(QString source, QString sourceName);

    const Token& peek();
    Token next();
    // Takes the next token, failing unless it is the given symbol.
    void expectSymbol(QChar symbol);
    // Takes the next token, failing unless it is an identifier; returns its text.
    QString expectIdentifier(const char* what);

    [[noreturn]] void fail(int line, const QString& message) const;
    const QString& sourceName() const { return m_sourceName; }

private:
    Token scan();
    void skipBlanksAndComments();
    QString scanString(int line);

    QString m_source;
    QString m_sourceName;
    qsizetype m_pos = 0;
    int m_line = 1;
    bool m_hasPeeked = false;
    Token m_peeked;
};
