#pragma once

#include <QObject>
#include <functional>

class QMimeData;

// Takes the drops of local files from a control that would otherwise take them as text (the
// editor takes a dragged file's URL as text) and hands the first file to the window; other drags
// (text moved inside the editor) go on to the control.
class FileDropFilter : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(const QString& fileName)>;

    FileDropFilter(QObject* control, Handler handler);

    // The first local file a drag carries, or nothing.
    static QString firstDroppedFile(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler m_handler;
};
