#pragma once

#include <QWidget>

// The strip along the bottom of the editor that shows a document loading: its name, how much of
// it is read (as text and as a bar filling the strip) and that Escape cancels.
class LoadIndicator : public QWidget {
    Q_OBJECT

public:
    explicit LoadIndicator(QWidget* editor);

    // Shows the strip for the named file at 0 %.
    void begin(const QString& fileName);
    void setPercent(int percent);
    int percent() const { return m_percent; }
    QString text() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    QString m_fileName;
    int m_percent = 0;
};
