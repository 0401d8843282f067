#include "app/RecoveryWriter.h"

#include "app/RecoveryStore.h"
#include "framework/AppError.h"
#include "framework/DurableFile.h"
#include "richtext/DocumentSnapshot.h"
#include "richtext/TCustomRichEdit.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QTextDocument>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
constexpr int DefaultPause = 2000;
constexpr int DefaultInterval = 30000;
// Time the event loop spends on one slice of copying.
constexpr int SliceMilliseconds = 6;
// While the user types (a change less than this long ago), slices of copying come one per gap
// instead of back to back: a key waits for one slice at most, and the processor stays free for
// the user's work, the display and the others.
constexpr qint64 TypingMilliseconds = 400;
constexpr int TypingSliceGap = 50;
// A slice while the user types is shorter still: it is what a key that comes during it waits.
constexpr int TypingSliceMilliseconds = 3;
// The copy is written at a lower priority than the program's other work (a nice value).
constexpr int WriterNiceness = 10;
// The heap the copy used is given back to the system once the user has left the document alone
// this long: giving it back holds the allocator for tens of milliseconds (60 ms after a 10 MB
// copy), and every allocation of the editor's thread would wait meanwhile.
constexpr int GiveBackAfterMilliseconds = 1000;
} // namespace

RecoveryWriter::RecoveryWriter(TCustomRichEdit& editor, std::function<Origin()> origin)
    : m_editor(editor), m_origin(std::move(origin))
{
    m_worker.setMaxThreadCount(1);
    m_pause.setSingleShot(true);
    m_latest.setSingleShot(true);
    m_giveBack.setSingleShot(true);
    m_giveBack.setInterval(GiveBackAfterMilliseconds);
    connect(&m_giveBack, &QTimer::timeout, this, &RecoveryWriter::giveBackMemory);
    setDelays(DefaultPause, DefaultInterval);
    connect(&m_pause, &QTimer::timeout, this, &RecoveryWriter::startCopy);
    connect(&m_latest, &QTimer::timeout, this, &RecoveryWriter::startCopy);
    connect(&m_slicer, &QTimer::timeout, this, &RecoveryWriter::copySlice);
}

RecoveryWriter::~RecoveryWriter()
{
    stopCopying();
    {
        // A copy on its way is dropped; the one on disk stays for the next start.
        std::lock_guard guard(m_fileMutex);
        ++m_generation;
    }
    if (m_cancelJob)
        *m_cancelJob = true;
    m_worker.waitForDone();
}

void RecoveryWriter::setDelays(int pauseMilliseconds, int intervalMilliseconds)
{
    m_pause.setInterval(pauseMilliseconds);
    m_interval = intervalMilliseconds;
}

void RecoveryWriter::documentChanged()
{
    if (!m_editor.modified()) {
        discard();
        return;
    }
    m_sinceChange.start();
    if (m_giveBack.isActive())
        m_giveBack.start();
    m_pause.start();
    if (!m_latest.isActive())
        m_latest.start(m_interval);
}

void RecoveryWriter::startCopy()
{
    m_pause.stop();
    m_latest.stop();
    if (m_interval > 0 && m_sinceLastCopy.isValid() && !m_sinceLastCopy.hasExpired(m_interval)) {
        // The last copy is recent: this one waits for the rest of the interval.
        m_latest.start(int(m_interval - m_sinceLastCopy.elapsed()));
        return;
    }
    if (m_jobRunning) {
        m_copyWanted = true;
        return;
    }
    if (m_snapshot || !m_editor.modified())
        return;
    QTextDocument* document = m_editor.document();
    m_source = document;
    m_snapshot = std::make_unique<DocumentSnapshot>(*document);
    m_sourceChanges = connect(document, &QTextDocument::contentsChange, this,
                              [this](int position, int, int) { m_snapshot->sourceChanged(position); });
    m_copyingFor.start();
    m_sinceLastCopy.start();
    m_slicer.start(0);
}

void RecoveryWriter::stopCopying()
{
    m_slicer.stop();
    disconnect(m_sourceChanges);
    m_snapshot.reset();
    m_source.clear();
}

void RecoveryWriter::copySlice()
{
    if (m_source != m_editor.document()) {
        // Another document was loaded meanwhile: copy that one, if it needs a copy.
        stopCopying();
        if (m_editor.modified())
            startCopy();
        return;
    }
    // Edits far up a large document may keep sending the copy back; past the latest time it
    // is finished in one go.
    const bool overdue = m_copyingFor.hasExpired(m_interval);
    const bool typing = m_sinceChange.isValid() && m_sinceChange.elapsed() < TypingMilliseconds;
    if (const int gap = typing && !overdue ? TypingSliceGap : 0; m_slicer.interval() != gap)
        m_slicer.start(gap);
    const QDeadlineTimer deadline =
        overdue  ? QDeadlineTimer(QDeadlineTimer::Forever)
        : typing ? QDeadlineTimer(TypingSliceMilliseconds)
                 : QDeadlineTimer(SliceMilliseconds);
    if (!m_snapshot->copyMore(deadline))
        return;

    std::shared_ptr<DocumentSnapshot> snapshot(m_snapshot.release());
    stopCopying();
    if (!ownCopy())
        return;
    const Origin origin = m_origin();
    const QTextCharFormat defaults = m_editor.defaultCharFormat();
    const QString path = copyPath();
    const QDateTime savedAt = QDateTime::currentDateTime();
    auto cancel = std::make_shared<std::atomic_bool>(false);
    m_cancelJob = cancel;
    quint64 generation;
    {
        std::lock_guard guard(m_fileMutex);
        generation = m_generation;
    }
    m_jobRunning = true;
    m_worker.start([=, this]() mutable {
        // Linux gives a thread's niceness to that thread alone.
        ::setpriority(PRIO_PROCESS, ::gettid(), WriterNiceness);
        bool ok = false;
        // As a save writes it: text without attributes of its own shows as in the editor.
        std::optional<QByteArray> rtf = snapshot->toRtf(defaults, *cancel);
        // The snapshot was taken on the main thread: what it gives back that the heap keeps sits
        // in the main thread's heap, which only gives it to the system when asked
        // (giveBackMemory).
        snapshot.reset();
        if (rtf) {
            RecoveryStore::Copy description;
            description.documentName = origin.documentName;
            description.savedAt = savedAt;
            description.original = origin.file;
            description.plainText = origin.plainText;
            const QByteArray bytes = RecoveryStore::compose(std::move(*rtf), description);
            std::lock_guard guard(m_fileMutex);
            if (generation == m_generation && !*cancel) {
                try {
                    DurableFile::write(path, bytes);
                    ok = true;
                } catch (const AppError& error) {
                    qWarning("The recovery copy cannot be written: %s", error.what());
                }
            }
        }
        QMetaObject::invokeMethod(
            this, [this, ok] { jobDone(ok); }, Qt::QueuedConnection);
    });
}

bool RecoveryWriter::ownCopy()
{
    if (m_lock)
        return true;
    if (!RecoveryStore::makeFolder()) {
        qWarning("The recovery folder %s cannot be created", qUtf8Printable(RecoveryStore::folder()));
        return false;
    }
    const QString id = RecoveryStore::newId();
    auto lock = RecoveryStore::lockFor(id);
    if (!lock->tryLock(0))
        return false;
    m_id = id;
    m_lock = std::move(lock);
    return true;
}

void RecoveryWriter::jobDone(bool ok)
{
    m_jobRunning = false;
    m_cancelJob.reset();
    m_giveBack.start();
    Q_EMIT written(ok);
    if (m_copyWanted) {
        m_copyWanted = false;
        startCopy();
    }
}

void RecoveryWriter::giveBackMemory()
{
    if (m_jobRunning || m_snapshot)
        return; // that copy's end comes back here
    m_worker.start([] { ::malloc_trim(0); });
}

void RecoveryWriter::discard()
{
    m_pause.stop();
    m_latest.stop();
    m_sinceLastCopy.invalidate(); // new work gets its first copy after the pause
    m_copyWanted = false;
    stopCopying();
    if (m_cancelJob)
        *m_cancelJob = true;
    {
        std::lock_guard guard(m_fileMutex);
        ++m_generation;
        if (!m_id.isEmpty())
            QFile::remove(copyPath());
    }
    m_lock.reset(); // unlocks, removing the lock file
    m_id.clear();
}

void RecoveryWriter::adopt(const QString& id, std::unique_ptr<QLockFile> lock)
{
    discard();
    m_id = id;
    m_lock = std::move(lock);
}

QString RecoveryWriter::copyPath() const
{
    return m_id.isEmpty() ? QString() : RecoveryStore::copyPath(m_id);
}
