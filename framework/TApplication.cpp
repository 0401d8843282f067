#include "framework/TApplication.h"

#include "framework/MessageDispatch.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>

TApplication& TApplication::instance()
{
    static TApplication* application = new TApplication;
    application->trackHints();
    return *application;
}

TApplication::TApplication() = default;

void TApplication::trackHints()
{
    if (m_tracking || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->installEventFilter(this);
    m_tracking = true;
}

QString TApplication::title() const
{
    return m_title.isEmpty() ? StringTable::load(StringId::ApplicationTitle) : m_title;
}

void TApplication::setTitle(const QString& title)
{
    m_title = title;
    QCoreApplication::setApplicationName(title);
}

void TApplication::setHint(const QString& hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    Q_EMIT OnHint(this);
}

bool TApplication::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter && watched->isWidgetType()) {
        const QString hint = watched->property("Hint").toString();
        MessageDispatch::run([&] { setHint(hint); });
    }
    // A tooltip window is named by its text, as the desktop lists windows, so that tools
    // outside the process that read window names (screen readers, tests) know what it says.
    // Qt repaints the tip whenever its text changes, also when the tip is reused.
    if (event->type() == QEvent::Paint) {
        auto* tip = qobject_cast<QLabel*>(watched);
        if (tip && tip->windowType() == Qt::ToolTip && tip->windowTitle() != tip->text())
            tip->setWindowTitle(tip->text());
    }
    return false;
}
