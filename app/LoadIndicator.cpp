#include "app/LoadIndicator.h"

#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QEvent>
#include <QFileInfo>
#include <QPainter>

LoadIndicator::LoadIndicator(QWidget* editor) : QWidget(editor)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    editor->installEventFilter(this);
    hide();
}

void LoadIndicator::begin(const QString& fileName)
{
    m_fileName = QFileInfo(fileName).fileName();
    m_percent = 0;
    place();
    raise();
    show();
    update();
}

void LoadIndicator::setPercent(int percent)
{
    if (percent == m_percent)
        return;
    m_percent = percent;
    update();
}

QString LoadIndicator::text() const
{
    return StringTable::format(StringId::LoadingDocument, {m_fileName, m_percent});
}

bool LoadIndicator::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        place();
    return false;
}

void LoadIndicator::place()
{
    const QWidget* editor = parentWidget();
    const int height = fontMetrics().height() + 6;
    setGeometry(0, editor->height() - height, editor->width(), height);
}

void LoadIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, palette().color(QPalette::ToolTipBase));
    QRect done = area;
    done.setWidth(area.width() * m_percent / 100);
    painter.fillRect(done, palette().color(QPalette::Highlight).lighter(160));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(area.topLeft(), area.topRight());
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawText(area.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, text());
}
