#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

// Decodes bytes of a Windows code page (1252, 1251, 932, 936, 949, 950, 874, 437, 10000 ...) to
// UTF-16 through glibc's iconv. An unknown code page falls back to 1252. A byte the code page
// does not define becomes the character of the same number, as Windows maps them; an
// incomplete double-byte character at the end becomes U+FFFD.
class CodePageDecoder {
public:
    explicit CodePageDecoder(int codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    int codePage() const { return m_codePage; }
    // Appends the decoded bytes to out.
    void decode(QByteArrayView bytes, QString& out);

    // The code page of a font's character-set byte (\fcharsetN); 0 when the character set
    // names none (then the document's code page applies).
    static int codePageOfCharset(int charset);
    // The character-set byte that stands for a code page (the reverse, for writing).
    static int charsetOfCodePage(int codePage);

private:
    struct Handle;
    int m_codePage;
    std::unique_ptr<Handle> m_handle;
};
