#include "framework/TStatusBar.h"

#include "framework/Colors.h"

#include <QPainter>

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent), m_panels(new TStatusPanels(this))
{
    connect(m_panels, &TStatusPanels::changed, this, qOverload<>(&QWidget::update));
    resize(200, 19);
}

void TStatusBar::setSimplePanel(bool simple)
{
    m_simplePanel = simple;
    update();
}

void TStatusBar::setSimpleText(const QString& text)
{
    m_simpleText = text;
    update();
}

void TStatusBar::paint(QPainter& painter) const
{
    painter.fillRect(rect(), Colors::toQColor(Colors::clBtnFace));
    painter.setPen(Colors::toQColor(Colors::clWindowText));
    if (m_simplePanel) {
        painter.drawText(rect().adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, m_simpleText);
        return;
    }
    int x = 0;
    for (int i = 0; i < m_panels->count(); ++i) {
        const TStatusPanel* panel = m_panels->item(i);
        const QRect cell(x, 0, panel->width(), height());
        const Qt::Alignment horizontal = panel->alignment() == TStatusPanel::taCenter ? Qt::AlignHCenter
                                         : panel->alignment() == TStatusPanel::taRightJustify ? Qt::AlignRight
                                                                                               : Qt::AlignLeft;
        painter.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignVCenter | horizontal, panel->text());
        x += panel->width();
    }
}

void TStatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter);
}
