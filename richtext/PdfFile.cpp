#include "richtext/PdfFile.h"

#include <QIODevice>
#include <QString>

#include <algorithm>
#include <cmath>

PdfFile::PdfFile(QIODevice& out) : m_out(out)
{
    // The binary comment tells transfer programs that the file is not text.
    write(QByteArrayLiteral("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"));
}

int PdfFile::reserve()
{
    m_offsets.push_back(-1);
    return int(m_offsets.size());
}

void PdfFile::writeObject(int number, const QByteArray& body)
{
    m_offsets[size_t(number - 1)] = m_offset;
    write(QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n");
}

void PdfFile::writeStream(int number, const QByteArray& dictionary, const QByteArray& data)
{
    writeDeflated(number, dictionary, deflate(data));
}

void PdfFile::writeDeflated(int number, const QByteArray& dictionary, const QByteArray& deflated)
{
    m_offsets[size_t(number - 1)] = m_offset;
    write(QByteArray::number(number) + " 0 obj\n<<" + dictionary + " /Length " + QByteArray::number(deflated.size()) +
          (deflated.isEmpty() ? "" : " /Filter /FlateDecode") + ">>\nstream\n");
    write(deflated);
    write(QByteArrayLiteral("\nendstream\nendobj\n"));
}

QByteArray PdfFile::deflate(const QByteArray& data)
{
    // qCompress puts the length in front of the zlib stream; PDF wants the zlib stream alone.
    // Nothing at all stays nothing (with no filter): an empty zlib stream is not a valid one.
    return data.isEmpty() ? QByteArray() : qCompress(data).mid(4);
}

bool PdfFile::finish(int catalog, int info)
{
    const qint64 table = m_offset;
    QByteArray xref = "xref\n0 " + QByteArray::number(qsizetype(m_offsets.size()) + 1) + "\n0000000000 65535 f \n";
    for (const qint64 offset : m_offsets) {
        if (offset < 0)
            return false;
        xref += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    }
    xref += "trailer\n<< /Size " + QByteArray::number(qsizetype(m_offsets.size()) + 1) + " /Root " +
            QByteArray::number(catalog) + " 0 R /Info " + QByteArray::number(info) + " 0 R >>\nstartxref\n" +
            QByteArray::number(table) + "\n%%EOF\n";
    write(xref);
    return !m_failed;
}

void PdfFile::appendNumber(QByteArray& out, double value)
{
    // Readers take numbers far below these bounds; a coordinate beyond them is no coordinate.
    if (!std::isfinite(value))
        value = 0;
    value = std::clamp(value, -1e12, 1e12);
    qint64 scaled = std::llround(value * 10000);
    if (scaled < 0) {
        out.append('-');
        scaled = -scaled;
    }
    out.append(QByteArray::number(scaled / 10000));
    qint64 fraction = scaled % 10000;
    if (fraction == 0)
        return;
    char digits[6] = {'.', 0, 0, 0, 0, 0};
    int length = 5;
    for (int i = 4; i >= 1; --i, fraction /= 10)
        digits[i] = char('0' + fraction % 10);
    while (digits[length - 1] == '0')
        --length;
    out.append(digits, length);
}

QByteArray PdfFile::textString(const QString& text)
{
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() >= 32 && c.unicode() < 127;
    if (ascii) {
        QByteArray literal = "(";
        for (const QChar c : text) {
            if (c == u'(' || c == u')' || c == u'\\')
                literal.append('\\');
            literal.append(char(c.unicode()));
        }
        return literal + ')';
    }
    QByteArray utf16 = "<FEFF";
    for (const QChar c : text)
        utf16 += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return utf16 + '>';
}

void PdfFile::write(const QByteArray& bytes)
{
    if (m_failed)
        return;
    if (m_out.write(bytes) != bytes.size())
        m_failed = true;
    m_offset += bytes.size();
}
