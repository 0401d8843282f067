#include "framework/LayoutParser.h"

#include "framework/TextTokenizer.h"

namespace {
using Kind = TextTokenizer::Kind;

// Nesting is bounded so that a damaged layout cannot exhaust the stack.
constexpr int MaxDepth = 64;

bool isWord(const TextTokenizer::Token& t, const char* word)
{
    return t.kind == Kind::Identifier && t.text == QLatin1String(word);
}

bool isSymbol(const TextTokenizer::Token& t, char16_t symbol)
{
    return t.kind == Kind::Symbol && t.text.size() == 1 && t.text.at(0) == symbol;
}

class Parser {
public:
    explicit Parser(TextTokenizer& tokens) : m_tokens(tokens) {}

    LayoutObject parseObject(int depth)
    {
        const auto keyword = m_tokens.next();
        if (!isWord(keyword, "object"))
            m_tokens.fail(keyword.line, QStringLiteral("expected 'object'"));
        if (depth > MaxDepth)
            m_tokens.fail(keyword.line, QStringLiteral("components nested too deeply"));
        LayoutObject object;
        object.line = keyword.line;
        object.name = m_tokens.expectIdentifier("a component name");
        m_tokens.expectSymbol(u':');
        object.className = m_tokens.expectIdentifier("a class name");
        parseBody(object, depth);
        return object;
    }

private:
    void parseBody(LayoutObject& object, int depth)
    {
        while (true) {
            const auto& t = m_tokens.peek();
            if (t.kind == Kind::End)
                m_tokens.fail(t.line, QStringLiteral("missing 'end' of '%1'").arg(object.name));
            if (isWord(t, "end")) {
                m_tokens.next();
                return;
            }
            if (isWord(t, "object")) {
                object.children.append(parseObject(depth + 1));
                continue;
            }
            object.properties.append(parseProperty(depth));
        }
    }

    LayoutProperty parseProperty(int depth)
    {
        LayoutProperty property;
        const auto name = m_tokens.next();
        if (name.kind != Kind::Identifier)
            m_tokens.fail(name.line, QStringLiteral("expected a property name, 'object' or 'end'"));
        property.name = name.text;
        property.line = name.line;
        m_tokens.expectSymbol(u'=');
        property.value = parseValue(depth);
        return property;
    }

    LayoutValue parseValue(int depth)
    {
        LayoutValue value;
        const auto t = m_tokens.next();
        switch (t.kind) {
        case Kind::Integer:
            value.kind = LayoutValue::Kind::Integer;
            value.integer = t.integer;
            return value;
        case Kind::String:
            value.kind = LayoutValue::Kind::String;
            value.text = t.text;
            return value;
        case Kind::Identifier:
            if (t.text == QLatin1String("file")) {
                const auto path = m_tokens.next();
                if (path.kind != Kind::String)
                    m_tokens.fail(path.line, QStringLiteral("expected the quoted path of a file"));
                value.kind = LayoutValue::Kind::File;
                value.text = path.text;
                return value;
            }
            value.kind = LayoutValue::Kind::Identifier;
            value.text = t.text;
            return value;
        case Kind::Symbol:
            if (isSymbol(t, u'['))
                return parseSet();
            if (isSymbol(t, u'('))
                return parseList(depth);
            break;
        case Kind::End:
            break;
        }
        m_tokens.fail(t.line, QStringLiteral("expected a value"));
    }

    LayoutValue parseSet()
    {
        LayoutValue value;
        value.kind = LayoutValue::Kind::Set;
        if (isSymbol(m_tokens.peek(), u']')) {
            m_tokens.next();
            return value;
        }
        while (true) {
            value.items.append(m_tokens.expectIdentifier("a set element"));
            const auto t = m_tokens.next();
            if (isSymbol(t, u']'))
                return value;
            if (!isSymbol(t, u','))
                m_tokens.fail(t.line, QStringLiteral("expected ',' or ']'"));
        }
    }

    LayoutValue parseList(int depth)
    {
        LayoutValue value;
        value.kind = LayoutValue::Kind::StringList;
        if (isWord(m_tokens.peek(), "item")) {
            value.kind = LayoutValue::Kind::Collection;
            while (isWord(m_tokens.peek(), "item")) {
                LayoutObject item;
                item.line = m_tokens.next().line;
                while (!isWord(m_tokens.peek(), "end")) {
                    if (m_tokens.peek().kind == Kind::End)
                        m_tokens.fail(item.line, QStringLiteral("missing 'end' of an item"));
                    item.properties.append(parseProperty(depth + 1));
                }
                m_tokens.next();
                value.elements.append(item);
            }
            m_tokens.expectSymbol(u')');
            return value;
        }
        if (isSymbol(m_tokens.peek(), u')')) {
            m_tokens.next();
            return value;
        }
        while (true) {
            const auto s = m_tokens.next();
            if (s.kind != Kind::String)
                m_tokens.fail(s.line, QStringLiteral("expected a quoted text in the list"));
            value.items.append(s.text);
            const auto t = m_tokens.next();
            if (isSymbol(t, u')'))
                return value;
            if (!isSymbol(t, u','))
                m_tokens.fail(t.line, QStringLiteral("expected ',' or ')'"));
        }
    }

    TextTokenizer& m_tokens;
};
} // namespace

LayoutObject LayoutParser::parse(const QString& text, const QString& sourceName)
{
    TextTokenizer tokens(text, sourceName);
    Parser parser(tokens);
    LayoutObject root = parser.parseObject(0);
    const auto& rest = tokens.peek();
    if (rest.kind != Kind::End)
        tokens.fail(rest.line, QStringLiteral("text after the final 'end'"));
    return root;
}
