#include "richtext/DocumentLoader.h"

#include "framework/AppError.h"
#include "richtext/DocumentDefaults.h"
#include "richtext/ReadProgress.h"

#include <QPointer>
#include <QTextDocument>
#include <QThread>

struct DocumentLoader::Shared {
    std::atomic<bool> cancelled{false};
    std::atomic<int> percent{-1};
    Result result; // written by the loading thread, read once it has finished
};

namespace {
// Passes the reader's progress on to the loader's thread and stops the read once cancelled.
class ThreadProgress : public ReadProgress {
public:
    ThreadProgress(DocumentLoader::Shared& shared, DocumentLoader* loader) : m_shared(shared), m_loader(loader) {}

    void report(qint64 done, qint64 total) override
    {
        if (m_shared.cancelled.load(std::memory_order_relaxed))
            throw ReadCancelled();
        const int percent = total > 0 ? int(qBound(qint64(0), done * 100 / total, qint64(100))) : 0;
        if (m_shared.percent.exchange(percent) == percent)
            return;
        // The loader outlives the thread: its destructor waits for it.
        QMetaObject::invokeMethod(
            m_loader, [loader = m_loader, percent] { Q_EMIT loader->progressed(percent); }, Qt::QueuedConnection);
    }

private:
    DocumentLoader::Shared& m_shared;
    DocumentLoader* m_loader;
};

void loadInto(DocumentLoader::Result& result, const QString& path, const QTextCharFormat& defaultFormat,
              ReadProgress* progress, QThread* target)
{
    try {
        auto document = std::make_unique<QTextDocument>();
        DocumentDefaults::setCharFormat(*document, defaultFormat);
        // Plain text carries no attributes of its own: it shows in the default ones.
        result.kind = DocumentFile::load(path, *document, QTextCharFormat(), &result.textFormat, progress);
        if (target)
            document->moveToThread(target);
        result.document = std::move(document);
    } catch (const ReadCancelled&) {
        result.cancelled = true;
    } catch (const AppError& error) {
        result.error = error.message();
    } catch (const std::exception& error) {
        // Out of memory, mostly: the document is not loaded, the program goes on.
        result.error = QString::fromLocal8Bit(error.what());
    }
}
} // namespace

DocumentLoader::DocumentLoader(QObject* parent) : QObject(parent) {}

DocumentLoader::~DocumentLoader()
{
    stop();
}

void DocumentLoader::start(const QString& path, const QTextCharFormat& defaultFormat)
{
    stop();
    m_path = path;
    m_result = Result();
    m_shared = std::make_shared<Shared>();
    QThread* target = thread();
    m_thread = QThread::create([shared = m_shared, this, path, defaultFormat, target] {
        ThreadProgress progress(*shared, this);
        loadInto(shared->result, path, defaultFormat, &progress, target);
    });
    connect(m_thread, &QThread::finished, this, &DocumentLoader::threadDone);
    m_thread->start();
}

void DocumentLoader::cancel()
{
    if (m_shared)
        m_shared->cancelled = true;
}

void DocumentLoader::stop()
{
    if (!m_thread)
        return;
    // A load that is given up reports nothing.
    disconnect(m_thread, nullptr, this, nullptr);
    cancel();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_shared.reset();
}

void DocumentLoader::threadDone()
{
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_result = std::move(m_shared->result);
    // A cancel that came after the read ended still wins: the caller asked before it heard.
    if (m_shared->cancelled && !m_result.cancelled) {
        m_result = Result();
        m_result.cancelled = true;
    }
    m_shared.reset();
    Q_EMIT finished();
}

DocumentLoader::Result DocumentLoader::takeResult()
{
    return std::move(m_result);
}
