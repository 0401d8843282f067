#include "richtext/RtfTokenizer.h"

#include <QIODevice>

#include <climits>

namespace {
bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

RtfTokenizer::RtfTokenizer(QIODevice& device, qsizetype blockSize)
    : m_device(&device), m_blockSize(qMax<qsizetype>(blockSize, 1))
{
}

bool RtfTokenizer::available()
{
    if (m_pos < m_data.size())
        return true;
    if (!m_device)
        return false;
    m_offset += m_data.size();
    m_pos = 0;
    m_data = {};
    m_block.resize(m_blockSize);
    const qint64 read = m_device->read(m_block.data(), m_blockSize);
    if (read <= 0) {
        m_readFailed = read < 0;
        m_device = nullptr;
        m_block = QByteArray();
        return false;
    }
    m_data = QByteArrayView(m_block.constData(), read);
    return true;
}

RtfTokenizer::Token RtfTokenizer::next()
{
    Token token;
    while (available() && (peek() == '\r' || peek() == '\n'))
        ++m_pos;
    if (!available())
        return token;

    const char c = peek();
    if (c == '{') {
        ++m_pos;
        token.kind = Kind::GroupStart;
        return token;
    }
    if (c == '}') {
        ++m_pos;
        token.kind = Kind::GroupEnd;
        return token;
    }
    if (c != '\\') {
        // Within the block at hand: a run the block's end cuts goes on in the next token.
        const qsizetype size = m_data.size();
        const char* data = m_data.data();
        const qsizetype start = m_pos;
        while (m_pos < size) {
            const char t = data[m_pos];
            if (t == '\\' || t == '{' || t == '}' || t == '\r' || t == '\n')
                break;
            ++m_pos;
        }
        token.kind = Kind::Text;
        token.text = m_data.sliced(start, m_pos - start);
        return token;
    }

    ++m_pos; // the backslash
    if (!available())
        return token;
    const char first = peek();
    if (!isLetter(first)) {
        ++m_pos;
        if (first == '\'') {
            token.kind = Kind::HexByte;
            token.symbol = '\'';
            // Two characters belong to \' whatever they are, as word processors read it.
            int digits[2] = {-1, -1};
            for (int& digit : digits) {
                if (!available())
                    break;
                digit = hexValue(peek());
                ++m_pos;
            }
            token.byte = (digits[0] >= 0 && digits[1] >= 0) ? digits[0] * 16 + digits[1] : -1;
            return token;
        }
        token.kind = Kind::ControlSymbol;
        token.symbol = first == '\r' ? '\n' : first;
        return token;
    }

    // The name is copied: it may run over a block's end.
    qsizetype length = 0;
    while (available() && isLetter(peek())) {
        if (length < MaxWordLength)
            m_name[length] = peek();
        ++length;
        ++m_pos;
    }
    token.kind = Kind::ControlWord;
    if (length <= MaxWordLength)
        token.text = QByteArrayView(m_name, length);

    if (available() && (peek() == '-' || isDigit(peek()))) {
        const bool negative = peek() == '-';
        if (negative)
            ++m_pos;
        long long value = 0;
        bool digits = false;
        while (available() && isDigit(peek())) {
            digits = true;
            if (value <= INT_MAX)
                value = value * 10 + (peek() - '0');
            ++m_pos;
        }
        if (digits) {
            value = qMin<long long>(value, INT_MAX);
            token.parameter = int(negative ? -value : value);
            token.hasParameter = true;
        }
    }
    if (available() && peek() == ' ')
        ++m_pos;
    return token;
}

void RtfTokenizer::skipBinary(qint64 n)
{
    while (n > 0 && available()) {
        const qsizetype step = qsizetype(qMin<qint64>(n, m_data.size() - m_pos));
        m_pos += step;
        n -= step;
    }
}
