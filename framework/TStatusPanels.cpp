#include "framework/TStatusPanels.h"

void TStatusPanels::clear()
{
    qDeleteAll(m_panels);
    m_panels.clear();
    Q_EMIT changed();
}

TStatusPanel* TStatusPanels::add()
{
    auto* panel = new TStatusPanel(this);
    connect(panel, &TStatusPanel::changed, this, &TStatusPanels::changed);
    m_panels.append(panel);
    Q_EMIT changed();
    return panel;
}
