#pragma once

#include <QByteArray>
#include <vector>

class QIODevice;

// The body of a PDF file as it is written, object after object, and the cross-reference table
// that ends it. Nothing is kept but each object's offset, so a file of any length is written in
// the memory of its largest object.
class PdfFile {
public:
    explicit PdfFile(QIODevice& out);

    // A number for an object that is written later.
    int reserve();
    void writeObject(int number, const QByteArray& body);
    // A stream object; dictionary holds its entries besides /Length and /Filter. Data is
    // compressed.
    void writeStream(int number, const QByteArray& dictionary, const QByteArray& data);
    // The same with data already compressed by deflate, which may run on another thread.
    void writeDeflated(int number, const QByteArray& dictionary, const QByteArray& deflated);
    static QByteArray deflate(const QByteArray& data);
    // The cross-reference table and trailer. False when anything could not be written.
    bool finish(int catalog, int info);

    // Appends value to out with at most four decimals and no exponent, as PDF wants its numbers.
    static void appendNumber(QByteArray& out, double value);
    // A text string: ASCII as a literal string, anything else as UTF-16 in hexadecimal.
    static QByteArray textString(const QString& text);

private:
    void write(const QByteArray& bytes);

    QIODevice& m_out;
    qint64 m_offset = 0;
    bool m_failed = false;
    std::vector<qint64> m_offsets; // by object number - 1; -1 until written
};
