#include "framework/TStatusPanel.h"

void TStatusPanel::setText(const QString& text)
{
    m_text = text;
    Q_EMIT changed();
}

void TStatusPanel::setWidth(int width)
{
    m_width = width;
    Q_EMIT changed();
}

void TStatusPanel::setAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    Q_EMIT changed();
}
