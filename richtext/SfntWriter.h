#pragma once

#include <QByteArray>

#include <array>
#include <vector>

// Puts a font file together from its tables: the table directory with each table's checksum, the
// tables in order, and the whole file's checksum adjustment in head. Used to embed the part of a
// face a PDF needs.
class SfntWriter {
public:
    // version: 0x00010000 for TrueType outlines, 'OTTO' for CFF ones.
    explicit SfntWriter(quint32 version) : m_version(version) {}

    // Adds a table (tag: its four letters); an empty one is left out.
    void add(const char* tag, const QByteArray& data);
    QByteArray finish();

    // Whether a face's OS/2 table lets it be embedded: not a licence that forbids it (fsType 2)
    // or allows only its bitmaps (bit 9).
    static bool licenceAllowsEmbedding(const QByteArray& os2);

    // Big-endian fields of a table; 0 past its end.
    static quint16 read16(const QByteArray& data, qsizetype at);
    static quint32 read32(const QByteArray& data, qsizetype at);
    static void put16(QByteArray& data, quint16 value);
    static void put32(QByteArray& data, quint32 value);

private:
    struct Table {
        std::array<char, 4> tag;
        QByteArray data;
    };
    quint32 m_version;
    std::vector<Table> m_tables;
};
