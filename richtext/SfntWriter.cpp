#include "richtext/SfntWriter.h"

#include <QtEndian>

#include <algorithm>

namespace {
quint32 checksum(const QByteArray& table)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < table.size(); i += 4) {
        quint32 word = 0;
        for (int k = 0; k < 4; ++k)
            word = (word << 8) | quint8(i + k < table.size() ? table[i + k] : 0);
        sum += word;
    }
    return sum;
}
} // namespace

void SfntWriter::add(const char* tag, const QByteArray& data)
{
    if (!data.isEmpty())
        m_tables.push_back({{tag[0], tag[1], tag[2], tag[3]}, data});
}

QByteArray SfntWriter::finish()
{
    std::sort(m_tables.begin(), m_tables.end(), [](const Table& a, const Table& b) { return a.tag < b.tag; });
    const quint16 count = quint16(m_tables.size());
    quint16 power = 1, log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    QByteArray font;
    put32(font, m_version);
    put16(font, count);
    put16(font, quint16(power * 16));
    put16(font, log2);
    put16(font, quint16(count * 16 - power * 16));
    quint32 offset = 12 + 16 * quint32(count);
    qsizetype headAt = -1;
    for (Table& table : m_tables) {
        const bool head = table.tag == std::array<char, 4>{'h', 'e', 'a', 'd'};
        if (head && table.data.size() >= 12)
            qToBigEndian<quint32>(0, table.data.data() + 8); // the adjustment counts as 0 until known
        font.append(table.tag.data(), 4);
        put32(font, checksum(table.data));
        put32(font, offset);
        put32(font, quint32(table.data.size()));
        if (head)
            headAt = offset;
        offset += quint32((table.data.size() + 3) & ~3);
    }
    for (const Table& table : m_tables) {
        font += table.data;
        while (font.size() % 4)
            font.append('\0');
    }
    if (headAt >= 0 && headAt + 12 <= font.size())
        qToBigEndian<quint32>(0xB1B0AFBA - checksum(font), font.data() + headAt + 8);
    return font;
}

bool SfntWriter::licenceAllowsEmbedding(const QByteArray& os2)
{
    const quint16 fsType = read16(os2, 8);
    return fsType != 2 && !(fsType & 0x200);
}

quint16 SfntWriter::read16(const QByteArray& data, qsizetype at)
{
    return at >= 0 && at + 2 <= data.size() ? qFromBigEndian<quint16>(data.constData() + at) : 0;
}

quint32 SfntWriter::read32(const QByteArray& data, qsizetype at)
{
    return at >= 0 && at + 4 <= data.size() ? qFromBigEndian<quint32>(data.constData() + at) : 0;
}

void SfntWriter::put16(QByteArray& data, quint16 value)
{
    char bytes[2];
    qToBigEndian(value, bytes);
    data.append(bytes, 2);
}

void SfntWriter::put32(QByteArray& data, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    data.append(bytes, 4);
}
