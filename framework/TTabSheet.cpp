#include "framework/TTabSheet.h"

#include "framework/Colors.h"
#include "framework/TPageControl.h"

#include <QCoreApplication>
#include <QPainter>
#include <QResizeEvent>

TTabSheet::TTabSheet(QWidget* parent) : TControl(parent)
{
    // Made while a layout is read, the sheet has no name yet; the page control needs none.
    if (auto* pageControl = qobject_cast<TPageControl*>(parent)) {
        m_pageControl = pageControl;
        pageControl->insertPage(this);
    }
}

TTabSheet::~TTabSheet()
{
    if (m_pageControl)
        m_pageControl->removePage(this);
}

void TTabSheet::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    if (m_pageControl)
        m_pageControl->pageCaptionChanged();
}

void TTabSheet::setPageControl(TPageControl* pageControl)
{
    if (pageControl == m_pageControl)
        return;
    if (m_pageControl)
        m_pageControl->removePage(this);
    m_pageControl = pageControl;
    setParent(pageControl);
    if (pageControl)
        pageControl->insertPage(this);
}

void TTabSheet::place(const QRect& area)
{
    const QSize oldSize = size();
    setGeometry(area);
    // Qt tells a widget that is not shown of its new size only when it shows; the components
    // aligned to the page must follow now, so that they have their place before that.
    if (!isVisible() && size() != oldSize) {
        QResizeEvent event(size(), oldSize);
        QCoreApplication::sendEvent(this, &event);
    }
}

int TTabSheet::pageIndex() const
{
    return m_pageControl ? int(m_pageControl->pages().indexOf(const_cast<TTabSheet*>(this))) : -1;
}

void TTabSheet::paint(QPainter& painter) const
{
    painter.fillRect(rect(), Colors::toQColor(Colors::clBtnFace));
}

void TTabSheet::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter);
}
