#pragma once

#include "richtext/DocumentFile.h"
#include "richtext/PlainTextFormat.h"

#include <QObject>
#include <QString>
#include <QTextCharFormat>
#include <atomic>
#include <memory>

class QTextDocument;
class QThread;

// Reads a document file into a new QTextDocument on a thread of its own, so that the window
// stays responsive while a large file loads. It tells how far the read has come and can be
// cancelled; either way the finished() signal comes once, on the thread the loader lives in, and
// the document (then living on that thread too) is taken with takeResult(). One load at a time:
// starting another cancels the one under way.
class DocumentLoader : public QObject {
    Q_OBJECT

public:
    struct Result {
        std::unique_ptr<QTextDocument> document; // set when the load succeeded
        DocumentFile::Kind kind = DocumentFile::Kind::RichText;
        PlainTextFormat textFormat; // how a plain-text file was written
        QString error;              // set when the load failed
        bool cancelled = false;
    };

    explicit DocumentLoader(QObject* parent = nullptr);
    // Cancels a load under way and waits for its thread.
    ~DocumentLoader() override;

    // Reads path; the new document's default character format is defaultFormat, in which plain
    // text shows.
    void start(const QString& path, const QTextCharFormat& defaultFormat);
    // The load under way ends as soon as the reader next looks, with a cancelled result (also when
    // the read has ended but finished() has not been delivered yet).
    void cancel();
    bool isLoading() const { return m_thread != nullptr; }
    QString path() const { return m_path; }
    Result takeResult();

    // What the loading thread and the loader share.
    struct Shared;

Q_SIGNALS:
    // Percent of the file read, 0 to 100, at most once per percent.
    void progressed(int percent);
    void finished();

private:
    void threadDone();
    void stop();

    QThread* m_thread = nullptr;
    std::shared_ptr<Shared> m_shared;
    QString m_path;
    Result m_result;
};
