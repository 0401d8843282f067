#include "app/FileDropFilter.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

FileDropFilter::FileDropFilter(QObject* control, Handler handler) : QObject(control), m_handler(std::move(handler))
{
    control->installEventFilter(this);
}

QString FileDropFilter::firstDroppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return QString();
}

bool FileDropFilter::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (firstDroppedFile(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString fileName = firstDroppedFile(drop->mimeData());
        if (fileName.isEmpty())
            return false;
        // The drop is finished whatever happens to the file.
        drop->acceptProposedAction();
        m_handler(fileName);
        return true;
    }
    default:
        return false;
    }
}
