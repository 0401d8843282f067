#pragma once

#include "framework/TStatusPanels.h"

#include <QWidget>

// A status bar of text panels, or, with SimplePanel, one panel showing SimpleText.
class TStatusBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TStatusPanels* Panels READ panels)
    Q_PROPERTY(bool SimplePanel READ simplePanel WRITE setSimplePanel)
    Q_PROPERTY(QString SimpleText READ simpleText WRITE setSimpleText)

public:
    explicit TStatusBar(QWidget* parent = nullptr);

    TStatusPanels* panels() const { return m_panels; }
    bool simplePanel() const { return m_simplePanel; }
    void setSimplePanel(bool simple);
    QString simpleText() const { return m_simpleText; }
    void setSimpleText(const QString& text);

    void paint(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TStatusPanels* m_panels;
    bool m_simplePanel = false;
    QString m_simpleText;
};
