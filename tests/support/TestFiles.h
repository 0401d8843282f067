#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <functional>

// Files the tests write, read back whole and inspect.
namespace TestFiles {
// Writes the bytes, making the file's folder first; false when it cannot.
inline bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

// The file's bytes, or "<missing>".
inline QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Everything in a folder, hidden files included, by name.
QStringList entries(const QString& folder);
// The message of the AppError the action throws, or "no failure".
QString failureOf(const std::function<void()>& action);
} // namespace TestFiles
