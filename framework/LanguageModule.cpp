#include "framework/LanguageModule.h"

#include "framework/AppError.h"
#include "framework/LayoutParser.h"
#include "framework/StringTable.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QtEndian>

namespace {
constexpr char Magic[8] = {'L', 'U', 'M', 'A', 'R', 'O', 'L', 'M'};
constexpr qsizetype HashSize = 32;
constexpr qsizetype HashOffset = 20;
constexpr qsizetype HeaderSize = HashOffset + HashSize;

const QString LayoutsFolder = QStringLiteral("layouts/");
const QString LayoutSuffix = QStringLiteral(".layout");

// A little-endian number of width bytes at pos, which the caller has checked lies in the data.
// Read byte by byte: the data may be empty as far as the compiler can see.
quint32 littleEndian(const QByteArray& data, qsizetype pos, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | quint8(data.at(pos + i));
    return value;
}

// Reads the entries one by one, never past the end of the data.
class Cursor {
public:
    explicit Cursor(const QByteArray& data) : m_data(data), m_pos(HeaderSize) {}

    bool atEnd() const { return m_pos == m_data.size(); }

    quint16 u16(const char* what)
    {
        need(2, what);
        const auto value = quint16(littleEndian(m_data, m_pos, 2));
        m_pos += 2;
        return value;
    }

    quint32 u32(const char* what)
    {
        need(4, what);
        const quint32 value = littleEndian(m_data, m_pos, 4);
        m_pos += 4;
        return value;
    }

    QByteArray bytes(quint32 count, const char* what)
    {
        need(count, what);
        const QByteArray value = m_data.mid(m_pos, count);
        m_pos += count;
        return value;
    }

private:
    void need(quint64 count, const char* what) const
    {
        if (count > quint64(m_data.size() - m_pos))
            throw AppError(
                QStringLiteral("damaged: %1 runs past the end of the file").arg(QLatin1String(what)));
    }

    const QByteArray& m_data;
    qsizetype m_pos;
};

bool isLayoutEntry(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^layouts/[A-Za-z_][A-Za-z0-9_]{0,63}\\.layout$"));
    return pattern.match(name).hasMatch();
}

bool isValidLanguage(const QString& language)
{
    static const QRegularExpression pattern(QStringLiteral("^[a-z]{2,3}(_[A-Z]{2})?$"));
    return pattern.match(language).hasMatch();
}

QString utf8Text(const QByteArray& data, const QString& name)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(data);
    if (decoder.hasError())
        throw AppError(QStringLiteral("damaged: entry '%1' is not UTF-8 text").arg(name));
    return text;
}

QByteArray hashOf(const QByteArray& data)
{
    return QCryptographicHash::hash(QByteArrayView(data).sliced(HeaderSize), QCryptographicHash::Sha256);
}
} // namespace

const QString LanguageModule::LanguageEntry = QStringLiteral("language");
const QString LanguageModule::StringsEntry = QStringLiteral("strings/strings.txt");

LanguageModule LanguageModule::fromData(const QByteArray& data)
{
    if (data.size() < qsizetype(sizeof Magic) || !data.startsWith(QByteArrayView(Magic, sizeof Magic)))
        throw AppError(QStringLiteral("not a language module"));
    if (data.size() < HeaderSize)
        throw AppError(QStringLiteral("truncated: the header is incomplete"));
    if (data.size() > MaxFileSize)
        throw AppError(QStringLiteral("refused: larger than %1 bytes").arg(MaxFileSize));
    const quint32 version = littleEndian(data, 8, 2);
    if (version != Version)
        throw AppError(
            QStringLiteral("format version %1 is not supported (expected %2)").arg(version).arg(Version));
    const quint32 entryCount = littleEndian(data, 12, 4);
    const quint32 length = littleEndian(data, 16, 4);
    if (length > quint32(data.size()))
        throw AppError(QStringLiteral("truncated: %1 of %2 bytes").arg(data.size()).arg(length));
    if (length < quint32(data.size()))
        throw AppError(QStringLiteral("damaged: %1 bytes follow the module's end").arg(data.size() - length));
    if (hashOf(data) != QByteArrayView(data).sliced(HashOffset, HashSize))
        throw AppError(QStringLiteral("damaged: the checksum does not match the contents"));
    if (entryCount > quint32(MaxEntries))
        throw AppError(QStringLiteral("damaged: %1 entries (at most %2)").arg(entryCount).arg(MaxEntries));

    LanguageModule module;
    Cursor cursor(data);
    for (quint32 i = 0; i < entryCount; ++i) {
        const quint16 nameLength = cursor.u16("an entry name's length");
        const QByteArray rawName = cursor.bytes(nameLength, "an entry name");
        const quint32 dataLength = cursor.u32("an entry's length");
        Entry entry{QString::fromLatin1(rawName), cursor.bytes(dataLength, "an entry's data")};
        if (entry.name != LanguageEntry && entry.name != StringsEntry && !isLayoutEntry(entry.name))
            throw AppError(QStringLiteral("damaged: unknown entry '%1'").arg(entry.name.left(80)));
        if (module.find(entry.name))
            throw AppError(QStringLiteral("damaged: entry '%1' is there twice").arg(entry.name));
        const QString text = utf8Text(entry.data, entry.name);
        if (entry.name == LanguageEntry) {
            if (!isValidLanguage(text))
                throw AppError(QStringLiteral("damaged: '%1' is not a language name").arg(text.left(80)));
            module.m_language = text;
        } else if (entry.name == StringsEntry) {
            StringTable::parse(text);
        } else {
            LayoutParser::parse(text, entry.name.mid(LayoutsFolder.size()));
        }
        module.m_entries.append(std::move(entry));
    }
    if (!cursor.atEnd())
        throw AppError(QStringLiteral("damaged: data follows the last entry"));
    return module;
}

LanguageModule LanguageModule::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    // Never read more than a module may hold: a larger file is refused without reading it all.
    const QByteArray data = file.read(MaxFileSize + 1);
    try {
        LanguageModule module = fromData(data);
        module.m_fileName = path;
        return module;
    } catch (const AppError& error) {
        throw AppError(QStringLiteral("%1: %2").arg(path, error.message()));
    }
}

QByteArray LanguageModule::containerOf(const QMap<QString, QByteArray>& entries)
{
    QByteArray data(HeaderSize, '\0');
    std::copy(std::begin(Magic), std::end(Magic), data.begin());
    qToLittleEndian<quint16>(Version, data.data() + 8);
    qToLittleEndian<quint32>(quint32(entries.size()), data.data() + 12);
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        const QByteArray name = it.key().toLatin1();
        char length[4];
        qToLittleEndian<quint16>(quint16(name.size()), length);
        data.append(length, 2);
        data.append(name);
        qToLittleEndian<quint32>(quint32(it.value().size()), length);
        data.append(length, 4);
        data.append(it.value());
    }
    return resealed(data);
}

QByteArray LanguageModule::resealed(QByteArray container)
{
    if (container.size() < HeaderSize)
        return container;
    qToLittleEndian<quint32>(quint32(container.size()), container.data() + 16);
    const QByteArray hash = hashOf(container);
    std::copy(hash.cbegin(), hash.cend(), container.begin() + HashOffset);
    return container;
}

bool LanguageModule::carries(const QString& relativePath)
{
    return relativePath == StringsEntry || relativePath.startsWith(LayoutsFolder);
}

QString LanguageModule::layoutEntry(const QString& windowClass)
{
    return LayoutsFolder + windowClass + LayoutSuffix;
}

QByteArray LanguageModule::entry(const QString& relativePath, bool* found) const
{
    const Entry* hit = find(relativePath);
    if (found)
        *found = hit != nullptr;
    return hit ? hit->data : QByteArray();
}

const LanguageModule::Entry* LanguageModule::find(const QString& relativePath) const
{
    // Layouts are stored under window class names, which compare without regard to case.
    const Qt::CaseSensitivity sensitivity =
        relativePath.startsWith(LayoutsFolder) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (const Entry& entry : m_entries) {
        if (entry.name.compare(relativePath, sensitivity) == 0)
            return &entry;
    }
    return nullptr;
}
