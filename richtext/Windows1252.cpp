#include "richtext/Windows1252.h"

#include "richtext/CodePageDecoder.h"

#include <QHash>
#include <QString>

#include <array>

namespace {
struct Tables {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, unsigned char> fromUnicode;

    Tables()
    {
        CodePageDecoder decoder(1252);
        for (int byte = 0; byte < 256; ++byte) {
            QString decoded;
            const char c = char(byte);
            decoder.decode(QByteArrayView(&c, 1), decoded);
            toUnicode[size_t(byte)] = decoded.size() == 1 ? decoded.front().unicode() : char16_t(byte);
            fromUnicode.insert(toUnicode[size_t(byte)], static_cast<unsigned char>(byte));
        }
    }
};

const Tables& tables()
{
    static const Tables instance;
    return instance;
}
} // namespace

namespace Windows1252 {
QChar toUnicode(unsigned char byte)
{
    return QChar(tables().toUnicode[byte]);
}

int fromUnicode(QChar c)
{
    const auto it = tables().fromUnicode.constFind(c.unicode());
    return it != tables().fromUnicode.cend() ? int(*it) : -1;
}
} // namespace Windows1252
