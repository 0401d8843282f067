#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// A language module: the interface's texts in one language (the string table and the window
// layouts), in a container of our own that is read as data and checked whole before use. The
// layouts name the program's own artwork; a module carries no pictures and nothing that runs.
//
// The container, all numbers little-endian:
//
//   "LUMAROLM"                     8 bytes, identifies the file
//   version                        u16, 1
//   reserved                       u16, 0
//   entry count                    u32
//   file length                    u32, the whole file
//   SHA-256                        32 bytes, of everything after this field
//   entries, each:                 u16 name length, name (ASCII), u32 data length, data (UTF-8)
//
// Entry names: "language" (the language as a locale name such as "de_DE"),
// "strings/strings.txt" and "layouts/<WindowClass>.layout". Nothing may follow the last entry.
class LanguageModule {
public:
    static constexpr int Version = 1;
    static constexpr qsizetype MaxFileSize = 4 * 1024 * 1024;
    static constexpr int MaxEntries = 256;
    static const QString LanguageEntry;
    static const QString StringsEntry;

    // Checks and reads a module; throws AppError saying what is wrong with a foreign, damaged
    // or truncated one. Every layout and the string table must parse.
    static LanguageModule fromData(const QByteArray& data);
    // Reads the file; throws AppError naming the file when it cannot be read or is refused.
    static LanguageModule fromFile(const QString& path);

    // The container holding these entries (name -> data), for the tools that build modules.
    static QByteArray containerOf(const QMap<QString, QByteArray>& entries);
    // The container with its length and checksum fields made to match its bytes, so that tests
    // and fuzzing reach the checks behind them; data too short for a header comes back as is.
    static QByteArray resealed(QByteArray container);

    // Whether a resource path names something a module carries (its texts) rather than the
    // program's artwork.
    static bool carries(const QString& relativePath);
    static QString layoutEntry(const QString& windowClass);

    QString fileName() const { return m_fileName; }
    // The locale name the module is written for ("de_DE"); empty when it names none.
    QString language() const { return m_language; }
    // An entry's data; layout names compare without regard to case.
    QByteArray entry(const QString& relativePath, bool* found = nullptr) const;

private:
    struct Entry {
        QString name;
        QByteArray data;
    };
    const Entry* find(const QString& relativePath) const;

    QString m_fileName;
    QString m_language;
    QList<Entry> m_entries;
};
