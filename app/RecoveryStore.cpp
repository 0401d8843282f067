#include "app/RecoveryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QUrl>

#include <algorithm>

namespace {
// The group that carries a copy's own data, right after "{\rtf1": readers skip it as an
// ignorable destination.
const QByteArray Marker = "{\\*\\lumarorecovery ";
const QByteArray RtfStart = "{\\rtf1";
constexpr qsizetype HeaderLimit = 16384;

QByteArray encoded(const QString& text)
{
    // Percent-encoded UTF-8 holds no space, brace or backslash, so it is plain RTF text.
    return QUrl::toPercentEncoding(text);
}

// "-" for a rich-text document, else encoding, byte-order mark and line break.
QByteArray encoded(const std::optional<PlainTextFormat>& format)
{
    if (!format)
        return "-";
    return QByteArray::number(int(format->encoding)) + ',' + (format->byteOrderMark ? '1' : '0') + ',' +
           format->lineBreak.toLatin1().toHex();
}

std::optional<PlainTextFormat> plainTextFormat(const QByteArray& field)
{
    const QList<QByteArray> parts = field.split(',');
    if (parts.size() != 3)
        return std::nullopt;
    bool ok = false;
    const int encoding = parts[0].toInt(&ok);
    if (!ok || encoding < int(PlainTextFormat::Encoding::Utf8) ||
        encoding > int(PlainTextFormat::Encoding::Windows1252))
        return std::nullopt;
    PlainTextFormat format;
    format.encoding = PlainTextFormat::Encoding(encoding);
    format.byteOrderMark = parts[1] == "1";
    format.lineBreak = QString::fromLatin1(QByteArray::fromHex(parts[2]));
    if (format.lineBreak.isEmpty())
        format.lineBreak = QStringLiteral("\n");
    return format;
}
} // namespace

QString RecoveryStore::folder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/lumaropad/recovery");
}

bool RecoveryStore::makeFolder()
{
    const QString path = folder();
    if (QFileInfo::exists(path))
        return true;
    if (!QDir().mkpath(path))
        return false;
    return QFile::setPermissions(path,
                                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QString RecoveryStore::newId()
{
    return QStringLiteral("%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
}

QString RecoveryStore::copyPath(const QString& id)
{
    return folder() + u'/' + id + QStringLiteral(".rtf");
}

std::unique_ptr<QLockFile> RecoveryStore::lockFor(const QString& id)
{
    auto lock = std::make_unique<QLockFile>(folder() + u'/' + id + QStringLiteral(".lock"));
    // Only a lock whose process has gone is stale, however old it is.
    lock->setStaleLockTime(0);
    return lock;
}

QByteArray RecoveryStore::compose(QByteArray rtf, const Copy& copy)
{
    const QByteArray header = Marker + "1 " + encoded(copy.documentName) + ' ' +
                              copy.savedAt.toUTC().toString(Qt::ISODateWithMs).toLatin1() + ' ' +
                              encoded(copy.original.toText()) + ' ' + encoded(copy.plainText) + '}';
    if (!rtf.startsWith(RtfStart))
        return RtfStart + header + rtf + '}'; // never happens with our writer; still a valid copy
    // In place: a large document's text is not held twice.
    rtf.insert(RtfStart.size(), header);
    return rtf;
}

std::optional<RecoveryStore::Copy> RecoveryStore::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(HeaderLimit);
    if (!head.startsWith(RtfStart + Marker))
        return std::nullopt;
    const qsizetype start = RtfStart.size() + Marker.size();
    const qsizetype end = head.indexOf('}', start);
    if (end < 0)
        return std::nullopt;
    const QList<QByteArray> fields = head.mid(start, end - start).split(' ');
    if (fields.size() != 5 || fields[0] != "1")
        return std::nullopt;
    Copy copy;
    copy.path = path;
    copy.id = QFileInfo(path).completeBaseName();
    copy.documentName = QUrl::fromPercentEncoding(fields[1]);
    copy.savedAt = QDateTime::fromString(QString::fromLatin1(fields[2]), Qt::ISODateWithMs);
    copy.original = FileIdentity::fromText(QUrl::fromPercentEncoding(fields[3]));
    copy.plainText = plainTextFormat(fields[4]);
    if (!copy.savedAt.isValid())
        return std::nullopt;
    return copy;
}

std::vector<RecoveryStore::Claimed> RecoveryStore::claimOrphans()
{
    std::vector<Claimed> claimed;
    const QDir dir(folder());
    for (const QString& name : dir.entryList({QStringLiteral("*.lock")}, QDir::Files)) {
        const QString id = name.chopped(5);
        if (QFileInfo::exists(copyPath(id)))
            continue;
        if (auto lock = lockFor(id); lock->tryLock(0))
            lock->unlock(); // a lock left without a copy: nothing to recover
    }
    for (const QString& name : dir.entryList({QStringLiteral("*.rtf")}, QDir::Files)) {
        const QString id = name.chopped(4);
        auto lock = lockFor(id);
        if (!lock->tryLock(0))
            continue; // a running instance owns it
        if (auto copy = read(copyPath(id)))
            claimed.push_back({*copy, std::move(lock)});
    }
    std::sort(claimed.begin(), claimed.end(),
              [](const Claimed& a, const Claimed& b) { return a.copy.savedAt > b.copy.savedAt; });
    return claimed;
}

void RecoveryStore::remove(const QString& id, std::unique_ptr<QLockFile> lock)
{
    QFile::remove(copyPath(id));
    if (lock)
        lock->unlock();
}
