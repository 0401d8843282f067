#pragma once

#include <QObject>

#include "framework/TFont.h"

// The font dialog component: edits its Font when the user confirms.
class TFontDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(TFont* Font READ font)
    Q_PROPERTY(int MinFontSize READ minFontSize WRITE setMinFontSize)
    Q_PROPERTY(int MaxFontSize READ maxFontSize WRITE setMaxFontSize)

public:
    explicit TFontDialog(QObject* parent = nullptr);

    TFont* font() const { return m_font; }
    int minFontSize() const { return m_minFontSize; }
    void setMinFontSize(int size) { m_minFontSize = size; }
    int maxFontSize() const { return m_maxFontSize; }
    void setMaxFontSize(int size) { m_maxFontSize = size; }

    bool Execute();

private:
    TFont* m_font;
    int m_minFontSize = 0;
    int m_maxFontSize = 0;
};
