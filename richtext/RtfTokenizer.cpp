#include "richtext/RtfTokenizer.h"

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

RtfTokenizer::Token RtfTokenizer::next()
{
    Token token;
    const qsizetype size = m_data.size();
    const char* data = m_data.data();
    while (m_pos < size && (data[m_pos] == '\r' || data[m_pos] == '\n'))
        ++m_pos;
    if (m_pos >= size)
        return token;

    const char c = data[m_pos];
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
    if (m_pos >= size)
        return token;
    const char first = data[m_pos];
    if (!isLetter(first)) {
        ++m_pos;
        if (first == '\'') {
            token.kind = Kind::HexByte;
            token.symbol = '\'';
            const int high = m_pos < size ? hexValue(data[m_pos]) : -1;
            const int low = m_pos + 1 < size ? hexValue(data[m_pos + 1]) : -1;
            // Two characters belong to \' whatever they are, as word processors read it.
            m_pos = qMin(m_pos + 2, size);
            token.byte = (high >= 0 && low >= 0) ? high * 16 + low : -1;
            return token;
        }
        token.kind = Kind::ControlSymbol;
        token.symbol = first == '\r' ? '\n' : first;
        return token;
    }

    const qsizetype start = m_pos;
    while (m_pos < size && isLetter(data[m_pos]))
        ++m_pos;
    token.kind = Kind::ControlWord;
    if (m_pos - start <= MaxWordLength)
        token.text = m_data.sliced(start, m_pos - start);

    if (m_pos < size && (data[m_pos] == '-' || isDigit(data[m_pos]))) {
        const bool negative = data[m_pos] == '-';
        if (negative)
            ++m_pos;
        long long value = 0;
        bool digits = false;
        while (m_pos < size && isDigit(data[m_pos])) {
            digits = true;
            if (value <= INT_MAX)
                value = value * 10 + (data[m_pos] - '0');
            ++m_pos;
        }
        if (digits) {
            value = qMin<long long>(value, INT_MAX);
            token.parameter = int(negative ? -value : value);
            token.hasParameter = true;
        }
    }
    if (m_pos < size && data[m_pos] == ' ')
        ++m_pos;
    return token;
}

void RtfTokenizer::skipBinary(qint64 n)
{
    if (n <= 0)
        return;
    m_pos += qsizetype(qMin<qint64>(n, m_data.size() - m_pos));
}
