#include "framework/TextTokenizer.h"

#include "framework/AppError.h"

namespace {
bool isIdentifierStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isIdentifierPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.';
}

constexpr qint64 IntegerLimit = 0xFFFFFFFFLL;
} // namespace

TextTokenizer::TextTokenizer(QString source, QString sourceName)
    : m_source(std::move(source)), m_sourceName(std::move(sourceName))
{
}

const TextTokenizer::Token& TextTokenizer::peek()
{
    if (!m_hasPeeked) {
        m_peeked = scan();
        m_hasPeeked = true;
    }
    return m_peeked;
}

TextTokenizer::Token TextTokenizer::next()
{
    if (m_hasPeeked) {
        m_hasPeeked = false;
        return m_peeked;
    }
    return scan();
}

void TextTokenizer::expectSymbol(QChar symbol)
{
    const Token t = next();
    if (t.kind != Kind::Symbol || t.text != symbol)
        fail(t.line, QStringLiteral("expected '%1'").arg(symbol));
}

QString TextTokenizer::expectIdentifier(const char* what)
{
    const Token t = next();
    if (t.kind != Kind::Identifier)
        fail(t.line, QStringLiteral("expected %1").arg(QLatin1String(what)));
    return t.text;
}

void TextTokenizer::fail(int line, const QString& message) const
{
    throw AppError(QStringLiteral("%1:%2: %3").arg(m_sourceName).arg(line).arg(message));
}

void TextTokenizer::skipBlanksAndComments()
{
    while (m_pos < m_source.size()) {
        const QChar c = m_source.at(m_pos);
        if (c == u'\n') {
            ++m_line;
            ++m_pos;
        } else if (c.isSpace()) {
            ++m_pos;
        } else if (c == u'#') {
            while (m_pos < m_source.size() && m_source.at(m_pos) != u'\n')
                ++m_pos;
        } else {
            break;
        }
    }
}

TextTokenizer::Token TextTokenizer::scan()
{
    skipBlanksAndComments();
    Token t;
    t.line = m_line;
    if (m_pos >= m_source.size())
        return t;
    const QChar c = m_source.at(m_pos);
    if (isIdentifierStart(c)) {
        const qsizetype start = m_pos;
        while (m_pos < m_source.size() && isIdentifierPart(m_source.at(m_pos)))
            ++m_pos;
        t.kind = Kind::Identifier;
        t.text = m_source.mid(start, m_pos - start);
        return t;
    }
    const bool negative = c == u'-' && m_pos + 1 < m_source.size() && m_source.at(m_pos + 1).isDigit();
    if (c.isDigit() || negative) {
        const qsizetype start = m_pos;
        if (negative)
            ++m_pos;
        while (m_pos < m_source.size() && (m_source.at(m_pos).isLetterOrNumber()))
            ++m_pos;
        const QString digits = m_source.mid(start, m_pos - start);
        bool ok = false;
        const qint64 value = digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                                 ? digits.mid(2).toLongLong(&ok, 16)
                                 : digits.toLongLong(&ok, 10);
        if (!ok || value > IntegerLimit || value < -IntegerLimit)
            fail(t.line, QStringLiteral("'%1' is not a valid number").arg(digits));
        t.kind = Kind::Integer;
        t.integer = value;
        t.text = digits;
        return t;
    }
    if (c == u'"') {
        ++m_pos;
        t.kind = Kind::String;
        t.text = scanString(t.line);
        return t;
    }
    ++m_pos;
    t.kind = Kind::Symbol;
    t.text = c;
    return t;
}

QString TextTokenizer::scanString(int line)
{
    QString out;
    while (true) {
        if (m_pos >= m_source.size() || m_source.at(m_pos) == u'\n')
            fail(line, QStringLiteral("unterminated string"));
        const QChar c = m_source.at(m_pos++);
        if (c == u'"')
            return out;
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (m_pos >= m_source.size())
            fail(line, QStringLiteral("unterminated string"));
        const QChar e = m_source.at(m_pos++);
        switch (e.unicode()) {
        case u'n': out += u'\n'; break;
        case u't': out += u'\t'; break;
        case u'r': out += u'\r'; break;
        case u'"': out += u'"'; break;
        case u'\\': out += u'\\'; break;
        case u'u': {
            bool ok = false;
            const uint code = m_source.mid(m_pos, 4).toUInt(&ok, 16);
            if (!ok || m_source.mid(m_pos, 4).size() != 4)
                fail(line, QStringLiteral("bad \\u escape"));
            out += QChar(char16_t(code));
            m_pos += 4;
            break;
        }
        default:
            fail(line, QStringLiteral("unknown escape '\\%1'").arg(e));
        }
    }
}
