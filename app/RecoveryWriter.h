#pragma once

#include "framework/FileIdentity.h"
#include "richtext/PlainTextFormat.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class DocumentSnapshot;
class QLockFile;
class QTextDocument;
class TCustomRichEdit;

// Keeps a recovery copy of the editor's document while it has unsaved changes (RecoveryStore):
// after a short pause in editing, but not more often than once an interval (and once an
// interval while editing goes on without a pause), the document is copied a slice at a time
// between events and written as RTF on a worker thread, durably, so that typing never waits for
// it. Removing the copy (the work was saved or given up) also drops any copy on its way.
class RecoveryWriter : public QObject {
    Q_OBJECT

public:
    // What a copy says about its document: the name (empty while it has none), the file as last
    // loaded or saved, and how that file was written when it is a plain-text one.
    struct Origin {
        QString documentName;
        FileIdentity file;
        std::optional<PlainTextFormat> plainText;
    };

    RecoveryWriter(TCustomRichEdit& editor, std::function<Origin()> origin);
    ~RecoveryWriter() override;

    // The pause in editing before a copy is made, and the interval: copies start at most once an
    // interval, and a change waits at most an interval for its copy (unless one is being made).
    void setDelays(int pauseMilliseconds, int intervalMilliseconds);
    // The editor's content changed (or its modified state, by an undo back to it).
    void documentChanged();
    // The work is saved or given up.
    void discard();
    // A recovered copy, whose lock is held, becomes this session's own.
    void adopt(const QString& id, std::unique_ptr<QLockFile> lock);
    // This session's copy; empty while it has none.
    QString copyPath() const;

Q_SIGNALS:
    // A copy was written (false: writing it failed).
    void written(bool ok);

private:
    void startCopy();
    void copySlice();
    void stopCopying();
    bool ownCopy();
    void jobDone(bool ok);
    void giveBackMemory();

    TCustomRichEdit& m_editor;
    std::function<Origin()> m_origin;
    QTimer m_pause;
    QTimer m_latest;
    QTimer m_slicer;
    QTimer m_giveBack;
    int m_interval = 0;
    QElapsedTimer m_copyingFor;
    QElapsedTimer m_sinceLastCopy;
    QElapsedTimer m_sinceChange; // the user's last change

    std::unique_ptr<DocumentSnapshot> m_snapshot;
    QPointer<QTextDocument> m_source;
    QMetaObject::Connection m_sourceChanges;

    QString m_id;
    std::unique_ptr<QLockFile> m_lock;

    QThreadPool m_worker;
    bool m_jobRunning = false;
    bool m_copyWanted = false;
    std::shared_ptr<std::atomic_bool> m_cancelJob;
    // Held while a copy's file is written or removed; a job writes only while the generation
    // it started in is still the current one.
    std::mutex m_fileMutex;
    quint64 m_generation = 0;
};
