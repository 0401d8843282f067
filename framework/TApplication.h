#pragma once

#include <QObject>
#include <QString>

// The application as the windows see it: its title and the current hint, which follows the
// control under the mouse pointer (a control's "Hint" property) and raises OnHint on change.
class TApplication : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(QString Hint READ hint WRITE setHint)

public:
    static TApplication& instance();

    QString title() const;
    void setTitle(const QString& title);
    QString hint() const { return m_hint; }
    void setHint(const QString& hint);

Q_SIGNALS:
    void OnHint(QObject* sender);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TApplication();
    void trackHints();

    QString m_title;
    QString m_hint;
    bool m_tracking = false;
};
